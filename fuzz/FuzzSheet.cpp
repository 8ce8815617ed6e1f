// The .ulf reader and the interpreter over whatever the file held.
#include <cstdint>
#include <string_view>

#include "core/SheetWorkspace.h"
#include "store/SheetDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mv::SheetWorkspace w;
  mv::FillFromFile(w.editor, bytes, "fuzz.ulf", nullptr);
  for (int r = 1; r <= mv::OrderSheet::kRows; ++r) w.editor.SelectCell(r, 1);
  mv::WriteSheet(w.document.Content(w.character.key));
  return 0;
}
