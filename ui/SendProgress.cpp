#include "ui/SendProgress.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <memory>

namespace mv::ui {

std::vector<SendOutcome> SendAllWithProgress(QWidget* parent, const SmtpSettings& settings,
                                             const std::vector<MailMessage>& messages) {
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  auto outcomes = std::make_shared<std::vector<SendOutcome>>();

  QProgressDialog progress("UL küldése…", "Mégse", 0, 0, parent);
  progress.setObjectName("SendProgress");
  progress.setWindowTitle(parent ? parent->window()->windowTitle() : QString());
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  QObject::connect(&progress, &QProgressDialog::canceled, [&progress, cancel] {
    *cancel = true;  // the transfer stops at its next look, well within a second
    progress.setLabelText("A küldés megszakítása…");
  });

  const QPointer<QProgressDialog> label(&progress);
  const int count = int(messages.size());
  std::unique_ptr<QThread> worker(QThread::create([settings, messages, cancel, outcomes, label, count] {
    *outcomes = SmtpTransport(settings).SendAll(messages, cancel.get(), [&](std::size_t index, const SendOutcome&) {
      if (count < 2 || cancel->load()) return;
      const QString text = QString("%1/%2 UL elküldve…").arg(index + 1).arg(count);
      QMetaObject::invokeMethod(
          label,
          [label, text] {
            if (label) label->setLabelText(text);
          },
          Qt::QueuedConnection);
    });
  }));

  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  progress.show();
  loop.exec();
  worker->wait();
  progress.close();
  return *outcomes;
}

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message) {
  const std::vector<SendOutcome> outcomes = SendAllWithProgress(parent, settings, {message});
  return outcomes.empty() ? SendOutcome{} : outcomes.front();
}

}  // namespace mv::ui
