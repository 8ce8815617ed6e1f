#include "letter/SmtpTransport.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <vector>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/TextJoin.h"
#include "letter/CurlCancel.h"

namespace mv {

namespace {

// The messages are Windows-1250, as every text of the program below the window.
constexpr std::string_view kNotSent = "Nem tudtam elküldeni a levelet"_w;
constexpr std::string_view kWhereToSet = "Beállítások / E-MAIL"_w;

bool Contains(std::string text, std::string_view what) {
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return text.find(what) != std::string::npos;
}

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const std::string_view part : parts) out += part;
  return out;
}

// One more line of advice for the common failures, or nothing.
std::string Advice(const SendOutcome& o) {
  if (o.replyCode == 535)
    return std::string("A szolgáltató talán alkalmazásjelszót (alkalmazásjelszó) kér a postafiók jelszava helyett."_w);
  if (((o.replyCode == 530 || o.replyCode == 538) && Contains(o.serverReply, "STARTTLS")) ||
      o.code == CURLE_USE_SSL_FAILED)
    return Join({"Válaszd a STARTTLS titkosítást: "_w, kWhereToSet, "."});
  if (o.code == CURLE_COULDNT_CONNECT || o.code == CURLE_COULDNT_RESOLVE_HOST || o.code == CURLE_OPERATION_TIMEDOUT)
    return Join({"Ellenőrizd a levelezőszerver nevét és a portot: "_w, kWhereToSet, "."});
  return {};
}

}  // namespace

bool StopsTheRun(const SendOutcome& outcome) {
  // One letter's refusal leaves the others to go; anything about the
  // connection, the login or the player's cancel does not.
  return outcome.status != SendOutcome::Status::Sent && outcome.status != SendOutcome::Status::SendError;
}

std::vector<SendOutcome> SendInOrder(const std::vector<MailMessage>& messages, const std::atomic<bool>* cancel,
                                     const SendProgress& progress,
                                     const std::function<SendOutcome(std::size_t index)>& sendOne) {
  std::vector<SendOutcome> outcomes;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    // "Mégse" between letters: the rest are not tried.
    if (i > 0 && cancel && cancel->load()) break;
    outcomes.push_back(sendOne(i));
    if (progress) progress(i, outcomes.back());
    if (StopsTheRun(outcomes.back())) break;
  }
  return outcomes;
}

std::vector<SendOutcome> MailTransport::SendAll(const std::vector<MailMessage>& messages,
                                                const std::atomic<bool>* cancel, const SendProgress& progress) {
  return SendInOrder(messages, cancel, progress, [&](std::size_t i) { return Send(messages[i], cancel); });
}

std::string SendOutcomeMessage(const SendOutcome& o) {
  std::string text;
  switch (o.status) {
    case SendOutcome::Status::Sent: return std::string("UL elküldve"_w);
    case SendOutcome::Status::NoMailSetup:
      text = Join({kNotSent, "\nÁllítsd be a levelezőszervert: "_w, kWhereToSet, "."});
      break;
    case SendOutcome::Status::NoSender:
      text = Join({kNotSent, "\nÁllítsd be a feladó e-mail címét: "_w, kWhereToSet, "."});
      break;
    case SendOutcome::Status::Unencrypted:
      text = Join({kNotSent,
                   "\nA kapcsolat nem lenne titkosított, így a jelszó olvashatóan menne át a hálózaton. Válaszd a "
                   "STARTTLS vagy a TLS titkosítást: "_w,
                   kWhereToSet, "."});
      break;
    case SendOutcome::Status::LoginRefused:
      text = Join({kNotSent, "\nA kiszolgáló nem fogadta el a felhasználónevet vagy a jelszót."_w});
      if (const std::string advice = Advice(o); !advice.empty()) text += "\n" + advice;
      break;
    case SendOutcome::Status::Cancelled: text = "A küldést megszakítottad, az UL nem ment el."_w; break;
    case SendOutcome::Status::Unconfirmed:
      text =
          "A levél elment, de a kiszolgáló nem igazolta az átvételt. Lehet, hogy megérkezett: mielőtt újra "
          "elküldöd, nézd meg a postafiókodban (a „Másolat nekem” beállítással oda is megy egy példány)."_w;
      break;
    case SendOutcome::Status::SendError: {
      // The server's words are its own bytes, most often UTF-8.
      const std::string reply = cp1250::FromUtf8(o.serverReply);
      text = "Mailer error: " + o.errorName + (reply.empty() ? "" : ", " + reply) +
             " (code: " + std::to_string(o.code) + ")";
      if (const std::string advice = Advice(o); !advice.empty()) text += "\n" + advice;
      break;
    }
  }
  return text;
}

