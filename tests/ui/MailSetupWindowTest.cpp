// Mail set up from the address alone on the E-MAIL page.
#include <stdlib.h>

#include <QComboBox>
#include <QStackedWidget>

#include "tests/HttpSink.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/OptionsController.h"
#include "ui/OptionsDialog.h"

namespace {

using namespace mvtest;

TEST_F(MainWindowTest, KitoltesACimAlapjanFillsTheServerAndSaysWhereItCameFrom) {
  HttpSink http;
  http.Serve("pelda.hu/.well-known/autoconfig/mail/config-v1.1.xml",
             "<clientConfig version=\"1.1\"><emailProvider id=\"pelda.hu\"><outgoingServer type=\"smtp\">"
             "<hostname>smtp.pelda.hu</hostname><port>465</port><socketType>SSL</socketType>"
             "<authentication>password-cleartext</authentication><username>%EMAILADDRESS%</username>"
             "</outgoingServer></emailProvider></clientConfig>");
  ::setenv("MVUL_AUTOCONFIG_TEST_BASE", http.Base().c_str(), 1);
  auto* dialog = Find<mv::ui::OptionsDialog>(*window_, "TFormOptions");
  dialog->Load(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions());
  dialog->ShowPage("E-MAIL");
  dialog->show();
  auto* sender = dialog->findChild<QLineEdit*>("EditSmtpSender");
  sender->setText("jatekos@pelda.hu");
  dialog->findChild<QPushButton*>("ButtonKitoltes")->click();
  EXPECT_EQ(dialog->findChild<QLineEdit*>("EditSmtpServer")->text(), "smtp.pelda.hu");
  EXPECT_EQ(dialog->findChild<QLineEdit*>("EditSmtpPort")->text(), "465");
  EXPECT_EQ(dialog->findChild<QComboBox*>("ComboSmtpSecurity")->currentText(), "TLS");
  EXPECT_EQ(dialog->findChild<QLineEdit*>("EditSmtpUser")->text(), "jatekos@pelda.hu");
  EXPECT_TRUE(dialog->findChild<QLabel*>("LabelLevelezesForras")->text().contains(QString::fromStdString(http.Base())));
  std::filesystem::create_directories(ARTEFACT_DIR);
  QApplication::processEvents();  // the note's lines laid out
  dialog->grab().save(QString(ARTEFACT_DIR) + "/email-kitoltes.png");
  EXPECT_EQ(Read("mv.ini").find("smtp.pelda.hu"), std::string::npos);  // nothing saved before "OK"

  // Nothing found: said, and nothing changed.
  const auto said = AnswerOnce(window_.get(), QMessageBox::Ok);
  sender->setText("jatekos@masik.hu");
  dialog->findChild<QPushButton*>("ButtonKitoltes")->click();
  EXPECT_TRUE(said->startsWith("Ehhez a címhez nem találtam levélküldési beállítást (masik.hu)."))
      << said->toStdString();
  EXPECT_EQ(dialog->findChild<QLineEdit*>("EditSmtpServer")->text(), "smtp.pelda.hu");

  // The user name follows an address typed as the sender, and back.
  auto* user = dialog->findChild<QLineEdit*>("EditSmtpUser");
  user->clear();
  sender->setText("uj@pelda.hu");
  emit sender->editingFinished();
  EXPECT_EQ(user->text(), "uj@pelda.hu");
  sender->clear();
  user->setText("csaknev");
  emit user->editingFinished();
  EXPECT_EQ(sender->text(), "");  // a user name without "@" is no address
  dialog->hide();
  ::unsetenv("MVUL_AUTOCONFIG_TEST_BASE");
}

}  // namespace
