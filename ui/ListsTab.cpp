#include "ui/ListsTab.h"
#include "ui/MessageBoxes.h"

#include <QMessageBox>

#include <cerrno>

#include "store/DataListFile.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"
#include "ui/Text.h"

namespace mv::ui {

namespace {

const char* const kRepairFailed =
    "Hiba az adatfájlok javítása közben. Lehet, hogy a fájlok írásvédettek. Szüntesd meg az írásvédettséget és "
    "próbáld újra! Ha adatok vesztek el, telepítsd újra a programot!";

const char* const kRules =
    "Minden sor, ami egy számmal\n"
    "kezdődik és ezenkívül taralmaz \n"
    "legalább egy betűt, azt beolvassa \n"
    "a program, minden mást figyelmen \n"
    "kívül hagy. Egy sorszám többször \n"
    "is szerepelhet, csak az utolsó \n"
    "számít.\n"
    "\n"
    "A varázsitalokat a következő\n"
    "szabályok szerint kell módosítani:\n"
    "Az első szám a főzés eredményé-\n"
    "nek sorszáma legyen (sikertelen \n"
    "főzés esetében nulla), ezután a \n"
    "komponensek számai növekvő \n"
    "sorrendben kövessék egymást";

QPushButton* Button(QWidget* parent, const QString& caption, const char* name, const QString& hint, QRect at) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setToolTip(hint);
  b->setGeometry(at);
  return b;
}

}  // namespace

ListsTab::ListsTab(std::filesystem::path directory, ReferenceLists& lists, QWidget* parent)
    : QWidget(parent), directory_(std::move(directory)), lists_(lists) {
  combo_ = new QComboBox(this);
  combo_->setObjectName("ComboBoxListak");
  combo_->setToolTip("Válaszd ki a szerkesztendő listát!");
  for (const DataListFile& f : DataListFiles()) combo_->addItem(Q(f.choice));
  combo_->setCurrentIndex(-1);
  combo_->setGeometry(8, 8, 150, 22);
  auto* load = Button(this, "Betölt", "BitBtnLoad", "Betölti a kiválasztott adatlistát", {164, 6, 80, 25});
  title_ = new QLabel(this);
  title_->setObjectName("LabelMemo");
  title_->setGeometry(8, 36, 300, 16);
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setAccessibleName("Adatlista");
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setGeometry(8, 54, 380, 330);
  save_ = Button(this, "Ment", "BitBtnSave", "Elmenti a megváltozott adatlistát", {250, 6, 80, 25});
  save_->setEnabled(false);
  auto* update =
      Button(this, " Aktualizálás", "BitBtnUpdate", "A módosított adatfájlokat beolvassa", {398, 6, 100, 25});
  auto* sort = Button(this, " Sorrendezés", "BitBtnSort",
                      "Az adatfájlokat beolvassa, sorszám szerint rendezi,\n"
                      "és visszaírja tartalmukat kiszűrve az ismétlődéseket",
                      {502, 6, 100, 25});
  auto* rules = new QLabel(kRules, this);
  rules->setObjectName("Label4");
  rules->setGeometry(398, 40, 204, 300);
  rules->setAlignment(Qt::AlignTop | Qt::AlignLeft);

  connect(load, &QPushButton::clicked, this, &ListsTab::LoadSelected);
  connect(save_, &QPushButton::clicked, this, &ListsTab::SaveMemo);
  connect(update, &QPushButton::clicked, this, &ListsTab::Update);
  connect(sort, &QPushButton::clicked, this, &ListsTab::Sort);
  connect(memo_, &QPlainTextEdit::textChanged, this, [this] { save_->setEnabled(true); });
}

void ListsTab::LoadSelected() {
  const int index = combo_->currentIndex();
  if (index < 0) return;
  const DataListFile& f = DataListFiles()[std::size_t(index)];
  const auto text = ReadWholeFile(directory_ / f.file);
  if (!text) {
    Tell(this, QMessageBox::Critical,
         "Nem találom a fájlt: " + QString::fromLatin1(f.file.data(), qsizetype(f.file.size())));
    return;
  }
  memo_->setPlainText(MemoText(*text));
  title_->setText(Q(f.title));
  save_->setEnabled(false);
}

void ListsTab::SaveMemo() {
  for (const DataListFile& f : DataListFiles()) {
    if (Q(f.title) != title_->text()) continue;
    if (!WriteFileAtomically(directory_ / f.file, FileText(memo_->toPlainText()))) {
      Tell(this, QMessageBox::Critical,
           Q(WriteFailedMessage("Nem sikerült menteni a fájlt: ", directory_ / f.file, errno)) +
               ". A korábbi tartalma megmaradt.");
      return;
    }
    save_->setEnabled(false);
    return;
  }
}

void ListsTab::ResetEditor() {
  memo_->clear();
  title_->clear();
  combo_->setCurrentIndex(-1);
  save_->setEnabled(false);
}

void ListsTab::Update() {
  if (!UpdateReferenceLists(directory_, lists_)) {
    Tell(this, QMessageBox::Critical, kRepairFailed);
    return;
  }
  ResetEditor();
  emit ListsChanged();
  Tell(this, QMessageBox::Information, "Adatok aktualizálása kész");
}

void ListsTab::Sort() {
  const bool ok = SortReferenceLists(directory_, lists_);
  emit ListsChanged();
  if (!ok) {
    Tell(this, QMessageBox::Critical, kRepairFailed);
    return;
  }
  ResetEditor();
  Tell(this, QMessageBox::Information, "Adatok aktualizálása kész");
}

}  // namespace mv::ui
