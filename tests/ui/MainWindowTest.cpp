// The real main window driven by simulated keys under the offscreen platform.
#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeView>

#include "tests/ui/MainWindowFixture.h"
#include "ui/Captions.h"

namespace {

using namespace mvtest;
using mv::ui::MainWindow;

TEST_F(MainWindowTest, StartsWithCaptionTabsAndAZeroedSheet) {
  EXPECT_EQ(window_->windowTitle(), QString("Vorlan Morvald UL készítő programja 2.3.14"));
  const QStringList expected{"Adatok",     "Utasítás Lap",  "Jegyzetek", "Listák",
                             "Rejtvények", "LV rejtvények", "Formázók"};
  ASSERT_EQ(Find<QTabWidget>(*window_, "PageControl1")->count(), expected.size());
  for (int i = 0; i < expected.size(); ++i)
    EXPECT_EQ(Find<QTabWidget>(*window_, "PageControl1")->tabText(i), expected[i]);
  EXPECT_EQ(Find<mv::ui::OrderTab>(*window_, "UtasitasLap")->size(),
            Find<QTabWidget>(*window_, "PageControl1")->currentWidget()->size());
  EXPECT_EQ(window_->centralWidget()->size(), QSize(608, 421));
  for (int r = 1; r <= 20; ++r) {
    EXPECT_EQ(grid()->model()->index(r - 1, 0).data().toString(), QString("%1.").arg(r, 2, 10, QChar('0')));
    EXPECT_EQ(Cell(r, 8), "0");
    EXPECT_EQ(Cell(r, 9), "0");
  }
  EXPECT_EQ(Find<QLabel>(*window_, "RxLabelEllsz")->text(), "0");
  EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), "Sor");
}

TEST_F(MainWindowTest, TypingAnUnknownCodeShowsItIsUnknown) {
  Go(1, 1);
  Type("xyz");
  EXPECT_EQ(Cell(1, 1), "xyz");
  EXPECT_EQ(Panel(), QString("Ismeretlen parancs"));
  EXPECT_TRUE(window_->document().modified());
}

TEST_F(MainWindowTest, CodeColumnTakesLettersOnlyInLowerCase) {
  Go(2, 1);
  Type("A1-b");
  EXPECT_EQ(Cell(2, 1), "ab");
}

TEST_F(MainWindowTest, ParameterColumnsTakeFiveDigitsAtMost) {
  Go(1, 2);
  Type("12a345678");
  EXPECT_EQ(Cell(1, 2), "12345");
}

TEST_F(MainWindowTest, CompletionProposesTheFirstMatchingCodeWithTheRestSelected) {
  grid()->SetCompletion(true);
  Go(1, 1);
  Type("bs");
  auto* edit = qobject_cast<QLineEdit*>(Focused());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QString("bsz"));
  EXPECT_EQ(edit->selectedText(), QString("z"));
  Type("a");  // replaces the proposal; no code begins with "BSA"
  EXPECT_EQ(edit->text(), QString("bsa"));
  EXPECT_EQ(Cell(1, 1), "bsa");
}

TEST_F(MainWindowTest, KeypadPlusCountsUpFromAnEmptyParameter) {
  Go(1, 3);
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(Cell(1, 3), "0");
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(Cell(1, 3), "1");
}

TEST_F(MainWindowTest, ShiftDeleteShiftsTheParametersLeft) {
  for (int k = 1; k <= 6; ++k) window_->document().SetCell(1, k + 1, std::to_string(k));
  grid()->RefreshFromModel();
  Go(1, 3);
  Key(Qt::Key_Delete, Qt::ShiftModifier);
  const std::vector<std::string> after{"1", "3", "4", "5", "6", ""};
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(Cell(1, k + 1), after[std::size_t(k - 1)]) << k;
}

TEST_F(MainWindowTest, ArrowKeysDoNotMarkTheSheet) {
  Go(3, 2);
  Key(Qt::Key_Down);
  EXPECT_FALSE(window_->document().modified());
  EXPECT_EQ(window_->view().row(), 4);
  Key(Qt::Key_Tab);
  EXPECT_TRUE(window_->document().modified());
}

TEST_F(MainWindowTest, MovingARowUpInterpretsTheNewCurrentRow) {
  window_->document().SetCell(3, 1, "xyz");
  grid()->RefreshFromModel();
  Go(3, 1);
  Find<QAction>(*window_, "RowUp")->trigger();
  EXPECT_EQ(Cell(2, 1), "xyz");
  EXPECT_EQ(window_->view().row(), 2);
  EXPECT_EQ(Panel(), QString("Ismeretlen parancs"));
  EXPECT_TRUE(window_->document().modified());
}

TEST_F(MainWindowTest, PickerInsertsTheChosenCommandAsANewRow) {
  window_->document().SetCell(3, 1, "xyz");
  Go(3, 1);
  Find<mv::ui::CommandPicker>(*window_, "TFormParancsok")->list()->setCurrentRow(0);
  QTimer::singleShot(0, [this] { Find<mv::ui::CommandPicker>(*window_, "TFormParancsok")->accept(); });
  Find<QAction>(*window_, "NewParancs1")->trigger();
  EXPECT_EQ(Cell(3, 1), "a");
  EXPECT_EQ(Cell(4, 1), "xyz");
  EXPECT_FALSE(Panel().isEmpty());
  EXPECT_NE(Panel(), QString("Ismeretlen parancs"));
}

