#include "letter/SmtpTransport.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <random>
#include <vector>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/Secret.h"
#include "core/TextJoin.h"
#include "letter/CurlCancel.h"
#include "platform/Clock.h"
#include "platform/Socket.h"

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

// One more line of advice for a refusal the server gave, or nothing.
std::string Advice(const SendOutcome& o) {
  if (o.replyCode == 535)
    return std::string("A szolgáltató talán alkalmazásjelszót kér a postafiók jelszava helyett."_w);
  if ((o.replyCode == 530 || o.replyCode == 538) && Contains(o.serverReply, "STARTTLS"))
    return Join({"Válaszd a STARTTLS titkosítást: "_w, kWhereToSet, "."});
  return {};
}

// A fault of the connection: what happened and what to do (Windows-1250).
std::string FaultText(SendOutcome::Fault fault) {
  using Fault = SendOutcome::Fault;
  switch (fault) {
    case Fault::Timeout:
      return Join({"A levelezőszerver nem válaszolt időben.\nEllenőrizd a kiszolgáló nevét és a portot ("_w,
                   kWhereToSet, "), vagy próbáld újra később."_w});
    case Fault::Refused:
      return Join(
          {"A levelezőszerver nem fogadta a kapcsolatot ezen a porton.\nEllenőrizd a kiszolgáló nevét és a "
           "portot: "_w,
           kWhereToSet, "."});
    case Fault::UnknownHost:
      return Join(
          {"Nem találom ezt a levelezőszervert: a neve hibás, vagy nincs internetkapcsolat.\nEllenőrizd a "
           "kiszolgáló nevét: "_w,
           kWhereToSet, "."});
    case Fault::Untrusted:
      return Join(
          {"A levelezőszerver tanúsítványa nem megbízható.\nHa a saját kiszolgálódé, add meg a tanúsítványát "
           "a „CA-fájl” beállításban: "_w,
           kWhereToSet, "."});
    case Fault::TlsOnPlainPort:
      return Join({"Ezen a porton a kiszolgáló nem TLS-sel kezd.\nVálaszd a STARTTLS titkosítást az 587-es porton: "_w,
                   kWhereToSet, "."});
    case Fault::NoStartTls:
      return Join(
          {"A kiszolgáló nem ajánlja fel a STARTTLS titkosítást.\nVálaszd a TLS titkosítást a 465-ös porton, "
           "vagy kérdezd meg a szolgáltatódat: "_w,
           kWhereToSet, "."});
    case Fault::None: break;
  }
  return {};
}

}  // namespace

bool StopsTheRun(const SendOutcome& outcome) {
  // One letter's refusal leaves the others to go; anything about the
  // connection, the login or the player's cancel does not: the next letter
  // would only wait as long again.
  if (outcome.status == SendOutcome::Status::SendError) return outcome.fault != SendOutcome::Fault::None;
  return outcome.status != SendOutcome::Status::Sent;
}

std::vector<SendOutcome> SendInOrder(
    const std::vector<MailMessage>& messages, const std::atomic<bool>* cancel, const SendHooks& hooks,
    const std::function<SendOutcome(std::size_t index, const std::function<void()>& accepted)>& sendOne) {
  std::vector<SendOutcome> outcomes;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    // "Mégse" between letters: the rest are not tried.
    if (i > 0 && cancel && cancel->load()) break;
    if (hooks.starting) hooks.starting(i);
    bool told = false;
    const auto accepted = [&] {
      if (told) return;
      told = true;
      SendOutcome sent;
      sent.status = SendOutcome::Status::Sent;
      if (hooks.done) hooks.done(i, sent);
    };
    outcomes.push_back(sendOne(i, accepted));
    if (!told && hooks.done) hooks.done(i, outcomes.back());
    if (StopsTheRun(outcomes.back())) break;
  }
  return outcomes;
}