namespace {

constexpr const char* kSection = "SMTP";

const char* SecurityText(SmtpSettings::Security s) {
  switch (s) {
    case SmtpSettings::Security::StartTls: return "STARTTLS";
    case SmtpSettings::Security::Tls: return "TLS";
    case SmtpSettings::Security::None: break;
  }
  return "Nincs";
}

std::string RfcDate() {
  char buffer[64];
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  std::strftime(buffer, sizeof buffer, "%a, %d %b %Y %H:%M:%S +0000", &utc);
  return buffer;
}

struct Upload {
  const std::string& text;
  std::size_t done = 0;
  bool ended = false;  // curl asked past the last byte: the end of data goes out next
};

std::size_t ReadUpload(char* buffer, std::size_t size, std::size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const std::size_t n = std::min(size * count, upload->text.size() - upload->done);
  if (n == 0) upload->ended = true;
  std::memcpy(buffer, upload->text.data() + upload->done, n);
  upload->done += n;
  return n;
}

}  // namespace

int PortFromText(std::string_view text, SmtpSettings::Security security) {
  const auto port = ParseInteger(text);
  return port && *port > 0 && *port < 65536 ? *port : DefaultPort(security);
}

int PortAfterModeChange(std::string_view text, SmtpSettings::Security previous, SmtpSettings::Security next) {
  const int port = PortFromText(text, previous);
  return port == DefaultPort(previous) ? DefaultPort(next) : port;
}

int DefaultPort(SmtpSettings::Security security) {
  switch (security) {
    case SmtpSettings::Security::StartTls: return 587;
    case SmtpSettings::Security::Tls: return 465;
    case SmtpSettings::Security::None: break;
  }
  return 25;
}

SmtpSettings ReadSmtpSettings(const IniFile& ini) {
  const IniFile::SteadyRead steady(ini);
  SmtpSettings s;
  s.server = ini.Read(kSection, "Kiszolgalo");
  // A file without the key gets the safe default, STARTTLS.
  const std::string security = ini.Read(kSection, "Titkositas");
  if (security == "Nincs") s.security = SmtpSettings::Security::None;
  if (security == "TLS") s.security = SmtpSettings::Security::Tls;
  s.port = PortFromText(ini.Read(kSection, "Port"), s.security);
  s.user = ini.Read(kSection, "Felhasznalo");
  s.password = ini.Read(kSection, "Jelszo");
  s.sender = ini.Read(kSection, "Felado");
  s.caFile = ini.Read(kSection, "CAFajl");
  s.copyToSender = ini.Read(kSection, "Masolat") != "0";
  return s;
}

bool WriteSmtpSettings(IniFile& ini, const SmtpSettings& s, bool withPassword) {
  std::vector<IniChange> changes{
      IniChange::Set(kSection, "Kiszolgalo", s.server),
      IniChange::Set(kSection, "Port", std::to_string(s.port)),
      IniChange::Set(kSection, "Titkositas", SecurityText(s.security)),
      IniChange::Set(kSection, "Felhasznalo", s.user),
      IniChange::Set(kSection, "Felado", s.sender),
      IniChange::Set(kSection, "Masolat", s.copyToSender ? "1" : "0"),
  };
  if (withPassword) changes.push_back(IniChange::Set(kSection, "Jelszo", s.password));
  return ini.Apply(changes);
}

static bool CopiesToSender(const SmtpSettings& settings, const MailMessage& m) {
  return settings.copyToSender && !settings.sender.empty() && settings.sender != m.to;
}

std::string SmtpMessageText(const SmtpSettings& settings, const MailMessage& m) {
  const std::string cc = CopiesToSender(settings, m) ? "\r\nCc: <" + OnOneLine(settings.sender) + ">" : "";
  return "Date: " + RfcDate() + "\r\nFrom: <" + OnOneLine(settings.sender) + ">\r\nTo: <" + OnOneLine(m.to) + ">" + cc +
         "\r\nSubject: " + OnOneLine(m.subject) +
         "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=windows-1250\r\n"
         "Content-Transfer-Encoding: 8bit\r\n\r\n" +
         m.body;
}

namespace {

// Keeps the server's replies (never what we send: that holds the password).
int KeepReplies(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
  if (type == CURLINFO_HEADER_IN) static_cast<SmtpReplies*>(user)->Add(std::string_view(data, size));
  return 0;
}

long ReplyCode(const std::string& line) {
  return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) ? std::atol(line.substr(0, 3).c_str())
                                                                               : 0;
}

}  // namespace

void SmtpReplies::Add(std::string_view incoming) {
  std::string line(incoming);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  if (line.empty()) return;
  lastReply_ = line;
  if (line[0] == '4' || line[0] == '5') lastRefusal_ = line;
}

