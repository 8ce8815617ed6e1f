#include "ui/TurnBoard.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "store/SentArchive.h"
#include "store/SheetDocument.h"
#include "ui/Captions.h"
#include "ui/OptionsController.h"
#include "ui/Text.h"

namespace mv::ui {
namespace {

constexpr int kSheetRole = Qt::UserRole;
constexpr int kCurrentRole = Qt::UserRole + 1;

// A light background that adds to the word, never replaces it.
QColor ColourOf(SheetState state) {
  switch (state) {
    case SheetState::Sent: return QColor(0xd8, 0xf0, 0xd8);
    case SheetState::Uncertain:
    case SheetState::Changed:
    case SheetState::Review: return QColor(0xff, 0xf2, 0xc0);
    case SheetState::Errors:
    case SheetState::Broken: return QColor(0xff, 0xd8, 0xd8);
    case SheetState::Ready: return QColor(0xe0, 0xec, 0xff);
    case SheetState::Missing: break;
  }
  return {};
}

QString CellText(const TurnStatus& status, bool canSend) {
  QString text = status.turn > 0 ? QString("%1. forduló\n").arg(status.turn) : QString();
  text += Q(StateText(status, canSend));
  if (status.state != SheetState::Missing && status.state != SheetState::Broken) {
    text += "\nTVP " + Q(status.tvpTotal);
    if (status.tvpBudget) text += QString("/%1").arg(*status.tvpBudget);
  }
  return text;
}

QString ColumnTitle(int back) { return back == 0 ? QString("Aktuális") : QString("−%1").arg(back); }

}  // namespace

TurnBoard::TurnBoard(std::filesystem::path programDirectory, IniFile& ini, const ReferenceLists& lists,
                     std::function<std::vector<std::filesystem::path>()> sheetFolders, QWidget* parent)
    : QWidget(parent, Qt::Window),
      programDirectory_(std::move(programDirectory)),
      ini_(ini),
      lists_(lists),
      sheetFolders_(std::move(sheetFolders)) {
  setObjectName("FordulokAttekintese");
  setWindowTitle("Fordulók áttekintése");
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  earlier_ = new QPushButton("◀", this);
  earlier_->setObjectName("Korabbi");
  earlier_->setAccessibleName("Korábbi fordulók");
  later_ = new QPushButton("▶", this);
  later_->setObjectName("Kesobbi");
  later_->setAccessibleName("Későbbi fordulók");
  auto* refresh = new QPushButton("&Frissítés", this);
  refresh->setObjectName("Frissites");
  nextTurn_ = new QPushButton("UL a következő &fordulóra", this);
  nextTurn_->setObjectName("KovetkezoFordulo");
  auto* sendAll = new QPushButton("Összes &elküldése", this);
  sendAll->setObjectName("OsszesElkuldese");
  for (QPushButton* b : {earlier_, later_, refresh, nextTurn_, sendAll}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);

  table_ = new QTableWidget(0, kColumns, this);
  table_->setObjectName("Fordulok");
  table_->setAccessibleName("Fordulók");
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(true);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(table_);
  broken_ = new QLabel(this);
  broken_->setObjectName("HibasFajlok");
  broken_->setWordWrap(true);
  layout->addWidget(broken_);

  connect(earlier_, &QPushButton::clicked, this, [this] { Shift(1); });
  connect(later_, &QPushButton::clicked, this, [this] { Shift(-1); });
  connect(refresh, &QPushButton::clicked, this, &TurnBoard::Refresh);
  connect(nextTurn_, &QPushButton::clicked, this, [this] {
    if (const QString sheet = SelectedCurrentSheet(); !sheet.isEmpty()) emit NextTurnRequested(sheet);
  });
  connect(sendAll, &QPushButton::clicked, this, &TurnBoard::SendAllRequested);
  table_->installEventFilter(this);  // Enter opens, as a double-click does
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { OpenSelected(); });
  connect(table_, &QTableWidget::currentCellChanged, this, [this] { UpdateButtons(); });

  resize(760, 420);
  QSettings store = WindowStateStore();
  if (store.contains("FordulokAllapota/Geometry"))
    restoreGeometry(store.value("FordulokAllapota/Geometry").toByteArray());
}

void TurnBoard::Refresh() {
  const TurnOverview overview = ScanTurns(sheetFolders_(), ini_, lists_);
  const KeptLetters kept(programDirectory_);
  const TurnContext context{lists_, kept, ini_};
  const int row = table_->currentRow(), column = table_->currentColumn();
  current_.clear();
  table_->clearContents();
  table_->setRowCount(int(overview.characters.size()));
  QStringList headers;
  for (int c = 0; c < kColumns; ++c) headers << ColumnTitle(back_ + c);
  table_->setHorizontalHeaderLabels(headers);
  QStringList names;
  for (std::size_t r = 0; r < overview.characters.size(); ++r) {
    const CharacterTurns& character = overview.characters[r];
    names << Q(character.name.empty() ? "#" + character.key : character.name + " (#" + character.key + ")");
    const auto currentTurn = character.CurrentTurn();
    current_.push_back({character, currentTurn ? StatusOf(character, *currentTurn, context) : TurnStatus{}});
    for (int c = 0; c < kColumns; ++c) {
      const long long turn = currentTurn ? *currentTurn - back_ - c : 0;
      TurnStatus status;
      if (c == 0 && back_ == 0)
        status = current_.back().status;
      else if (turn >= 1)
        status = StatusOf(character, turn, context);
      else if (currentTurn)
        continue;  // before the first turn
      auto* item = new QTableWidgetItem(CellText(status, character.canSend));
      item->setData(kSheetRole, QString::fromStdString(status.sheet.string()));
      item->setData(kCurrentRole, c == 0 && back_ == 0);
      if (const QColor colour = ColourOf(status.state); colour.isValid()) {
        item->setBackground(colour);
        item->setForeground(QColor(Qt::black));
      }
      table_->setItem(int(r), c, item);
    }
  }
  table_->setVerticalHeaderLabels(names);
  QStringList broken;
  for (const auto& path : overview.broken) broken << Q(DisplayPath(path));
  for (const std::string& name : overview.ignored) broken << Q(name) + " (nem érvényes forduló vagy karakter)";
  broken_->setText(broken.isEmpty() ? QString() : "Hibás vagy kihagyott fájlok: " + broken.join(", "));
  if (row >= 0 && row < table_->rowCount()) table_->setCurrentCell(row, column);
  UpdateButtons();
}

void TurnBoard::Shift(int turns) {
  back_ = std::max(0, back_ + turns);
  Refresh();
}

QString TurnBoard::SelectedCurrentSheet() const {
  const QTableWidgetItem* item = table_->currentItem();
  if (!item || !item->data(kCurrentRole).toBool()) return {};
  return item->data(kSheetRole).toString();
}

void TurnBoard::OpenSelected() {
  const QTableWidgetItem* item = table_->currentItem();
  if (!item) return;
  if (const QString sheet = item->data(kSheetRole).toString(); !sheet.isEmpty()) emit OpenRequested(sheet);
}

void TurnBoard::UpdateButtons() {
  later_->setEnabled(back_ > 0);
  nextTurn_->setEnabled(!SelectedCurrentSheet().isEmpty());
}

bool TurnBoard::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenSelected();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TurnBoard::closeEvent(QCloseEvent* event) {
  QSettings store = WindowStateStore();
  store.setValue("FordulokAllapota/Geometry", saveGeometry());
  QWidget::closeEvent(event);
}

}  // namespace mv::ui
