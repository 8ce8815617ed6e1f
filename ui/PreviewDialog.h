// "A postázandó UL": the letter shown before it is mailed.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>

namespace mv::ui {

class PreviewDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PreviewDialog(QWidget* parent = nullptr);
  void SetLetter(const QString& text) { memo_->setPlainText(text); }
  QPlainTextEdit* memo() const { return memo_; }

 private:
  QPlainTextEdit* memo_;
};

}  // namespace mv::ui
