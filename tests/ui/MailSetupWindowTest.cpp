// Mail set up from the address alone on the E-MAIL page.
#include <stdlib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QStackedWidget>

#include "tests/HttpSink.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/Captions.h"
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

namespace {

using namespace mvtest;

// "Ne tárolja a jelszót": asked before the send, used once, stored nowhere.
TEST_F(MainWindowTest, APasswordToBeAskedIsAskedBeforeTheSendAndStoredNowhere) {
  SmtpSink sink("starttls");
  ASSERT_GT(sink.port(), 0);
  WriteFile("mv.ini", "[SMTP]\r\nKiszolgalo=127.0.0.1\r\nPort=" + std::to_string(sink.port()) +
                          "\r\nTitkositas=STARTTLS\r\nFelhasznalo=jatekos\r\nFelado=jatekos@localhost\r\n"
                          "Masolat=0\r\nJelszo=jelsz\xF3\r\nCAFajl=" +
                          sink.CaFile() + "\r\n");
  auto* dialog = Find<mv::ui::OptionsDialog>(*window_, "TFormOptions");
  auto* options = Find<mv::ui::OptionsController>(*window_, "Beallitasok");
  dialog->Load(options->CurrentOptions());
  EXPECT_EQ(dialog->findChild<QLineEdit*>("EditSmtpPassword")->text(), QString::fromUtf8("jelszó"));
  // No keyring here: the page says where the password is.
  EXPECT_TRUE(dialog->findChild<QLabel*>("LabelJelszoHelye")->text().startsWith("A jelszó az mv.ini fájlban van"));
  dialog->findChild<QCheckBox*>("CheckBoxJelszoKerdes")->setChecked(true);
  emit dialog->ApplyRequested();
  EXPECT_EQ(Read("mv.ini").find("Jelszo="), std::string::npos);  // the stored copy went
  EXPECT_NE(Read("mv.ini").find("JelszoKerdes=1"), std::string::npos);

  WhenShown("JelszoKerdes", [](QWidget* question) {
    // The one title of the program's dialogs, whole.
    EXPECT_EQ(question->windowTitle(), QString(mv::ui::kApplicationTitle));
    EXPECT_GE(question->width(), question->fontMetrics().horizontalAdvance(mv::ui::kApplicationTitle) + 100);
    static_cast<QInputDialog*>(question)->setTextValue(QString::fromUtf8("jelszó"));
    static_cast<QInputDialog*>(question)->accept();
  });
  QString* said = AnswerNextDialog();
  dialog->findChild<QPushButton*>("ButtonProbalevel")->click();
  EXPECT_EQ(*said, QString("Próbalevél elküldve"));
  EXPECT_EQ(sink.Received(), 1);
  EXPECT_EQ(Read("mv.ini").find("jelsz"), std::string::npos);  // used once, kept nowhere
}

}  // namespace
