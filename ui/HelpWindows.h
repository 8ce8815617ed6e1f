// Our help viewer: the context window ("KontextusHelpAblak") and the main
// window ("MV_MAIN"), each a text browser over the help bundle's pages.
#pragma once

#include <QTextBrowser>
#include <QWidget>
#include <filesystem>
#include <map>

namespace mv::ui {

class HelpWindows : public QObject {
  Q_OBJECT
 public:
  explicit HelpWindows(std::filesystem::path folder, QObject* parent = nullptr);
  ~HelpWindows() override;

  bool on() const { return !folder_.empty(); }
  void ShowContextHelp(const QString& topic) { Show("KontextusHelpAblak", topic); }
  void ShowMainHelp(const QString& topic) { Show("MV_MAIN", topic); }
  // A shipped text file (news, read-me), decoded from Windows-1250, in a
  // window of its own ("SzovegAblak"); it needs no help bundle.
  void ShowText(const QString& title, const std::filesystem::path& file);
  void CloseAll();

  // The window of a kind, or null when it was never opened.
  QTextBrowser* Window(const QString& kind) const;
  // The topic a window shows.
  QString Topic(const QString& kind) const;

 public:
  // Where a help window of that size first opens: right of the main window,
  // else left of it, else on the side with more room, kept on the screen;
  // never over the explanation panel (it is made narrower where it must).
  static QRect PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& screen, const QRect& panel);

 private:
  void Show(const QString& kind, const QString& topic);
  void Load(QTextBrowser* browser, const QString& topic);
  // The window of a kind, made on first use; Escape closes it.
  QTextBrowser* WindowOf(const QString& kind, const QString& title, QSize size);
  // Shows, raises and activates a window, placed beside the main window the first time.
  void Present(QTextBrowser* window);

  std::filesystem::path folder_;
  std::map<QString, QTextBrowser*> windows_;
};

}  // namespace mv::ui
