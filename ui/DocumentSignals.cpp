#include "ui/DocumentSignals.h"

namespace mv::ui {

DocumentSignals::DocumentSignals(OrderDocument& document, SheetView& view, CharacterSession& character, QObject* parent)
    : QObject(parent), document_(document), view_(view), character_(character) {
  document_.SetObserver([this](unsigned changes) {
    if (changes & OrderDocument::kCells) emit CellsChanged();
    if (changes & OrderDocument::kFields) emit FieldsChanged();
    if (changes & OrderDocument::kFigures) emit FiguresChanged();
    if (changes & OrderDocument::kSaveState) emit SaveStateChanged();
    if (changes & OrderDocument::kHistory) emit HistoryChanged(document_.CanUndo(), document_.CanRedo());
    if (changes & ~unsigned(OrderDocument::kHistory)) emit WorkChanged();
  });
  view_.SetObserver([this] { emit ViewChanged(); });
  character_.SetObserver([this](unsigned changes) {
    if (changes & CharacterSession::kShown) emit CharacterChanged();
    if (changes & CharacterSession::kReplaced) emit CharacterReplaced();
    if (changes & CharacterSession::kList) emit CharacterListChanged();
    if (changes & CharacterSession::kLastSent) emit LastSentChanged();
    if (changes & (CharacterSession::kShown | CharacterSession::kReplaced)) emit WorkChanged();
  });
}

DocumentSignals::~DocumentSignals() {
  document_.SetObserver(nullptr);
  view_.SetObserver(nullptr);
  character_.SetObserver(nullptr);
}

}  // namespace mv::ui
