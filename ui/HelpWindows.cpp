#include "ui/HelpWindows.h"

#include <QUrl>

#include "store/HelpBundle.h"
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

void HelpWindows::Show(const QString& kind, const QString& topic) {
  if (!on()) return;
  QTextBrowser*& window = windows_[kind];
  if (!window) {
    window = new QTextBrowser;
    window->setObjectName(kind);
    window->setWindowTitle(kind == "MV_MAIN" ? "Súgó" : "Parancs súgó");
    window->setOpenLinks(false);
    window->resize(kind == "MV_MAIN" ? QSize(640, 520) : QSize(460, 380));
    connect(window, &QTextBrowser::anchorClicked, this, [this, browser = window](const QUrl& link) {
      // Links between pages name the topic's file; others go to the browser.
      const QString target = link.path().section('/', -1);
      if (link.scheme().isEmpty() && target.endsWith(".htm")) Load(browser, target.chopped(4));
    });
  }
  Load(window, topic);
  window->show();
  window->raise();
  window->activateWindow();
}

void HelpWindows::Load(QTextBrowser* browser, const QString& topic) {
  const auto bytes = ReadWholeFile(HelpTopicPath(folder_, topic.toStdString()));
  // The pages are Windows-1250, which Qt's own HTML loader cannot decode.
  browser->setHtml(bytes ? Q(*bytes) : QString("<p>Ez a súgólap hiányzik: %1</p>").arg(topic.toHtmlEscaped()));
  browser->setProperty("topic", topic);
}

}  // namespace mv::ui
