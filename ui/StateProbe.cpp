#include "ui/StateProbe.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QSaveFile>
#include <QTabBar>
#include <QTimer>

#include "ui/MainWindow.h"
#include "ui/Text.h"

namespace mv::ui {

StateProbe::StateProbe(MainWindow* window, QString file) : QObject(window), window_(window), file_(std::move(file)) {
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &StateProbe::Write);
  timer->start(100);
}

namespace {

QJsonArray Rect(const QWidget* w) {
  const QPoint at = w->mapToGlobal(QPoint(0, 0));
  return {at.x(), at.y(), w->width(), w->height()};
}

}  // namespace

void StateProbe::Write() {
  const OrderDocument& document = window_->document();
  const SheetView& view = window_->view();
  const CharacterFields& character = window_->character().shown().fields;
  QJsonObject state;
  const auto* tabs = window_->findChild<QTabWidget*>("PageControl1");
  state["tab"] = tabs->tabText(tabs->currentIndex());
  state["command"] = Q(view.panel().command);
  QJsonArray lines;
  for (const std::string& line : view.panel().lines) lines.append(Q(line));
  state["lines"] = lines;
  state["check"] = Q(document.figures().checkNumber);
  state["tvp_total"] = Q(document.figures().tvpTotal);
  state["kno_total"] = Q(document.figures().knoTotal);
  state["current_row"] = view.row();
  state["modified"] = document.modified();
  state["sheet_file"] = QString::fromStdString(document.fileName());
  state["character"] = Q(character.number);
  state["name"] = Q(character.name);
  QJsonArray rows;
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    QJsonArray cells;
    for (int c = 1; c < OrderSheet::kColumns; ++c) cells.append(Q(document.sheet().Cell(r, c)));
    rows.append(cells);
  }
  state["rows"] = rows;

  QJsonObject widgets;
  for (const char* name :
       {"EditKar", "EditSzamla", "EditJelsz", "EditKarNev", "BitBtnKarSave", "StringGrid1", "EditFord"})
    if (const auto* w = window_->findChild<QWidget*>(name); w && w->isVisible()) widgets[name] = Rect(w);
  QTabBar* bar = tabs->tabBar();
  for (int i = 0; i < bar->count(); ++i) {
    const QRect r = bar->tabRect(i);
    const QPoint at = bar->mapToGlobal(r.topLeft());
    widgets[QString("tab%1").arg(i)] = QJsonArray{at.x(), at.y(), r.width(), r.height()};
  }
  widgets["window"] = Rect(window_);
  state["widgets"] = widgets;
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) state["message"] = box->text();

  const QByteArray json = QJsonDocument(state).toJson(QJsonDocument::Compact);
  if (json == last_) return;
  QSaveFile out(file_);
  if (out.open(QIODevice::WriteOnly) && out.write(json) == json.size() && out.commit()) last_ = json;
}

}  // namespace mv::ui