std::vector<SendOutcome> MailTransport::SendAll(const std::vector<MailMessage>& messages,
                                                const std::atomic<bool>* cancel, const SendHooks& hooks) {
  return SendInOrder(messages, cancel, hooks, [&](std::size_t i, const std::function<void()>& accepted) {
    SendOutcome outcome = Send(messages[i], cancel);
    if (outcome.sent()) accepted();
    return outcome;
  });
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
                   "\nFelhasználónév van megadva, de a kapcsolat nem lenne titkosított, így a bejelentkezés "
                   "olvashatóan menne át a hálózaton. Válaszd a STARTTLS vagy a TLS titkosítást, vagy töröld a "
                   "felhasználónevet: "_w,
                   kWhereToSet, "."});
      break;
    case SendOutcome::Status::LoginRefused:
      text = Join({kNotSent, "\nA kiszolgáló nem fogadta el a felhasználónevet vagy a jelszót."_w});
      if (const std::string advice = Advice(o); !advice.empty()) text += "\n" + advice;
      break;
    case SendOutcome::Status::Cancelled: text = "A küldést megszakítottad, az UL nem ment el."_w; break;
    case SendOutcome::Status::NoMailProgram:
      text = Join({kNotSent,
                   "\nA levelezőprogram nem jelentkezett be. Nézd meg, hogy be van-e állítva a Windowsban "
                   "alapértelmezett levelezőprogramnak."_w});
      break;
    case SendOutcome::Status::Unconfirmed:
      text =
          "A levél elment, de a kiszolgáló nem igazolta az átvételt. Lehet, hogy megérkezett: mielőtt újra "
          "elküldöd, nézd meg a postafiókodban (a „Másolat nekem” beállítással oda is megy egy példány)."_w;
      break;
    case SendOutcome::Status::SendError: {
      // The server's words are its own bytes, most often UTF-8.
      const std::string reply = cp1250::FromUtf8(o.serverReply);
      const std::string mailer = "Mailer error: " + o.errorName + (reply.empty() ? "" : ", " + reply) +
                                 " (code: " + std::to_string(o.code) + ")";
      if (o.fault != SendOutcome::Fault::None) {
        text = Join({kNotSent, "\n"}) + FaultText(o.fault) + "\n" + mailer;
        break;
      }
      text = mailer;
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

}  // namespace

std::string RfcDate(std::time_t when) {
  // The mail date's names are English whatever the program's locale (the
  // window sets the player's).
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::tm utc = UtcTime(when);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[utc.tm_wday % 7], utc.tm_mday,
                kMonths[utc.tm_mon % 12], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return buffer;
}

namespace {

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
  s.viaMapi = ini.Read(kSection, "Kuldes") == "MAPI";
  return s;
}

bool WriteSmtpSettings(IniFile& ini, const SmtpSettings& s, bool withPassword) {
  return ini.Apply(SmtpSettingsChanges(s, withPassword));
}

std::vector<IniChange> SmtpSettingsChanges(const SmtpSettings& s, bool withPassword) {
  std::vector<IniChange> changes{
      IniChange::Set(kSection, "Kiszolgalo", s.server),
      IniChange::Set(kSection, "Port", std::to_string(s.port)),
      IniChange::Set(kSection, "Titkositas", SecurityText(s.security)),
      IniChange::Set(kSection, "Felhasznalo", s.user),
      IniChange::Set(kSection, "Felado", s.sender),
      IniChange::Set(kSection, "Masolat", s.copyToSender ? "1" : "0"),
      IniChange::Set(kSection, "CAFajl", s.caFile),
      s.viaMapi ? IniChange::Set(kSection, "Kuldes", "MAPI") : IniChange::EraseKey(kSection, "Kuldes"),
  };
  if (withPassword) changes.push_back(IniChange::Set(kSection, "Jelszo", s.password));
  return changes;
}

static bool CopiesToSender(const SmtpSettings& settings, const MailMessage& m) {
  return settings.copyToSender && !settings.sender.empty() && settings.sender != m.to;
}

