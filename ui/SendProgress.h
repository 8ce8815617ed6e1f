// Work off the window's thread (sending, looking up the mail set-up, reading
// the keyring), behind a modal progress dialog that repaints and whose
// "Mégse" stops the work at any point.
#pragma once

#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>

#include "letter/SmtpTransport.h"

namespace mv::ui {

// Runs work(cancel, say) on a thread; say(text) changes the dialog's line
// from there. A quick job (showAtOnce false) shows the dialog only when it
// takes long.
void RunWithProgress(
    QWidget* parent, const QString& label,
    const std::function<void(const std::atomic<bool>* cancel, const std::function<void(const QString&)>& say)>& work,
    bool showAtOnce = true);

// One message that is no order letter ("Próbalevél").
SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message);

// Runs a call on the window's thread from the worker's and waits for it: a
// question the work needs answered (the password).
void OnWindowThread(QWidget* window, const std::function<void()>& call);

}  // namespace mv::ui
