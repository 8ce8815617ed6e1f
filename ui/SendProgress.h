// Work off the window's thread (sending, looking up the mail set-up), behind
// a modal progress dialog that repaints and whose "Mégse" stops the work at
// any point.
#pragma once

#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <vector>

#include "letter/SmtpTransport.h"

namespace mv::ui {

// Runs work(cancel, say) on a thread; say(text) changes the dialog's line
// from there. A quick job (showAtOnce false) shows the dialog only when it
// takes long.
void RunWithProgress(
    QWidget* parent, const QString& label,
    const std::function<void(const std::atomic<bool>* cancel, const std::function<void(const QString&)>& say)>& work,
    bool showAtOnce = true);

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message);

// Several letters through one connection, the dialog counting them
// ("2/3 UL elküldve…"); "Mégse" stops the rest. The outcomes of the letters
// tried, in order.
std::vector<SendOutcome> SendAllWithProgress(QWidget* parent, const SmtpSettings& settings,
                                             const std::vector<MailMessage>& messages);

}  // namespace mv::ui