// The menu's short cuts reach the window from inside the grid.
TEST_F(MainWindowTest, CtrlPInTheGridOpensThePicker) {
  Go(3, 1);
  WhenShown("TFormParancsok", [](QWidget* picker) { static_cast<QDialog*>(picker)->accept(); });
  Key(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(Cell(3, 1), "a");
}

TEST_F(MainWindowTest, PickerDoesNothingOutsideTheOrderTab) {
  Find<QTabWidget>(*window_, "PageControl1")->setCurrentWidget(Find<mv::ui::DataTab>(*window_, "Adatok"));
  Find<QAction>(*window_, "NewParancs1")->trigger();
  EXPECT_FALSE(Find<mv::ui::CommandPicker>(*window_, "TFormParancsok")->isVisible());
  EXPECT_FALSE(window_->document().modified());
}

TEST_F(MainWindowTest, CharacterNameFollowsIntoTheOrderTab) {
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Ödön");
  EXPECT_EQ(window_->findChild<QLabel*>("LabelName")->text(), QString("Ödön"));
  EXPECT_EQ(window_->character().shown().fields.name, mv::cp1250::FromUtf8("Ödön"));
}

TEST_F(MainWindowTest, ReferenceListsGiveNamesFromTheStart) {
  WriteFile("targyak.dat", "Targyak\r\n12 Kard\r\n");
  WriteFile("italok.dat", "012 1 2 3\r\n0 1 2\r\n");
  Restart();
  window_->document().SetCell(1, 1, "ea");
  window_->document().SetCell(1, 2, "12");
  Go(2, 1);
  Go(1, 1);
  EXPECT_EQ(Find<QLabel>(*window_, "LabelD2")->text(), QString("Kard (#12)"));
  const auto potions = window_->findChild<QMenu*>("varazs")->actions();
  ASSERT_EQ(potions.size(), 1);  // the failed brewing line gets no item
  EXPECT_EQ(potions.first()->text(), QString("Kard (#12)"));
}

TEST_F(MainWindowTest, OptionsAreAppliedAndWritten) {
  auto values = Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions();
  values.settings.completion = true;
  values.settings.flatGrid = true;
  values.settings.passwordMasked = true;
  values.settings.bandLength = 2;
  Find<mv::ui::OptionsController>(*window_, "Beallitasok")->TakeOptions(values);
  EXPECT_TRUE(grid()->Completion());
  EXPECT_EQ(grid()->size(), QSize(364, 357));
  EXPECT_EQ(Find<QLineEdit>(*window_, "EditJelsz")->echoMode(), QLineEdit::Password);
  const mv::IniFile ini(dir_ / "mv.ini");
  EXPECT_EQ(ini.Read("Megjelenes", "ULAutoParancs"), "1");
  EXPECT_EQ(ini.Read("Megjelenes", "Savok"), "2");
  Restart();
  EXPECT_TRUE(grid()->Completion());
  EXPECT_EQ(Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->Collect().settings.completion,
            false);  // the dialog reads the file when opened
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")
      ->Load(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions());
  EXPECT_TRUE(Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->Collect().settings.completion);
}

TEST_F(MainWindowTest, TheAssociationIsTickedOnAndRemovedByUninstall) {
  auto values = Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions();
  EXPECT_FALSE(values.associated);
  values.associated = true;
  Find<mv::ui::OptionsController>(*window_, "Beallitasok")->TakeOptions(values);
  EXPECT_TRUE(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions().associated);

  // The real program: it removes the association and quits before any other
  // start-up step, so mv.ini stays byte for byte (no "Utolso" written).
  const std::string ini = "[Karakterek]\r\nBetolt=Utolso\r\nUtolso=2345\r\n[2345]\r\nKarakterszam=2345\r\n";
  WriteFile("mv.ini", ini);
  QProcess uninstall;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("MVUL_DIR", QString::fromStdString(dir_.string()));
  env.remove("DISPLAY");
  env.insert("QT_QPA_PLATFORM", "none-such");  // no window may be needed
  uninstall.setProcessEnvironment(env);
  uninstall.start(MVUL_PATH, {"--uninstall"});
  ASSERT_TRUE(uninstall.waitForFinished(20000));
  EXPECT_EQ(uninstall.exitCode(), 0) << uninstall.readAllStandardError().toStdString();
  EXPECT_FALSE(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions().associated);
  EXPECT_EQ(mv::ReadWholeFile(dir_ / "mv.ini").value_or(""), ini);
}

TEST_F(MainWindowTest, OptionsTreeHasNineLeaves) {
  QStringList leaves;
  auto* tree = Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->tree();
  for (int g = 0; g < tree->topLevelItemCount(); ++g)
    for (int c = 0; c < tree->topLevelItem(g)->childCount(); ++c) leaves << tree->topLevelItem(g)->child(c)->text(0);
  EXPECT_EQ(leaves, (QStringList{"Program indítása", "Integráció", "E-MAIL", "Keresési útvonalak", "Egér követése",
                                 "Gyorstipp", "UL-Szerkesztő", "Jelszó", "UL elküldése"}));
  EXPECT_EQ(Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->pages()->count(), 9);
}

TEST_F(MainWindowTest, ListsTabLoadsSavesAndComplainsAboutMissingFiles) {
  mv::ui::ListsTab* lists = Find<mv::ui::ListsTab>(*window_, "Listak");
  lists->combo()->setCurrentIndex(0);
  QString* said = AnswerNextDialog();
  lists->LoadSelected();
  EXPECT_EQ(*said, QString("Nem találom a fájlt: galetkik.dat"));

  WriteFile("szornyek.dat", "1 Ork\r\n");
  lists->combo()->setCurrentIndex(1);
  lists->LoadSelected();
  EXPECT_EQ(lists->memoTitle()->text(), QString("Szörnyek"));
  EXPECT_FALSE(lists->saveButton()->isEnabled());
  lists->memo()->setPlainText("1 Ork\n2 Sárkány");
  EXPECT_TRUE(lists->saveButton()->isEnabled());
  lists->SaveMemo();
  std::ifstream in(dir_ / "szornyek.dat", std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(saved, "1 Ork\r\n2 S\xE1rk\xE1ny\r\n");
  said = AnswerNextDialog();
  lists->Update();
  EXPECT_EQ(*said, QString("Adatok aktualizálása kész"));
  EXPECT_EQ(window_->lists().monsters.names.at(1), "S\xE1rk\xE1ny");
}

TEST_F(MainWindowTest, ACharacterIsSavedLoadedAtStartAndDeleted) {
  EXPECT_FALSE(Find<QPushButton>(*window_, "BitBtnKarSave")->isEnabled());
  Find<QLineEdit>(*window_, "EditKar")->setText("1999");
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Kardos");
  EXPECT_FALSE(Find<QPushButton>(*window_, "BitBtnKarSave")->isEnabled());
  Find<QLineEdit>(*window_, "EditKar")->setText("2345");
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Kardos Ödön");
  Find<QLineEdit>(*window_, "EditJelsz")->setText("titok");
  Find<QRadioButton>(*window_, "RadioButtonUuen")->setChecked(true);
  EXPECT_TRUE(Find<QPushButton>(*window_, "BitBtnKarSave")->isEnabled());
  Find<QPushButton>(*window_, "BitBtnKarSave")->click();
  EXPECT_EQ(window_->character().shown().key, "2345");
  EXPECT_EQ(Find<QComboBox>(*window_, "ComboBoxKar")->currentText(), QString("Kardos Ödön (#2345)"));
  EXPECT_TRUE(window_->findChild<QAction*>("SaveUL")->isEnabled());
  Find<QPushButton>(*window_, "BitBtnKarLoad")->click();  // "Utolso" is the character loaded last
  Find<QPlainTextEdit>(*window_, "MemoJegyzet")->setPlainText("Jegyzet: a kard a barlangban van");  // saved at exit

  // Without a "Betolt" choice nothing loads; with "Utolso" the last one does.
  Restart();
  EXPECT_EQ(window_->character().shown().fields.number, "0000");
  mv::IniFile(dir_ / "mv.ini").Write("Karakterek", "Betolt", "Utolso");
  Restart();
  EXPECT_EQ(window_->character().shown().fields.name, mv::cp1250::FromUtf8("Kardos Ödön"));
  EXPECT_EQ(window_->character().shown().deliveryForm, mv::DeliveryForm::Uuencode);
  EXPECT_EQ(Find<QPlainTextEdit>(*window_, "MemoJegyzet")->toPlainText(), QString("Jegyzet: a kard a barlangban van"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "2345.jzt"));  // in the program directory

  QString* asked = AnswerNextDialog();  // closing the question box answers "no"
  EXPECT_FALSE(Find<mv::ui::CharacterController>(*window_, "Karakterek")->DeleteCharacter());
  EXPECT_EQ(*asked, QString("Biztos, hogy törlöd a Karaktert?"));
  QTimer::singleShot(0, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      box->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(Find<mv::ui::CharacterController>(*window_, "Karakterek")->DeleteCharacter());
  EXPECT_EQ(window_->character().shown().fields.number, "0000");  // the shown one was deleted
  EXPECT_EQ(Find<QComboBox>(*window_, "ComboBoxKar")->count(), 0);
}

TEST_F(MainWindowTest, OpenDialogFindsTheCharactersTurnsAndOpensTheLast) {
  Find<QLineEdit>(*window_, "EditKar")->setText("2345");
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Kard");
  Find<QPushButton>(*window_, "BitBtnKarSave")->click();
  for (const char* turn : {"9", "10"}) {
    window_->document().EditFields([&](mv::SheetFields& f) { f.turn = turn; });
    window_->document().SetCell(1, 1, "ea");
    ASSERT_FALSE(mv::SaveSheet(window_->document(), window_->character().shown().key,
                               dir_ / (std::string("2345-") + turn + ".ulf"))
                     .failed());
  }
  mv::ui::SheetOpenDialog* dialog = Find<mv::ui::SheetOpenDialog>(*window_, "TFormULOpen");
  ASSERT_TRUE(dialog->Prepare(Find<mv::ui::SheetFileActions>(*window_, "UlFajlok")->SheetFolders(), {"Kard (#2345)"}));
  ASSERT_EQ(dialog->turnList()->count(), 2);
  EXPECT_EQ(dialog->turnList()->item(0)->text(), QString("10. forduló   (2345-10.ulf)"));
  dialog->OpenLastTurn();
  ASSERT_TRUE(dialog->Chosen());
  EXPECT_EQ(*dialog->Chosen(), dir_ / "2345-9.ulf");
}

// A character that may send, and a mail set-up pointing at a sink.
void MakeSendable(MainWindow& w, int port, bool preview) {
  Find<QLineEdit>(w, "EditKar")->setText("2345");
  Find<QLineEdit>(w, "EditJelsz")->setText("titok");
  Find<QLineEdit>(w, "EditKarNev")->setText("Kard");
  auto* options = Find<mv::ui::OptionsController>(w, "Beallitasok");
  auto values = options->CurrentOptions();
  values.settings.previewBeforeSend = preview;
  values.settings.recipient = "ul@localhost";
  values.smtp.server = "127.0.0.1";
  values.smtp.port = port;
  values.smtp.security = mv::SmtpSettings::Security::None;
  values.smtp.sender = "jatekos@localhost";
  options->TakeOptions(values);
}

TEST_F(MainWindowTest, LetterActionsNeedANumberedCharacterWithAPassword) {
  auto* post = window_->findChild<QAction*>("PostUL");
  EXPECT_FALSE(post->isEnabled());
  Find<QLineEdit>(*window_, "EditKar")->setText("2345");
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Kard");
  EXPECT_FALSE(post->isEnabled());
  Find<QLineEdit>(*window_, "EditJelsz")->setText("titok");
  Find<QLineEdit>(*window_, "EditKarNev")->setText("Kard ");  // a name change runs the enabling rules
  EXPECT_TRUE(post->isEnabled());
  EXPECT_TRUE(window_->findChild<QAction*>("ULCopyClipBoard")->isEnabled());
}

TEST_F(MainWindowTest, CancelledPreviewSendsNothingAndSaysNothing) {
  SmtpSink sink;
  MakeSendable(*window_, sink.port(), true);
  QString* said = AnswerNextDialog();  // closes the preview: "&Mégsem"
  Find<QAction>(*window_, "PostUL")->trigger();
  EXPECT_TRUE(said->isEmpty());
  EXPECT_EQ(sink.Received(), 0);
}

TEST_F(MainWindowTest, SendingMailsTheLetterAndSaysSo) {
  SmtpSink sink;
  MakeSendable(*window_, sink.port(), false);
  window_->document().SetCell(1, 1, "be");
  QString* said = AnswerNextDialog();
  Find<QAction>(*window_, "PostUL")->trigger();
  EXPECT_EQ(*said, QString("UL elküldve"));
  ASSERT_EQ(sink.Received(), 1);
  const std::string mail = *sink.Message(1);
  EXPECT_EQ(mail.substr(mail.find("\r\n\r\n") + 4), LetterOf(*window_));

  // The same letter again: asked first, and the default sends nothing.
  const auto asked = AnswerOnce(window_.get(), QMessageBox::No);
  Find<QAction>(*window_, "PostUL")->trigger();
  EXPECT_TRUE(asked->startsWith("Ezt az UL-t már elküldted (")) << asked->toStdString();
  EXPECT_TRUE(asked->endsWith("). Elküldöd újra?"));
  EXPECT_EQ(sink.Received(), 1);
  // Changed since: it goes without the question.
  window_->document().SetCell(2, 1, "e");
  said = AnswerNextDialog();
  Find<QAction>(*window_, "PostUL")->trigger();
  EXPECT_EQ(*said, QString("UL elküldve"));
  EXPECT_EQ(sink.Received(), 2);
}

TEST_F(MainWindowTest, NoServerSaysTheMailCouldNotBeSentAndWhereToSetOne) {
  MakeSendable(*window_, SmtpSink::ClosedPort(), false);
  QString* said = AnswerNextDialog();
  Find<QAction>(*window_, "PostUL")->trigger();
  // A server that is not there, in words, with libcurl's below.
  EXPECT_TRUE(said->startsWith("Nem tudtam elküldeni a levelet\nA levelezőszerver nem fogadta a kapcsolatot"))
      << said->toStdString();
  EXPECT_TRUE(said->contains("\nMailer error: ")) << said->toStdString();
  auto values = Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions();
  values.smtp.server.clear();
  Find<mv::ui::OptionsController>(*window_, "Beallitasok")->TakeOptions(values);
  said = AnswerNextDialog();
  Find<QAction>(*window_, "PostUL")->trigger();
  EXPECT_EQ(*said, QString("Nem tudtam elküldeni a levelet\nÁllítsd be a levelezőszervert: Beállítások / E-MAIL."));
}

TEST_F(MainWindowTest, SendingShowsItsProgressAndMegseCancelsIt) {
  SmtpSink sink("hang-after-data");
  MakeSendable(*window_, sink.port(), false);
  auto label = std::make_shared<QString>();
  auto* canceller = new QTimer(window_.get());
  QObject::connect(canceller, &QTimer::timeout, [label, canceller] {
    auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (!progress || !progress->labelText().contains('/')) return;
    *label = progress->labelText();
    EXPECT_EQ(progress->windowTitle(), QString(mv::ui::kApplicationTitle));  // the one title, whole
    EXPECT_GE(progress->width(), progress->fontMetrics().horizontalAdvance(mv::ui::kApplicationTitle) + 100);
    canceller->stop();
    QTimer::singleShot(300, progress, [progress] {
      for (QPushButton* b : progress->findChildren<QPushButton*>())
        if (b->text() == "Mégse") b->click();
    });
  });
  canceller->start(20);
  QString* said = AnswerNextDialog();
  const auto start = std::chrono::steady_clock::now();
  Find<QAction>(*window_, "PostUL")->trigger();
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
  EXPECT_EQ(*label, QString("1/1: 2345-1.ulf"));  // the letter and the count
  // The whole letter was out, only the server's answer was missing.
  EXPECT_TRUE(said->startsWith("A levél elment, de a kiszolgáló nem igazolta az átvételt.")) << said->toStdString();
  EXPECT_EQ(sink.Received(), 0);
}

TEST_F(MainWindowTest, ProbalevelTriesTheSettingsAsTheyStandInTheDialog) {
  SmtpSink sink;
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")
      ->Load(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions());
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QLineEdit*>("EditSmtpServer")->setText("127.0.0.1");
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QComboBox*>("ComboSmtpSecurity")->setCurrentIndex(0);
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")
      ->findChild<QLineEdit*>("EditSmtpPort")
      ->setText(QString::number(sink.port()));
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")
      ->findChild<QLineEdit*>("EditSmtpSender")
      ->setText("jatekos@localhost");
  QString* said = AnswerNextDialog();
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QPushButton*>("ButtonProbalevel")->click();
  EXPECT_EQ(*said, QString("Próbalevél elküldve"));
  ASSERT_EQ(sink.Received(), 1);
  EXPECT_EQ(*sink.Envelope(1), "jatekos@localhost\njatekos@localhost\n");  // only to the sender
  EXPECT_TRUE(mv::ReadWholeFile(dir_ / "mv.ini").value_or("").find("127.0.0.1") == std::string::npos);  // not saved
}

TEST_F(MainWindowTest, ThePortFollowsTheSecurityModeWhileItHoldsTheUsualOne) {
  Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")
      ->Load(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->CurrentOptions());
  auto* mode = Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QComboBox*>("ComboSmtpSecurity");
  auto* port = Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QLineEdit*>("EditSmtpPort");
  EXPECT_EQ(mode->currentText(), QString("STARTTLS"));  // new settings
  EXPECT_EQ(port->text(), QString("587"));
  mode->setCurrentIndex(2);
  EXPECT_EQ(port->text(), QString("465"));
  port->setText("2525");
  mode->setCurrentIndex(0);
  EXPECT_EQ(port->text(), QString("2525"));  // the player's own port stays
  EXPECT_TRUE(
      Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QCheckBox*>("CheckBoxMasolat")->isChecked());
  EXPECT_NE(Find<mv::ui::OptionsDialog>(*window_, "TFormOptions")->findChild<QPushButton*>("ButtonProbalevel"),
            nullptr);
}

TEST_F(MainWindowTest, CopyPutsTheWholeLetterOnTheClipboard) {
  MakeSendable(*window_, SmtpSink::ClosedPort(), false);
  Find<QAction>(*window_, "ULCopyClipBoard")->trigger();
  const QString text = QApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith("VERSION=MV1.2\r\nemail=\r\nKSZ=2345\r\n"));
  EXPECT_TRUE(text.endsWith("Post=UL Postázása\r\n"));
}

TEST_F(MainWindowTest, CalculatorsComputeAsThePlayerTypes) {
  auto* riddles = window_->findChild<mv::ui::RiddlesTab*>("Rejtvenyek");
  ASSERT_NE(riddles, nullptr);
  riddles->Field("EditRejtveny1a")->setText("3");
  riddles->Field("EditRejtveny1b")->setText("4");
  riddles->Field("EditRejtveny1c")->setText("90");
  EXPECT_EQ(riddles->Field("EditRejtveny1d")->text(), QString("5"));
  riddles->Field("EditRejtveny1c")->setText("x");
  EXPECT_EQ(riddles->Field("EditRejtveny1d")->text(), QString(""));

  auto* valley = window_->findChild<mv::ui::ValleyTab*>("TabSheet1");
  ASSERT_NE(valley, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(valley->group(i)->isHidden());
  valley->picker()->setCurrentIndex(1);
  EXPECT_FALSE(valley->group(1)->isHidden());
  EXPECT_EQ(valley->group(1)->pos(), QPoint(8, 40));
  valley->Field("rebusz1a")->setText("10");
  EXPECT_EQ(valley->Field("rebusz1b")->text(), QString("4"));
  EXPECT_EQ(valley->Field("rebusz1c")->text(), QString("4"));
  valley->Field("rebusz1a")->setText("-1");  // a failed step keeps the fields
  EXPECT_EQ(valley->Field("rebusz1b")->text(), QString("4"));
}

TEST_F(MainWindowTest, FormatterComposesAnItemNumber) {
  WriteFile("rtargyak.dat", "1000 lemezp\xE1nc\xE9l\r\n1016 kard\r\n");
  Restart();
  auto* formatter = window_->findChild<mv::ui::FormatterTab*>("Formazok");
  ASSERT_NE(formatter, nullptr);
  Find<QTabWidget>(*window_, "PageControl1")->setCurrentWidget(formatter);
  EXPECT_EQ(formatter->itemLabel()->text(), QString("Az erő lemezpáncélja (#1450)"));
  formatter->kinds()->setCurrentIndex(1);
  EXPECT_EQ(formatter->levelLabel()->text(), QString("2. szintű tárgy."));
  EXPECT_EQ(formatter->itemLabel()->text(), QString("Az erő kardja (#1466)"));
}

TEST_F(MainWindowTest, F1OpensTheCommandsPageOrTheContents) {
  ASSERT_TRUE(Find<mv::ui::HelpWindows>(*window_, "Sugo")->on());
  EXPECT_TRUE(window_->findChild<QAction*>("Contents")->isEnabled());
  window_->document().SetCell(2, 1, "be");
  Go(2, 1);
  Key(Qt::Key_F1);
  EXPECT_EQ(Find<mv::ui::HelpWindows>(*window_, "Sugo")->Topic("KontextusHelpAblak"), QString("pbe"));
  ASSERT_NE(Find<mv::ui::HelpWindows>(*window_, "Sugo")->Window("KontextusHelpAblak"), nullptr);
  EXPECT_TRUE(Find<mv::ui::HelpWindows>(*window_, "Sugo")
                  ->Window("KontextusHelpAblak")
                  ->toPlainText()
                  .contains("Belépés épületbe"));
  Go(5, 1);
  QTest::keyClick(grid(), Qt::Key_F1);  // the help window took the focus
  EXPECT_EQ(Find<mv::ui::HelpWindows>(*window_, "Sugo")->Topic("MV_MAIN"), QString("topic167"));
  // A link between pages opens the linked topic in the same window.
  emit Find<mv::ui::HelpWindows>(*window_, "Sugo")->Window("MV_MAIN")->anchorClicked(QUrl("pm.htm"));
  EXPECT_EQ(Find<mv::ui::HelpWindows>(*window_, "Sugo")->Topic("MV_MAIN"), QString("pm"));
  Find<mv::ui::CommandPicker>(*window_, "TFormParancsok")->list()->setCurrentRow(0);
  Find<mv::ui::CommandPicker>(*window_, "TFormParancsok")->findChild<QPushButton*>("ButtonHelp")->click();
  EXPECT_EQ(Find<mv::ui::HelpWindows>(*window_, "Sugo")->Topic("KontextusHelpAblak"), QString("pa"));
  // Escape closes a help window.
  QTextBrowser* main = Find<mv::ui::HelpWindows>(*window_, "Sugo")->Window("MV_MAIN");
  main->show();
  QApplication::setActiveWindow(main);
  QTest::keyClick(main, Qt::Key_Escape);
  EXPECT_FALSE(main->isVisible());

  // News and read-me open in our own window, decoded from Windows-1250.
  window_->findChild<QAction*>("Readme")->trigger();
  QTextBrowser* text = Find<mv::ui::HelpWindows>(*window_, "Sugo")->Window("SzovegAblak");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isVisible());
  EXPECT_TRUE(text->toPlainText().contains("használati útmutató", Qt::CaseInsensitive))
      << text->toPlainText().toStdString();
  window_->findChild<QAction*>("News")->trigger();
  EXPECT_EQ(text->windowTitle(), QString("Újdonságok"));
  EXPECT_FALSE(text->toPlainText().contains(QChar(0xFFFD)));
  window_->close();
  EXPECT_EQ(Find<mv::ui::HelpWindows>(*window_, "Sugo")->Window("MV_MAIN"),
            nullptr);  // every help window closes at exit
}

TEST_F(MainWindowTest, AFailedSaveOnQuittingKeepsTheWindowAndTheOrders) {
  NumberedCharacter();
  const std::filesystem::path locked = dir_ / "zart";
  std::filesystem::create_directories(locked);
  window_->document().SetFileName((locked / "2345-1.ulf").string());
  Go(1, 1);
  Type("be");
  ::chmod(locked.c_str(), 0555);
  const auto said = Press(QMessageBox::Yes);
  window_->close();
  ::chmod(locked.c_str(), 0755);
  ASSERT_GE(said->size(), 2);
  EXPECT_EQ(said->at(0), QString("Elmented a változásokat?"));
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Cell(1, 1), "be");
  EXPECT_TRUE(window_->document().modified());
}

TEST_F(MainWindowTest, TheReleaseOfAKeyThatClosedADialogChangesNothing) {
  Go(1, 1);
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_Delete}) {
    QTest::keyRelease(grid(), key);  // its press went to the dialog
    EXPECT_FALSE(window_->document().modified()) << key;
  }
  // The picker closed with Escape, then its key's release reaches the grid.
  QTimer::singleShot(50, [] {
    if (QWidget* picker = QApplication::activeModalWidget()) QTest::keyClick(picker, Qt::Key_Escape);
  });
  Find<QAction>(*window_, "NewParancs1")->trigger();
  QTest::keyRelease(grid(), Qt::Key_Escape);
  EXPECT_FALSE(window_->document().modified());
  QTest::keyClick(grid(), Qt::Key_E);  // a key typed in the grid still counts
  EXPECT_TRUE(window_->document().modified());
}

