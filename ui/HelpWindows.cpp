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
  window->setProperty("topic", QString::fromStdString(file.filename().string()));
  Present(window);
}

void HelpWindows::Present(QTextBrowser* window) {
  // The first time beside the main window, not over the grid; later where
  // the player put it.
  const auto* main = qobject_cast<const QWidget*>(parent());
  if (!window->property("placed").toBool() && main && main->screen()) {
    window->move(PlaceBeside(main->frameGeometry(), window->size(), main->screen()->availableGeometry()));
    window->setProperty("placed", true);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

QPoint HelpWindows::PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& screen) {
  constexpr int kGap = 8;
  const int screenEnd = screen.x() + screen.width();
  int x = mainFrame.x() + mainFrame.width() + kGap;  // right of it when there is room
  if (x + size.width() > screenEnd) {
    x = mainFrame.x() - kGap - size.width();  // else left of it
    if (x < screen.x()) x = std::max(screen.x(), screenEnd - size.width());
  }
  const int y =
      std::clamp(mainFrame.y(), screen.y(), std::max(screen.y(), screen.y() + screen.height() - size.height()));
  return {x, y};
}

void HelpWindows::Load(QTextBrowser* browser, const QString& topic) {
  const auto bytes = ReadWholeFile(HelpTopicPath(folder_, topic.toStdString()));
  // The pages are Windows-1250, which Qt's own HTML loader cannot decode.
  browser->setHtml(bytes ? Q(*bytes) : QString("<p>Ez a súgólap hiányzik: %1</p>").arg(topic.toHtmlEscaped()));
  browser->setProperty("topic", topic);
}

}  // namespace mv::ui
