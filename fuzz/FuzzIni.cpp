// The mv.ini reader, the settings and the character store over any bytes.
#include <cstdint>
#include <string_view>

#include "store/CharacterStore.h"
#include "store/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mv::IniFile ini = mv::IniFile::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  const mv::Settings settings = mv::ReadSettings(ini);
  mv::CharacterStore store(ini);
  for (const std::string& item : store.ListItems()) store.Load(mv::KeyOfListItem(item));
  mv::WriteSettings(ini, settings);  // no file behind it: only the text changes
  store.Delete("2345");
  mv::IniFile::FromText(ini.Text());
  return 0;
}