TEST_F(MainWindowTest, UndoAndRedoFromTheMenuAndThePopup) {
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Return);
  Go(2, 1);
  Type("e");
  Key(Qt::Key_Return);
  QAction* undo = window_->findChild<QAction*>("Undo");
  ASSERT_NE(undo, nullptr);
  EXPECT_EQ(undo->text(), QString("Visszavonás"));
  EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_TRUE(window_->findChild<QMenu*>("PopupMenu1")->actions().contains(undo));
  undo->trigger();
  EXPECT_EQ(Cell(2, 1), "");
  EXPECT_EQ(Cell(1, 1), "be");
  undo->trigger();
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_FALSE(window_->document().modified());  // back where the sheet started
  window_->findChild<QAction*>("Redo")->trigger();
  EXPECT_EQ(Cell(1, 1), "be");
  EXPECT_TRUE(window_->document().modified());
  EXPECT_EQ(grid()->model()->index(0, 1).data().toString(), QString("be"));  // the grid shows it
}

TEST_F(MainWindowTest, UndoAndRedoAreEnabledOnlyWithSomethingToUndoOrRedo) {
  QAction* undo = Find<QAction>(*window_, "Undo");
  QAction* redo = Find<QAction>(*window_, "Redo");
  const auto state = [&] { return std::pair{undo->isEnabled(), redo->isEnabled()}; };
  EXPECT_EQ(state(), std::pair(false, false));
  Go(1, 1);
  Type("be");
  Key(Qt::Key_Return);
  EXPECT_EQ(state(), std::pair(true, false));
  undo->trigger();
  EXPECT_EQ(state(), std::pair(false, true));
  redo->trigger();
  EXPECT_EQ(state(), std::pair(true, false));
  window_->document().SetModified(false);
  Find<QAction>(*window_, "NewUL")->trigger();
  EXPECT_EQ(state(), std::pair(false, false));  // a new sheet starts a new history

  // The check interprets the sheet without touching its history.
  window_->document().SetCell(1, 1, "e");
  CheckOf(*window_);
  EXPECT_EQ(state(), std::pair(false, false));
}

