#include "ui/SendProgress.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

#include <memory>

namespace mv::ui {

void RunWithProgress(
    QWidget* parent, const QString& label,
    const std::function<void(const std::atomic<bool>* cancel, const std::function<void(const QString&)>& say)>& work,
    bool showAtOnce) {
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  QProgressDialog progress(label, "Mégse", 0, 0, parent);
  progress.setObjectName("SendProgress");
  progress.setWindowTitle(parent ? parent->window()->windowTitle() : QString());
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

std::vector<SendOutcome> SendAllWithProgress(QWidget* parent, const SmtpSettings& settings,
                                             const std::vector<MailMessage>& messages) {
  std::vector<SendOutcome> outcomes;
  const int count = int(messages.size());
  RunWithProgress(parent, "UL küldése…", [&](const std::atomic<bool>* cancel, const auto& say) {
    outcomes = SmtpTransport(settings).SendAll(messages, cancel, [&](std::size_t index, const SendOutcome&) {
      if (count > 1) say(QString("%1/%2 UL elküldve…").arg(index + 1).arg(count));
    });
  });
  return outcomes;
}

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message) {
  const std::vector<SendOutcome> outcomes = SendAllWithProgress(parent, settings, {message});
  return outcomes.empty() ? SendOutcome{} : outcomes.front();
}

}  // namespace mv::ui
