// A sheet being edited with everything its editor reads, in one place for
// the users without a window (mvulc, the tools, the benchmarks and tests);
// the window owns the same parts itself.
#pragma once

#include "core/CharacterFields.h"
#include "core/DataList.h"
#include "core/OrderDocument.h"
#include "core/SheetEditor.h"
#include "core/SheetView.h"

namespace mv {

struct SheetWorkspace {
  ReferenceLists lists;
  ShownCharacter character;
  OrderDocument document;
  SheetView view;
  SheetEditor editor{document, view, lists, character};
};

}  // namespace mv