TEST_F(MainWindowTest, ASheetOpenedAtStartKeepsItsCharacter) {
  NumberedCharacter("2999");
  NumberedCharacter("2345");
  mv::IniFile(dir_ / "mv.ini").Write("Karakterek", "Betolt", "Alapertelmezett");
  mv::IniFile(dir_ / "mv.ini").Write("Karakterek", "Alapertelmezett", "2999");
  window_->document().EditFields([&](mv::SheetFields& f) { f.turn = "7"; });
  ASSERT_FALSE(mv::SaveSheet(window_->document(), window_->character().shown().key, dir_ / "2345-7.ulf").failed());
  Restart({QString::fromStdString((dir_ / "2345-7.ulf").string())});
  EXPECT_EQ(window_->character().shown().fields.number, "2345");
  Restart();
  EXPECT_EQ(window_->character().shown().fields.number, "2999");  // without a sheet the rule holds
}

TEST_F(MainWindowTest, AnUnsavedSheetOfAKilledProgramIsOfferedBack) {
  NumberedCharacter();
  Go(1, 1);
  Type("be");
  QTest::qWait(1300);  // the recovery copy is written shortly after a change
  // Killed: no question, no clean-up; a new program starts.
  window_->document().SetModified(false);
  auto* killed = window_.release();
  killed->setAttribute(Qt::WA_DeleteOnClose, false);
  // The recovery lock goes with the process; here with the window's copy.
  delete killed;
  window_ = std::make_unique<MainWindow>(dir_, QStringList{});
  const auto said = Press(QMessageBox::Yes);
  window_->show();
  for (int i = 0; i < 20 && said->isEmpty(); ++i) QTest::qWait(20);
  ASSERT_FALSE(said->isEmpty());
  EXPECT_TRUE(said->at(0).startsWith("Találtam egy el nem mentett UL-t (2345-1, 20")) << said->at(0).toStdString();
  EXPECT_EQ(Cell(1, 1), "be");
  EXPECT_TRUE(window_->document().modified());
  EXPECT_EQ(window_->character().shown().fields.number, "2345");
}

