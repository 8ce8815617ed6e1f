// Sending one plain-text message: the program's own small interface, so
// that nothing else knows how mail leaves the machine.
#pragma once

#include <string>

namespace mv {

struct MailMessage {
  std::string to;
  std::string subject;  // ASCII
  std::string body;     // Windows-1250 bytes, CR LF lines
};

struct SendOutcome {
  enum class Status { Sent, NoMailSetup, SendError };
  Status status = Status::SendError;
  std::string errorName;  // for SendError
  long code = 0;          // for SendError
  bool sent() const { return status == Status::Sent; }
};

class MailTransport {
 public:
  virtual ~MailTransport() = default;
  virtual SendOutcome Send(const MailMessage& message) = 0;
};

// The three messages the player sees for an outcome (Windows-1250).
std::string SendOutcomeMessage(const SendOutcome& outcome);

}  // namespace mv
