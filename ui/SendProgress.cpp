#include "ui/SendProgress.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

#include <memory>

#include "letter/MapiMail.h"
#include "ui/Captions.h"

namespace mv::ui {

void RunWithProgress(
    QWidget* parent, const QString& label,
    const std::function<void(const std::atomic<bool>* cancel, const std::function<void(const QString&)>& say)>& work,
    bool showAtOnce) {
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  QProgressDialog progress(label, "Mégse", 0, 0, parent);
  progress.setObjectName("SendProgress");
  // The one title of the program's dialogs, and room for it and for the
  // longest line it says ("2/3: 2346-13.ulf").
  progress.setWindowTitle(kApplicationTitle);
  progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(kApplicationTitle) + 160);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(showAtOnce ? 0 : 400);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  QObject::connect(&progress, &QProgressDialog::canceled, [&progress, cancel] {
    *cancel = true;  // the work stops at its next look, well within a second
    progress.setLabelText("Megszakítás…");
  });
  const QPointer<QProgressDialog> dialog(&progress);
  const auto say = [dialog, cancel](const QString& text) {
    if (cancel->load()) return;
    QMetaObject::invokeMethod(
        dialog, [dialog, text] { dialog->setLabelText(text); }, Qt::QueuedConnection);
  };
  std::unique_ptr<QThread> worker(QThread::create([&work, cancel, say] { work(cancel.get(), say); }));

  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  if (showAtOnce) progress.show();
  loop.exec();
  worker->wait();
  progress.close();
}

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message) {
  SendOutcome outcome;
  RunWithProgress(parent, "Küldés…", [&](const std::atomic<bool>* cancel, const auto&) {
    outcome = TransportFor(settings)->Send(message, cancel);
  });
  return outcome;
}

void OnWindowThread(QWidget* window, const std::function<void()>& call) {
  if (QThread::currentThread() == window->thread())
    call();
  else
    QMetaObject::invokeMethod(window, call, Qt::BlockingQueuedConnection);
}

}  // namespace mv::ui