// "<20261208063112.9f3a...@example.org>": unique, and from the sender's
// own domain, as spam filters expect of a real mail program.
std::string MessageId(const std::string& sender) {
  static std::mt19937_64 random{std::random_device{}()};
  const std::tm utc = UtcTime(std::time(nullptr));
  char stamp[32], unique[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &utc);
  std::snprintf(unique, sizeof unique, "%016llx", static_cast<unsigned long long>(random()));
  const auto at = sender.rfind('@');
  std::string domain = at == std::string::npos ? std::string() : sender.substr(at + 1);
  const bool plain = !domain.empty() && domain.find_first_not_of(
                                            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                            "0123456789.-") == std::string::npos;
  return std::string("<") + stamp + "." + unique + "@" + (plain ? domain : "localhost") + ">";
}

std::string SmtpMessageText(const SmtpSettings& settings, const MailMessage& m) {
  const std::string cc = CopiesToSender(settings, m) ? "\r\nCc: <" + OnOneLine(settings.sender) + ">" : "";
  return "Date: " + RfcDate(std::time(nullptr)) + "\r\nFrom: <" + OnOneLine(settings.sender) + ">\r\nTo: <" +
         OnOneLine(m.to) + ">" + cc + "\r\nSubject: " + OnOneLine(m.subject) +
         "\r\nMessage-ID: " + MessageId(settings.sender) +
         "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=windows-1250\r\n"
         "Content-Transfer-Encoding: 8bit\r\n\r\n" +
         m.body;
}

namespace {

// What one transfer watches: the server's replies (never what we send:
// that holds the password), and the moment the letter is accepted.
struct ReplyWatch {
  SmtpReplies replies;
  const Upload* upload = nullptr;
  const std::function<void()>* accepted = nullptr;
};

int KeepReplies(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
  auto* watch = static_cast<ReplyWatch*>(user);
  if (type == CURLINFO_HEADER_IN && watch->replies.Add(std::string_view(data, size), watch->upload->ended) &&
      watch->accepted && *watch->accepted)
    (*watch->accepted)();  // kept now, before the goodbye that may never come
  return 0;
}

long ReplyCode(const std::string& line) {
  return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) ? std::atol(line.substr(0, 3).c_str())
                                                                               : 0;
}

}  // namespace

bool SmtpReplies::Add(std::string_view incoming, bool wholeLetterOut) {
  std::string line(incoming);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  if (line.empty()) return false;
  // The reply to the letter's end: the one after "354 go ahead" and the data.
  const bool acceptance = wholeLetterOut && !accepted_ && ReplyCode(lastReply_) == 354 && ReplyCode(line) == 250;
  lastReply_ = line;
  if (line[0] == '4' || line[0] == '5') lastRefusal_ = line;
  if (acceptance) accepted_ = true;
  return acceptance;
}

namespace {

SendOutcome::Fault FaultOf(CURLcode result, SmtpSettings::Security security) {
  using Fault = SendOutcome::Fault;
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT: return Fault::Timeout;
    case CURLE_COULDNT_CONNECT: return Fault::Refused;
    case CURLE_COULDNT_RESOLVE_HOST: return Fault::UnknownHost;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE: return Fault::Untrusted;
    case CURLE_SSL_CONNECT_ERROR: return security == SmtpSettings::Security::Tls ? Fault::TlsOnPlainPort : Fault::None;
    case CURLE_USE_SSL_FAILED: return security == SmtpSettings::Security::StartTls ? Fault::NoStartTls : Fault::None;
    default: break;
  }
  return Fault::None;
}

}  // namespace