// A sheet with one problem of each level: an unknown code, a stale cost and
// an item the list cannot name.
void ProblemSheet(MainWindow& w) {
  mv::OrderDocument& m = w.document();
  m.SetCell(1, 1, "xyz");
  m.SetCell(2, 1, "e");
  m.SetCell(2, 8, "99");
  m.SetCell(3, 1, "ea");
  m.SetCell(3, 2, "7");
  w.view().SetRow(3);
  w.editor().InterpretCurrentRow();
}

TEST_F(MainWindowTest, EllenorzesListsTheProblemsAndADoubleClickGoesToTheRow) {
  ProblemSheet(*window_);
  QAction* check = window_->findChild<QAction*>("Ellenorzes");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->shortcut(), QKeySequence(Qt::Key_F5));
  auto* dialog = window_->findChild<mv::ui::ProblemList*>("TFormEllenorzes");
  ASSERT_NE(dialog, nullptr);
  QStringList lines, levels;
  QTimer::singleShot(50, [&] {
    QListWidget* list = dialog->list();
    for (int i = 0; i < list->count(); ++i) {
      lines << list->item(i)->text();
      levels << list->item(i)->data(Qt::UserRole + 1).toString();
    }
    std::filesystem::create_directories(ARTEFACT_DIR);
    dialog->grab().save(QString(ARTEFACT_DIR) + "/ellenorzes.png");
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->text().startsWith("1. sor")) emit list->itemDoubleClicked(list->item(i));
  });
  const mv::OrderSheet before = window_->document().sheet();
  check->trigger();
  EXPECT_TRUE(lines.contains("1. sor: ismeretlen parancs: xyz")) << lines.join("|").toStdString();
  EXPECT_TRUE(lines.contains("2. sor: TVP 99, helyesen 30")) << lines.join("|").toStdString();
  EXPECT_TRUE(lines.contains("3. sor: nincs a listában: 7 (tárgy)")) << lines.join("|").toStdString();
  EXPECT_TRUE(levels.contains("error") && levels.contains("warning") && levels.contains("notice"));
  EXPECT_EQ(window_->view().row(), 1);                      // the double-clicked row
  EXPECT_EQ(window_->document().sheet().Cell(2, 8), "99");  // the check changed nothing

  window_->findChild<QAction*>("Ujraszamolas")->trigger();
  EXPECT_EQ(window_->document().sheet().Cell(2, 8), "30");
}