SendOutcome SmtpReplies::Outcome(const End& end) const {
  SendOutcome out;
  out.serverReply = lastRefusal_.empty() ? lastReply_ : lastRefusal_;
  out.replyCode = ReplyCode(out.serverReply);
  if (out.replyCode == 0) out.replyCode = end.curlReply;
  out.code = end.curlResult;
  const auto result = CURLcode(end.curlResult);
  // After the letter's last byte only the server's 250 was missing: it may
  // have arrived, and saying otherwise would invite a second copy.
  const bool awaitingAcceptance =
      end.wholeLetterOut && ReplyCode(lastReply_) == 354 &&
      (result == CURLE_ABORTED_BY_CALLBACK || result == CURLE_OPERATION_TIMEDOUT || end.cancelled);
  if (result == CURLE_OK) {
    out.status = SendOutcome::Status::Sent;
  } else if (awaitingAcceptance) {
    out.status = SendOutcome::Status::Unconfirmed;
  } else if (result == CURLE_ABORTED_BY_CALLBACK || end.cancelled) {
    out.status = SendOutcome::Status::Cancelled;
  } else if (result == CURLE_LOGIN_DENIED || out.replyCode == 535) {
    out.status = SendOutcome::Status::LoginRefused;
  } else {
    out.status = SendOutcome::Status::SendError;
    out.errorName = curl_easy_strerror(result);
  }
  return out;
}

namespace {

// What is refused before any connection.
std::optional<SendOutcome> RefusedBeforeConnecting(const SmtpSettings& settings, const MailMessage& message) {
  SendOutcome out;
  if (settings.server.empty() || message.to.empty()) {
    out.status = SendOutcome::Status::NoMailSetup;
    return out;
  }
  if (settings.sender.empty()) {
    out.status = SendOutcome::Status::NoSender;
    return out;
  }
  // Credentials never cross the network in clear.
  if (!settings.user.empty() && settings.security == SmtpSettings::Security::None) {
    out.status = SendOutcome::Status::Unencrypted;
    return out;
  }
  return std::nullopt;
}

// One libcurl handle: its connection stays open from one message to the
// next, and says goodbye after the last one, inside that transfer's bounds.
class Connection {
 public:
  explicit Connection(const SmtpSettings& settings) : settings_(settings) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    curl_ = initialised ? curl_easy_init() : nullptr;
  }
  ~Connection() {
    if (curl_) curl_easy_cleanup(curl_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  SendOutcome Send(const MailMessage& message, const std::atomic<bool>* cancel, bool last);

 private:
  const SmtpSettings& settings_;
  CURL* curl_ = nullptr;
};

SendOutcome Connection::Send(const MailMessage& message, const std::atomic<bool>* cancel, bool last) {
  if (!curl_) {
    SendOutcome out;
    out.status = SendOutcome::Status::NoMailSetup;
    return out;
  }
  CURL* curl = curl_;
  const bool tls = settings_.security == SmtpSettings::Security::Tls;
  const std::string url =
      std::string(tls ? "smtps://" : "smtp://") + settings_.server + ":" + std::to_string(settings_.port);
  const std::string from = "<" + settings_.sender + ">";
  const std::string to = "<" + message.to + ">";
  const std::string copy = "<" + settings_.sender + ">";
  const std::string text = SmtpMessageText(settings_, message);
  Upload upload{text};
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());
  if (CopiesToSender(settings_, message)) recipients = curl_slist_append(recipients, copy.c_str());
  // SASL wants UTF-8; mv.ini keeps Windows-1250.
  const std::string user = cp1250::ToUtf8(settings_.user), password = cp1250::ToUtf8(settings_.password);
  SmtpReplies replies;

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, kReplySeconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTransferSeconds);
  // The goodbye happens inside the last transfer, under the reply bound;
  // before it the connection waits for the next letter.
  curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, last ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  WatchCancel(curl, cancel);
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, KeepReplies);
  curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &replies);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!settings_.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, settings_.caFile.c_str());
  if (settings_.security == SmtpSettings::Security::StartTls)
    curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
  if (!settings_.user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
  }

  const CURLcode result = curl_easy_perform(curl);
  long reply = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply);
  // Nothing of this message's buffers may outlive it in the handle.
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);
  curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
  curl_slist_free_all(recipients);

  return replies.Outcome({long(result), reply, cancel && cancel->load(), upload.ended});
}

}  // namespace

SendOutcome SmtpTransport::Send(const MailMessage& message, const std::atomic<bool>* cancel) {
  if (auto refused = RefusedBeforeConnecting(settings_, message)) return *refused;
  return Connection(settings_).Send(message, cancel, true);
}

std::vector<SendOutcome> SmtpTransport::SendAll(const std::vector<MailMessage>& messages,
                                                const std::atomic<bool>* cancel, const SendProgress& progress) {
  Connection connection(settings_);
  return SendInOrder(messages, cancel, progress, [&](std::size_t i) {
    if (auto refused = RefusedBeforeConnecting(settings_, messages[i])) return *refused;
    return connection.Send(messages[i], cancel, i + 1 == messages.size());
  });
}

}  // namespace mv
