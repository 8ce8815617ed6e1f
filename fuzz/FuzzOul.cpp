// The .oul converter.
#include <cstdint>
#include <string_view>

#include "store/OulImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const mv::OulConversion c = mv::ConvertOul(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.oul");
  if (c.ok && (c.sheet.size() != 37 || c.fileName.find('/') != std::string::npos)) __builtin_trap();
  return 0;
}
