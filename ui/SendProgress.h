// Sending off the window's thread, behind a modal progress dialog that
// repaints and whose "Mégse" stops the transfer at any point.
#pragma once

#include <QWidget>

#include "letter/SmtpTransport.h"

namespace mv::ui {

SendOutcome SendWithProgress(QWidget* parent, const SmtpSettings& settings, const MailMessage& message);

}  // namespace mv::ui
