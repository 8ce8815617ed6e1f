#include "ui/TurnBoard.h"

#include <QShortcut>

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
constexpr int kStateRole = Qt::UserRole + 2;

// A light background that adds to the word, never replaces it.
QColor ColourOf(SheetState state) {
  switch (state) {
    case SheetState::Sent: return QColor(0xd8, 0xf0, 0xd8);
    case SheetState::Unknown:
    case SheetState::Uncertain:
    case SheetState::Changed:
    case SheetState::Review: return QColor(0xff, 0xf2, 0xc0);
    case SheetState::Errors:
    case SheetState::Broken: return QColor(0xff, 0xd8, 0xd8);
    case SheetState::Ready: return QColor(0xe0, 0xec, 0xff);
    case SheetState::Missing:
    case SheetState::NotSent: break;
  }
  return {};
}

QString CellText(const TurnStatus& status, bool canSend) {
  QString text = status.turn > 0 ? QString("%1. forduló\n").arg(status.turn) : QString();
  text += Q(StateText(status, canSend));
  if (status.state != SheetState::Missing && status.state != SheetState::Broken &&
      status.state != SheetState::NotSent) {
    text += "\nTVP " + Q(status.tvpTotal);
    if (status.tvpBudget) text += QString("/%1").arg(*status.tvpBudget);
  }
  return text;
}

QString ColumnTitle(int back) { return back == 0 ? QString("Aktuális") : QString("−%1").arg(back); }

}  // namespace

TurnBoard::TurnBoard(std::filesystem::path programDirectory, std::filesystem::path iniPath, const ReferenceLists& lists,
                     std::function<std::vector<std::filesystem::path>()> sheetFolders, QWidget* parent)
    : QWidget(parent, Qt::Window),
      programDirectory_(std::move(programDirectory)),
      iniPath_(std::move(iniPath)),
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
  // A sheet changed since its letter went: what changed, against the letter.
  changed_ = new QPushButton("Mi vál&tozott?", this);
  changed_->setObjectName("MiValtozott");
  for (QPushButton* b : {earlier_, later_, refresh, nextTurn_, sendAll, changed_}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);

  allDone_ = new QLabel(this);
  allDone_->setObjectName("MindenKesz");
  layout->addWidget(allDone_);

  looking_ = new QLabel(this);
  looking_->setObjectName("Kereses");
  layout->addWidget(looking_);

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
  connect(changed_, &QPushButton::clicked, this, [this] {
    if (const QTableWidgetItem* item = table_->currentItem()) emit DiffRequested(item->data(kSheetRole).toString());
  });
  auto* next = new QShortcut(QKeySequence("Ctrl+N"), this);
  connect(next, &QShortcut::activated, this, &TurnBoard::NextNeedingRequested);
  table_->installEventFilter(this);  // Enter opens, as a double-click does
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { OpenSelected(); });
  connect(table_, &QTableWidget::currentCellChanged, this, [this] { UpdateButtons(); });

  resize(760, 420);
  QSettings store = WindowStateStore();
  if (store.contains("FordulokAllapota/Geometry"))
    restoreGeometry(store.value("FordulokAllapota/Geometry").toByteArray());
}

TurnBoard::~TurnBoard() {
  // A look reads files only, each bounded: its end is near.
  if (looker_) looker_->wait();
}

void TurnBoard::RefreshThen(std::function<void()> then) {
  if (then) waiting_.push_back(std::move(then));
  if (looker_) {
    lookAgain_ = true;  // what it finds may be older than the files now
    return;
  }
  looking_->setText("Keresem az UL-eket…");
  // The look works on copies: the window goes on with its own.
  auto look = std::make_shared<TurnLook>();
  const int back = back_;
  const auto work = [look, back, dir = programDirectory_, ini = iniPath_, lists = lists_, folders = sheetFolders_()] {
    IniFile settings(ini);
    *look = LookAtTurns(dir, folders, settings, lists, [back](const CharacterTurns& character) {
      std::vector<long long> turns;
      const auto current = character.CurrentTurn();
      for (int c = 0; current && c < kColumns; ++c)
        if (back + c > 0 && *current - back - c >= 1) turns.push_back(*current - back - c);
      return turns;
    });
  };
  looker_ = QThread::create(work);
  connect(looker_, &QThread::finished, this, [this, look, back] {
    looker_->deleteLater();
    looker_ = nullptr;
    if (lookAgain_) {
      lookAgain_ = false;
      RefreshThen({});
      return;
    }
    Show(*look, back);
    looking_->clear();
    std::vector<std::function<void()>> calls;
    calls.swap(waiting_);
    emit Looked();
    for (const auto& call : calls) call();
  });
  looker_->start();
}

void TurnBoard::Show(const TurnLook& look, int back) {
  const int row = table_->currentRow(), column = table_->currentColumn();
  current_ = look.current;
  table_->clearContents();
  table_->setRowCount(int(current_.size()));
  QStringList headers;
  for (int c = 0; c < kColumns; ++c) headers << ColumnTitle(back + c);
  table_->setHorizontalHeaderLabels(headers);
  QStringList names;
  for (std::size_t r = 0; r < current_.size(); ++r) {
    const CharacterTurns& character = current_[r].character;
    names << Q(character.name.empty() ? "#" + character.key : character.name + " (#" + character.key + ")");
    const auto currentTurn = character.CurrentTurn();
    std::size_t further = 0;
    for (int c = 0; c < kColumns; ++c) {
      const long long turn = currentTurn ? *currentTurn - back - c : 0;
      TurnStatus status;
      if (c == 0 && back == 0)
        status = current_[r].status;
      else if (turn >= 1)
        status = look.more[r][further++];
      else if (currentTurn)
        continue;  // before the first turn
      auto* item = new QTableWidgetItem(CellText(status, character.canSend));
      item->setData(kSheetRole, QPath(status.sheet));
      item->setData(kCurrentRole, c == 0 && back == 0);
      item->setData(kStateRole, int(status.state));
      if (const QColor colour = ColourOf(status.state); colour.isValid()) {
        item->setBackground(colour);
        item->setForeground(QColor(Qt::black));
      } else if (status.state == SheetState::NotSent) {
        item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));  // history, not a task
      }
      table_->setItem(int(r), c, item);
    }
  }
  table_->setVerticalHeaderLabels(names);
  QStringList notes;
  if (!look.keptProblem.empty()) notes << Q(look.keptProblem);
  QStringList broken;
  for (const auto& path : look.broken) broken << Q(DisplayPath(path));
  for (const std::string& name : look.ignored) broken << Q(name) + " (nem érvényes forduló vagy karakter)";
  if (!broken.isEmpty()) notes << "Hibás vagy kihagyott fájlok: " + broken.join(", ");
  broken_->setText(notes.join('\n'));
  allDone_->setText(!current_.empty() && !NextNeedingThePlayer(current_, "") ? "Minden UL elküldve vagy küldhető."
                                                                             : QString());
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
  const QTableWidgetItem* item = table_->currentItem();
  changed_->setEnabled(item && item->data(kStateRole).toInt() == int(SheetState::Changed));
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
