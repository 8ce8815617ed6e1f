// The announcements of the document, the view and the character session as
// Qt signals: the one place the window learns that something changed.
#pragma once

#include <QObject>

#include "core/OrderDocument.h"
#include "core/SheetView.h"
#include "store/CharacterSession.h"

namespace mv::ui {

class DocumentSignals : public QObject {
  Q_OBJECT
 public:
  DocumentSignals(OrderDocument& document, SheetView& view, CharacterSession& character, QObject* parent = nullptr);
  ~DocumentSignals() override;

 signals:
  void CellsChanged();
  void FieldsChanged();
  void FiguresChanged();
  // The modified flag or the file name.
  void SaveStateChanged();
  void HistoryChanged(bool canUndo, bool canRedo);
  // The current cell or the panel.
  void ViewChanged();
  void CharacterChanged();
  // Another character (or none) is shown: its notes and last send too.
  void CharacterReplaced();
  void CharacterListChanged();
  void LastSentChanged();
  // Anything a recovery copy holds.
  void WorkChanged();

 private:
  OrderDocument& document_;
  SheetView& view_;
  CharacterSession& character_;
};

}  // namespace mv::ui