TEST_F(MainWindowTest, ALetterWithErrorsIsQuestionedAndTheDefaultSendsNothing) {
  SmtpSink sink;
  MakeSendable(*window_, sink.port(), false);
  ProblemSheet(*window_);
  ASSERT_EQ(mv::CountErrors(CheckOf(*window_)), 1);
  ASSERT_TRUE(Find<mv::ui::OptionsController>(*window_, "Beallitasok")->settings().checkBeforeSend);
  // The question's default answer (Enter) and Escape both say no.
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    auto asked = std::make_shared<QString>();
    WhenShown("KuldesElottiKerdes", [asked, key](QWidget* w) {
      *asked = static_cast<QMessageBox*>(w)->text();
      QTest::keyClick(w, key);
    });
    Find<QAction>(*window_, "PostUL")->trigger();
    EXPECT_EQ(*asked, QString("Az UL-ben 1 hiba van. Elküldöd így is?"));
    EXPECT_EQ(sink.Received(), 0);
  }
  // "Megnézem" gives up the letter and opens the problem list.
  bool listed = false;
  WhenShown("KuldesElottiKerdes", [](QWidget* w) {
    for (QAbstractButton* b : static_cast<QMessageBox*>(w)->buttons())
      if (QString(b->text()).remove('&') == "Megnézem") b->click();
  });
  WhenShown("TFormEllenorzes", [&](QWidget* w) {
    auto* list = static_cast<mv::ui::ProblemList*>(w);
    listed = list->list()->count() > 0;
    list->reject();
  });
  Find<QAction>(*window_, "ULCopyClipBoard")->trigger();
  EXPECT_TRUE(listed);
  EXPECT_EQ(sink.Received(), 0);

  // "Igen" sends, and what went out is kept and shown on "Adatok".
  EXPECT_FALSE(std::filesystem::exists(dir_ / "elkuldve"));
  WhenShown("KuldesElottiKerdes", [this](QWidget* w) {
    AnswerNextDialog();
    for (QAbstractButton* b : static_cast<QMessageBox*>(w)->buttons())
      if (QString(b->text()).remove('&') == "Igen") b->click();
  });
  Find<QAction>(*window_, "PostUL")->trigger();
  ASSERT_EQ(sink.Received(), 1);
  EXPECT_EQ(*answered_, QString("UL elküldve"));
  const auto kept = std::filesystem::directory_iterator(dir_ / "elkuldve");
  ASSERT_NE(kept, std::filesystem::directory_iterator());
  EXPECT_EQ(mv::ReadWholeFile(kept->path()).value_or(""), LetterOf(*window_));
  EXPECT_TRUE(
      window_->findChild<QLabel*>("LabelUtoljaraElkuldve")->text().startsWith("Utoljára elküldve: 1. forduló, "));
}

