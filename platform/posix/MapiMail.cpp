// No Simple MAPI outside Windows: the choice is not offered.
#include "letter/MapiMail.h"

namespace mv {

bool MapiOffered() { return false; }
std::unique_ptr<MailTransport> MapiMail() { return nullptr; }

}  // namespace mv
