#include "ui/AboutBox.h"

#include <QDesktopServices>
#include <QGraphicsDropShadowEffect>
#include <QLocale>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "store/SystemInfo.h"

namespace mv::ui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("TAboutBox");
  setWindowTitle("Névjegy");
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel("Morvald UL készítő");
  QFont big = title->font();
  big.setPointSize(16);
  big.setBold(true);
  title->setFont(big);
  auto* shadow = new QGraphicsDropShadowEffect(title);
  shadow->setOffset(2, 2);
  shadow->setBlurRadius(2);
  title->setGraphicsEffect(shadow);
  layout->addWidget(title);
  layout->addWidget(new QLabel("Version 2.3.14"));
  layout->addWidget(new QLabel("Írták: a Morvald UL készítő fejlesztői, a játékosok kérései alapján."));
  layout->addWidget(
      new QLabel("• parancsértelmezés beírás közben, mind a 102 parancsra\n"
                 "• TVP, KNO és ellenőrző szám számítása\n"
                 "• UL küldése levélben, mentése és vágólapra másolása\n"
                 "• karakterek, jegyzetek, listák, rejtvényfejtők"));
  auto* home = new QLabel(QString("<a href=\"%1\">%1</a>").arg(kHomePage));
  home->setObjectName("HomePage");
  home->setCursor(Qt::PointingHandCursor);
  home->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(home, &QLabel::linkActivated, this, [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
  layout->addWidget(home);

  const auto memory = CurrentMemory();
  const QString separator = QLocale::system().groupSeparator();
  const char sep = separator.isEmpty() || separator[0].unicode() > 127 ? ' ' : char(separator[0].unicode());
  layout->addWidget(new QLabel("Memory Available to Windows: " +
                               (memory ? QString::fromStdString(FormatKilobytes(memory->totalKilobytes, sep)) : "?")));
  layout->addWidget(new QLabel("Memory in Use: " + (memory ? QString("%1 %").arg(memory->loadPercent) : QString("?"))));
  os_ = new QLabel(QString::fromStdString(CurrentOsName()));
  os_->setObjectName("OS");
  layout->addWidget(os_);
  auto* ok = new QPushButton("OK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace mv::ui
