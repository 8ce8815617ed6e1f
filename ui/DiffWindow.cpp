#include "ui/DiffWindow.h"

#include "core/IntegerText.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "ui/Text.h"

namespace mv::ui {

namespace {

constexpr int kRowRole = Qt::UserRole + 1;

QString FieldName(const std::string& key) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"FORD", "forduló"},
      {"UL", "UL kérése"},
      {"JL", "JL kérése"},
      {"EXT", "extra forduló"},
      {"KLUB", "klubkód"},
      {"PREKAR", "sorbanállás karaktere"},
      {"PREFORD", "sorbanállás fordulója"},
  };
  for (const auto& [k, name] : kNames)
    if (key == k) return QString::fromUtf8(name);
  return QString::fromStdString(key);
}

QString RowText(const DiffSide& side, int row) {
  if (row == 0) return {};
  const OrderRow& r = side.rows[std::size_t(row - 1)];
  QString text = Q(OrderSheet::RowLabel(row)) + " " + Q(r.code);
  int last = 6;
  while (last > 0 && r.params[std::size_t(last - 1)].empty()) --last;
  for (int k = 0; k < last; ++k) text += " " + Q(r.params[std::size_t(k)]);
  return text;
}

QString NameOf(const DiffSide& side, int row) { return row ? Q(side.names[std::size_t(row - 1)]) : QString(); }

QString ChangeText(const RowDiff& row) {
  switch (row.change) {
    case RowChange::Same: return "ugyanaz";
    case RowChange::Added: return "új sor";
    case RowChange::Removed: return "törölve";
    case RowChange::Moved: return QString("áthelyezve (%1. → %2. sor)").arg(row.a).arg(row.b);
    case RowChange::Changed: {
      QStringList params;
      for (int k : row.params) params << QString("P%1").arg(k);
      QString text = "módosult: " + params.join(", ");
      if (row.a != row.b) text += QString(" (%1. → %2. sor)").arg(row.a).arg(row.b);
      return text;
    }
  }
  return {};
}

QColor ChangeColour(RowChange change) {
  switch (change) {
    case RowChange::Added: return QColor(0xd8, 0xf5, 0xd0);
    case RowChange::Removed: return QColor(0xf8, 0xd4, 0xd4);
    case RowChange::Changed: return QColor(0xfb, 0xf0, 0xc0);
    case RowChange::Moved: return QColor(0xd6, 0xe6, 0xfa);
    case RowChange::Same: break;
  }
  return {};
}

}  // namespace

DiffWindow::DiffWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormValtozas");
  setWindowTitle("Mi változott?");
  against_ = new QComboBox(this);
  against_->setObjectName("ComboBoxMihez");
  against_->addItems({"Az előző forduló UL-jével", "Az elküldött levéllel"});
  against_->setAccessibleName("Mihez képest");
  summary_ = new QLabel(this);
  summary_->setObjectName("LabelOsszegzes");
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  rows_ = new QTreeWidget(this);
  rows_->setObjectName("TreeValtozasok");
  rows_->setAccessibleName("Változások");
  rows_->setRootIsDecorated(false);
  rows_->setHeaderLabels({"Változás", "Előtte", "Előtte: parancs", "Most", "Most: parancs"});
  rows_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(against_);
  layout->addWidget(summary_);
  layout->addWidget(rows_, 1);
  resize(760, 420);
  connect(against_, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
  connect(rows_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (const int row = item->data(0, kRowRole).toInt(); row > 0) emit GoToRow(row);
  });
}

void DiffWindow::ShowComparison(Compare compare, Against against) {
  compare_ = std::move(compare);
  const QSignalBlocker quiet(against_);
  against_->setCurrentIndex(int(against));
  Fill();
}

void DiffWindow::Fill() {
  rows_->clear();
  if (!compare_) return;
  const Comparison c = compare_(Against(against_->currentIndex()));
  if (!c.ok()) {
    summary_->setText(Q(c.error));
    return;
  }
  const SheetDiff& diff = c.diff;
  QStringList lines;
  lines << "Összevetve: " + QPath(c.other.filename());
  const long long a = ParseInteger(diff.tvpA).value_or(0), b = ParseInteger(diff.tvpB).value_or(0);
  lines << QString("Össz TVP: %1 → %2 (%3%4)").arg(Q(diff.tvpA), Q(diff.tvpB), b >= a ? "+" : "").arg(b - a);
  if (!diff.fields.empty()) {
    QStringList fields;
    for (const std::string& key : diff.fields) fields << FieldName(key);
    lines << "Eltérő adatok: " + fields.join(", ");
  }
  if (diff.same()) lines << "A parancsok ugyanazok.";
  summary_->setText(lines.join("\n"));
  for (const RowDiff& row : diff.rows) {
    auto* item = new QTreeWidgetItem(
        rows_, {ChangeText(row), RowText(c.a, row.a), NameOf(c.a, row.a), RowText(c.b, row.b), NameOf(c.b, row.b)});
    // A removed row is gone from the sheet shown: its place there is next best.
    item->setData(0, kRowRole, row.b ? row.b : std::min(row.a, OrderSheet::kRows));
    if (const QColor colour = ChangeColour(row.change); colour.isValid())
      for (int col = 0; col < rows_->columnCount(); ++col) {
        item->setBackground(col, colour);
        item->setForeground(col, QColor(Qt::black));
      }
  }
}

}  // namespace mv::ui
