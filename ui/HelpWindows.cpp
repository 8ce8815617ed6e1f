#include "ui/HelpWindows.h"

#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <algorithm>

#include "store/HelpBundle.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"
#include "ui/Text.h"

namespace mv::ui {

HelpWindows::HelpWindows(std::filesystem::path folder, QObject* parent) : QObject(parent), folder_(std::move(folder)) {}

HelpWindows::~HelpWindows() { CloseAll(); }

void HelpWindows::CloseAll() {
  for (auto& [kind, window] : windows_) delete window;
  windows_.clear();
}

QTextBrowser* HelpWindows::Window(const QString& kind) const {
  const auto found = windows_.find(kind);
  return found == windows_.end() ? nullptr : found->second;
}

QString HelpWindows::Topic(const QString& kind) const {
  QTextBrowser* w = Window(kind);
  return w ? w->property("topic").toString() : QString();
}

QTextBrowser* HelpWindows::WindowOf(const QString& kind, const QString& title, QSize size) {
  QTextBrowser*& window = windows_[kind];
  if (!window) {
    window = new QTextBrowser;
    window->setObjectName(kind);
    window->setWindowTitle(title);
    window->setOpenLinks(false);
    window->resize(size);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    connect(escape, &QShortcut::activated, window, &QWidget::close);
    connect(window, &QTextBrowser::anchorClicked, this, [this, browser = window](const QUrl& link) {
      // Links between pages name the topic's file; others go to the browser.
      const QString target = link.path().section('/', -1);
      if (link.scheme().isEmpty() && target.endsWith(".htm")) Load(browser, target.chopped(4));
    });
  }
  window->setWindowTitle(title);
  return window;
}

void HelpWindows::Show(const QString& kind, const QString& topic) {
  if (!on()) return;
  QTextBrowser* window =
      kind == "MV_MAIN" ? WindowOf(kind, "Súgó", QSize(640, 520)) : WindowOf(kind, "Parancs súgó", QSize(460, 380));
  Load(window, topic);
  Present(window);
}

void HelpWindows::ShowText(const QString& title, const std::filesystem::path& file) {
  QTextBrowser* window = WindowOf("SzovegAblak", title, QSize(560, 460));
  const auto bytes = ReadWholeFile(file);
  window->setPlainText(bytes ? Q(*bytes).replace("\r\n", "\n") : "Nem találom a fájlt: " + Q(DisplayPath(file)));
  window->setProperty("topic", QPath(file.filename()));
  Present(window);
}

void HelpWindows::Present(QTextBrowser* window) {
  // The first time beside the main window, not over the grid; later where
  // the player put it.
  const auto* main = qobject_cast<const QWidget*>(parent());
  if (!window->property("placed").toBool() && main && main->screen()) {
    const auto* panel = main->findChild<const QWidget*>("ParancsPanel");
    const QRect panelRect = panel ? QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size()) : QRect();
    window->setGeometry(
        PlaceBeside(main->frameGeometry(), window->size(), main->screen()->availableGeometry(), panelRect));
    window->setProperty("placed", true);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

QRect HelpWindows::PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& screen, const QRect& panel) {
  constexpr int kGap = 8;
  constexpr int kNarrowest = 240;
  const int screenEnd = screen.x() + screen.width();
  const int rightRoom = screenEnd - (mainFrame.x() + mainFrame.width() + kGap);
  const int leftRoom = mainFrame.x() - kGap - screen.x();
  int x;
  if (rightRoom >= size.width())
    x = mainFrame.x() + mainFrame.width() + kGap;
  else if (leftRoom >= size.width())
    x = mainFrame.x() - kGap - size.width();
  else
    x = rightRoom > leftRoom ? screenEnd - size.width() : screen.x();  // the side with more room
  x = std::clamp(x, screen.x(), std::max(screen.x(), screenEnd - size.width()));
  const int y =
      std::clamp(mainFrame.y(), screen.y(), std::max(screen.y(), screen.y() + screen.height() - size.height()));
  QRect place(QPoint(x, y), size);
  if (panel.isEmpty() || !place.intersects(panel)) return place;
  // Over the panel: beside it instead, on the side with more room, as wide as that room allows.
  const int beforePanel = panel.x() - kGap - screen.x();
  const int afterPanel = screenEnd - (panel.x() + panel.width() + kGap);
  if (beforePanel >= afterPanel) {
    const int width = std::clamp(beforePanel, std::min(kNarrowest, size.width()), size.width());
    place.setRect(std::max(screen.x(), panel.x() - kGap - width), y, width, size.height());
  } else {
    const int width = std::clamp(afterPanel, std::min(kNarrowest, size.width()), size.width());
    place.setRect(panel.x() + panel.width() + kGap, y, width, size.height());
  }
  return place;
}

void HelpWindows::Load(QTextBrowser* browser, const QString& topic) {
  const auto bytes = ReadWholeFile(HelpTopicPath(folder_, topic.toStdString()));
  // The pages are Windows-1250, which Qt's own HTML loader cannot decode.
  browser->setHtml(bytes ? Q(*bytes) : QString("<p>Ez a súgólap hiányzik: %1</p>").arg(topic.toHtmlEscaped()));
  browser->setProperty("topic", topic);
}

}  // namespace mv::ui
