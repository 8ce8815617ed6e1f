// Sending one plain-text message: the program's own small interface, so
// that nothing else knows how mail leaves the machine.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace mv {

struct MailMessage {
  std::string to;
  std::string subject;  // ASCII
  std::string body;     // Windows-1250 bytes, CR LF lines
};

struct SendOutcome {
  enum class Status {
    Sent,           // the server accepted the message (250 after DATA)
    NoMailSetup,    // no server set, or it cannot be reached
    NoSender,       // no sender address: refused before connecting
    Unencrypted,    // a login without encryption: refused before connecting
    LoginRefused,   // the server refused the user name or password
    Cancelled,      // the player stopped it
    Unconfirmed,    // the whole letter went out, but the server's reply never came
    NoMailProgram,  // Simple MAPI: the mail program did not log on
    SendError,      // anything else
  };
  // What went wrong with the connection, for a SendError the player can mend.
  enum class Fault {
    None,
    Timeout,         // the server stopped answering
    Refused,         // nothing listens at the server's port
    UnknownHost,     // no such server name
    Untrusted,       // its certificate is not trusted
    TlsOnPlainPort,  // TLS chosen, the port speaks plain SMTP first (STARTTLS)
    NoStartTls,      // STARTTLS chosen, the server does not offer it
  };
  Status status = Status::SendError;
  Fault fault = Fault::None;
  std::string errorName;    // curl's text, for SendError
  std::string serverReply;  // the server's last reply line, if any
  long code = 0;            // for SendError
  long replyCode = 0;       // the server's last reply code
  bool sent() const { return status == Status::Sent; }
};

// What a run of several messages tells while it goes.
struct SendHooks {
  // Before a message is tried.
  std::function<void(std::size_t index)> starting;
  // Once per message tried, with its outcome: for a delivered message the
  // moment the server accepted it, before any goodbye.
  std::function<void(std::size_t index, const SendOutcome& outcome)> done;
};

class MailTransport {
 public:
  virtual ~MailTransport() = default;
  // cancel: set from another thread to stop the transfer at any point.
  virtual SendOutcome Send(const MailMessage& message, const std::atomic<bool>* cancel = nullptr) = 0;
  // Several messages in order, through one connection where the transport
  // can. A refused login, a broken connection or a cancel stops the run:
  // the outcomes cover the messages tried, no more.
  virtual std::vector<SendOutcome> SendAll(const std::vector<MailMessage>& messages,
                                           const std::atomic<bool>* cancel = nullptr, const SendHooks& hooks = {});
};

// Whether a run stops after this outcome.
bool StopsTheRun(const SendOutcome& outcome);
// The run of SendAll: sendOne(i, accepted) for each message in order, until
// the cancel is set between two of them or an outcome stops the run.
// sendOne calls accepted() the moment the message is delivered (at most
// once); hooks.done follows then, not again after sendOne returns.
std::vector<SendOutcome> SendInOrder(
    const std::vector<MailMessage>& messages, const std::atomic<bool>* cancel, const SendHooks& hooks,
    const std::function<SendOutcome(std::size_t index, const std::function<void()>& accepted)>& sendOne);

// What the player reads for an outcome (Windows-1250): the three messages of
// the mail interface ("UL elküldve", "Nem tudtam elküldeni a levelet",
// "Mailer error: …"), each with lines that explain it; a fault of the
// connection in words, what to do, and libcurl's text on a line below.
std::string SendOutcomeMessage(const SendOutcome& outcome);

}  // namespace mv
