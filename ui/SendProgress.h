// Sending off the window's thread, behind a modal progress dialog that
// repaints and whose "Mégse" stops the transfer at any point.
#pragma once

#include <QWidget>
#include <vector>

#include "letter/SmtpTransport.h"

namespace mv::ui {

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message);

// Several letters through one connection, the dialog counting them
// ("2/3 UL elküldve…"); "Mégse" stops the rest. The outcomes of the letters
// tried, in order.
std::vector<SendOutcome> SendAllWithProgress(QWidget* parent, const SmtpSettings& settings,
                                             const std::vector<MailMessage>& messages);

}  // namespace mv::ui
