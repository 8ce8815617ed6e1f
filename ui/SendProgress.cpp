#include "ui/SendProgress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <memory>

namespace mv::ui {

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message) {
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  auto outcome = std::make_shared<SendOutcome>();
  std::unique_ptr<QThread> worker(QThread::create(
      [settings, message, cancel, outcome] { *outcome = SmtpTransport(settings).Send(message, cancel.get()); }));

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

  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  progress.show();
  loop.exec();
  worker->wait();
  progress.close();
  return *outcome;
}

}  // namespace mv::ui