TEST_F(MainWindowTest, StandardButtonsAndFileDialogsAreHungarianAndTheTitleStandsAlone) {
  EXPECT_EQ(window_->windowTitle(), QString("Vorlan Morvald UL készítő programja 2.3.14"));
  EXPECT_TRUE(QApplication::applicationDisplayName().isEmpty() ||
              QApplication::applicationDisplayName() == QApplication::applicationName());

  // The question before quitting: Hungarian buttons, "Igen" by default.
  window_->document().SetModified(true);
  QStringList buttons;
  QString defaultButton;
  auto* timer = new QTimer(window_.get());
  QObject::connect(timer, &QTimer::timeout, [&, timer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    timer->stop();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    if (box->defaultButton()) defaultButton = box->defaultButton()->text();
    std::filesystem::create_directories(ARTEFACT_DIR);
    box->grab().save(QString(ARTEFACT_DIR) + "/kerdes.png");
    box->button(QMessageBox::Cancel)->click();
  });
  timer->start(10);
  window_->close();
  EXPECT_TRUE(buttons.contains("&Igen")) << buttons.join("|").toStdString();
  EXPECT_TRUE(buttons.contains("&Nem")) << buttons.join("|").toStdString();
  EXPECT_EQ(defaultButton, QString("&Igen"));
  EXPECT_TRUE(window_->isVisible());  // cancelled

  // The file dialog of "Ment másként".
  QStringList labels;
  auto* dialogTimer = new QTimer(window_.get());
  QObject::connect(dialogTimer, &QTimer::timeout, [&, dialogTimer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialogTimer->stop();
    for (QLabel* l : dialog->findChildren<QLabel*>()) labels << l->text();
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) labels << b->text();
    QTest::qWait(300);  // the folder is read off the window's thread
    // Every column shows whole; the type and the date in Hungarian.
    for (QTreeView* view : dialog->findChildren<QTreeView*>()) {
      if (!view->isVisible() || !view->model() || view->model()->rowCount(view->rootIndex()) == 0) continue;
      const QModelIndex first = view->model()->index(0, 0, view->rootIndex());
      for (int column = 1; column < 4; ++column) {
        const QString text = view->model()->index(first.row(), column, first.parent()).data().toString();
        const QString header = view->model()->headerData(column, Qt::Horizontal).toString();
        const int needed =
            std::max(view->fontMetrics().horizontalAdvance(text), view->fontMetrics().horizontalAdvance(header));
        EXPECT_GE(view->header()->sectionSize(column), needed) << column << " " << text.toStdString();
      }
      labels << "size:" + view->model()->index(first.row(), 1, first.parent()).data().toString();
      labels << "type:" + view->model()->index(first.row(), 2, first.parent()).data().toString();
      labels << "date:" + view->model()->index(first.row(), 3, first.parent()).data().toString();
    }
    dialog->grab().save(QString(ARTEFACT_DIR) + "/fajl-parbeszed.png");
    dialog->reject();
  });
  dialogTimer->start(10);
  NumberedCharacter();
  WriteFile("2345-1.ulf", "1\r\n");  // something to list
  Find<QAction>(*window_, "SaveAsUL")->trigger();
  for (const char* hungarian : {"Keresés itt:", "Fájl &neve:", "Menté&s", "Mégse"})
    EXPECT_TRUE(labels.contains(hungarian)) << hungarian << " in " << labels.join("|").toStdString();
  const QString joined = labels.join("|");
  EXPECT_TRUE(joined.contains(QRegularExpression("date:\\d{4}\\. \\d\\d\\. \\d\\d\\. \\d\\d:\\d\\d")))
      << joined.toStdString();
  EXPECT_FALSE(joined.contains("File")) << joined.toStdString();
  EXPECT_TRUE(joined.contains("size:3 bájt")) << joined.toStdString();
}

