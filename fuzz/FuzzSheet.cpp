// The .ulf reader and the interpreter over whatever the file held.
#include <cstdint>
#include <string_view>

#include "core/SheetEditor.h"
#include "store/SheetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mv::EditorModel model;
  mv::SheetEditor editor(model);
  editor.NewSheet();
  mv::ReadSheet(bytes, "fuzz.ulf", model);
  for (int r = 1; r <= mv::OrderSheet::kRows; ++r) editor.SelectCell(r, 1);
  mv::WriteSheet(model);
  return 0;
}