SendOutcome SmtpReplies::Outcome(const End& end) const {
  SendOutcome out;
  out.serverReply = lastRefusal_.empty() ? lastReply_ : lastRefusal_;
  out.replyCode = ReplyCode(out.serverReply);
  if (out.replyCode == 0) out.replyCode = end.curlReply;
  out.code = end.curlResult;
  const auto result = CURLcode(end.curlResult);
  // After the letter's last byte only the server's 250 was missing: it may
  // have arrived, and saying otherwise would invite a second copy. The
  // connection may have ended any way then: a timeout, a cancel, the
  // server closing it or a broken line.
  const bool awaitingAcceptance =
      end.wholeLetterOut && ReplyCode(lastReply_) == 354 &&
      (result == CURLE_ABORTED_BY_CALLBACK || result == CURLE_OPERATION_TIMEDOUT || result == CURLE_GOT_NOTHING ||
       result == CURLE_SEND_ERROR || result == CURLE_RECV_ERROR || end.cancelled);
  if (result == CURLE_OK || accepted_) {
    // Accepted is delivered, whatever became of the goodbye.
    out.status = SendOutcome::Status::Sent;
    out.serverReply.clear();
    out.code = 0;
  } else if (awaitingAcceptance) {
    out.status = SendOutcome::Status::Unconfirmed;
  } else if (result == CURLE_ABORTED_BY_CALLBACK || end.cancelled) {
    out.status = SendOutcome::Status::Cancelled;
  } else if (result == CURLE_LOGIN_DENIED || out.replyCode == 535) {
    out.status = SendOutcome::Status::LoginRefused;
  } else {
    out.status = SendOutcome::Status::SendError;
    out.errorName = curl_easy_strerror(result);
    // A refusal of this letter by the server is the letter's; anything else is the connection's.
    if (lastRefusal_.empty()) out.fault = FaultOf(result, end.security);
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
  Connection(const SmtpSettings& settings, const std::atomic<bool>* cancel) : settings_(settings), cancel_(cancel) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    curl_ = initialised ? curl_easy_init() : nullptr;
  }
  ~Connection() {
    if (!curl_) return;
    // A cancelled run says no goodbye: the server may be the one that stopped answering.
    curl_socket_t socket = CURL_SOCKET_BAD;
    if (cancel_ && cancel_->load() && curl_easy_getinfo(curl_, CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK &&
        socket != CURL_SOCKET_BAD)
      AbortSocket(std::uint64_t(socket));
    curl_easy_cleanup(curl_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // accepted: called the moment the server accepts the letter.
  SendOutcome Send(const MailMessage& message, bool last, const std::function<void()>& accepted);

 private:
  const SmtpSettings& settings_;
  const std::atomic<bool>* cancel_;
  CURL* curl_ = nullptr;
};

SendOutcome Connection::Send(const MailMessage& message, bool last, const std::function<void()>& accepted) {
  const std::atomic<bool>* cancel = cancel_;
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
  std::string text = SmtpMessageText(settings_, message);  // the letter holds the game password
  Upload upload{text};
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());
  if (CopiesToSender(settings_, message)) recipients = curl_slist_append(recipients, copy.c_str());
  // SASL wants UTF-8; mv.ini keeps Windows-1250.
  const std::string user = cp1250::ToUtf8(settings_.user);
  std::string password = cp1250::ToUtf8(settings_.password);
  ReplyWatch watch{{}, &upload, &accepted};

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, settings_.bounds.connect);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, settings_.bounds.reply);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, settings_.bounds.transfer);
  // The goodbye happens inside the last transfer, under the reply bound
  // and the cancel; before it the connection waits for the next letter.
  curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, last ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  WatchCancel(curl, cancel);
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, KeepReplies);
  curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &watch);
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
  curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
  curl_slist_free_all(recipients);
  WipeSecret(password);
  WipeSecret(text);

  return watch.replies.Outcome({long(result), reply, cancel && cancel->load(), upload.ended, settings_.security});
}

}  // namespace

SendOutcome SmtpTransport::Send(const MailMessage& message, const std::atomic<bool>* cancel) {
  if (auto refused = RefusedBeforeConnecting(settings_, message)) return *refused;
  return Connection(settings_, cancel).Send(message, true, {});
}

std::vector<SendOutcome> SmtpTransport::SendAll(const std::vector<MailMessage>& messages,
                                                const std::atomic<bool>* cancel, const SendHooks& hooks) {
  Connection connection(settings_, cancel);
  return SendInOrder(messages, cancel, hooks, [&](std::size_t i, const std::function<void()>& accepted) {
    if (auto refused = RefusedBeforeConnecting(settings_, messages[i])) return *refused;
    return connection.Send(messages[i], i + 1 == messages.size(), accepted);
  });
}

}  // namespace mv