TEST_F(MainWindowTest, CharactersAreListedInHungarianAlphabeticalOrder) {
  const char* names[] = {"Bea", "Zord", "alma", "Ádám", "Öt jegy", "ágnes"};
  int number = 2001;
  for (const char* name : names) {
    Find<QLineEdit>(*window_, "EditKar")->setText(QString::number(number++));
    Find<QLineEdit>(*window_, "EditKarNev")->setText(name);
    Find<QPushButton>(*window_, "BitBtnKarSave")->click();
  }
  QStringList shown;
  for (int i = 0; i < Find<QComboBox>(*window_, "ComboBoxKar")->count(); ++i)
    shown << Find<QComboBox>(*window_, "ComboBoxKar")->itemText(i).section(" (#", 0, 0);
  EXPECT_EQ(shown, (QStringList{"Ádám", "ágnes", "alma", "Bea", "Öt jegy", "Zord"})) << shown.join(", ").toStdString();
}

TEST_F(MainWindowTest, DraggingARowShowsWhereItWillLand) {
  window_->document().SetCell(1, 1, "be");
  window_->ShowModel();
  QWidget* viewport = grid()->viewport();
  const QPoint from = grid()->visualRect(grid()->model()->index(0, 0)).center();
  const QPoint to = grid()->visualRect(grid()->model()->index(3, 0)).center();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  EXPECT_EQ(grid()->property("dropTarget").toInt(), 4);  // the line shows while the button is down
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
  EXPECT_EQ(grid()->property("dropTarget").toInt(), 0);
  EXPECT_EQ(Cell(4, 1), "be");
  EXPECT_EQ(Cell(1, 1), "");
}

}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs the binary without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Window state and the file association go to a home of the test's own.
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() / ("mvul-ui-home-" + std::to_string(::getpid()));
  std::filesystem::create_directories(home);
  qputenv("HOME", home.c_str());
  qputenv("XDG_CONFIG_HOME", (home / "config").c_str());
  qputenv("XDG_DATA_HOME", (home / "data").c_str());
  QApplication app(argc, argv);
  mv::ui::LoadQtHungarian(app);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(home);
  return result;
}
