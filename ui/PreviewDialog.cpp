#include "ui/PreviewDialog.h"

#include <QFrame>
#include <QPushButton>

namespace mv::ui {

PreviewDialog::PreviewDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TFormPreview");
  setWindowTitle("A postázandó UL");
  setFixedSize(361, 432);
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setAccessibleName("A postázandó UL");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont mono("Courier New");
  mono.setStyleHint(QFont::Monospace);
  memo_->setFont(mono);
  memo_->setGeometry(8, 8, 345, 370);
  auto* bevel = new QFrame(this);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setGeometry(8, 386, 345, 4);
  auto* send = new QPushButton("&Küldés", this);
  send->setObjectName("Button1");
  send->setDefault(true);
  send->setGeometry(180, 398, 80, 25);
  auto* cancel = new QPushButton("&Mégsem", this);
  cancel->setObjectName("Button2");
  cancel->setGeometry(268, 398, 80, 25);
  connect(send, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace mv::ui
