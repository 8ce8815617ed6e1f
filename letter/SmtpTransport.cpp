#include "letter/SmtpTransport.h"

#include <curl/curl.h>

#include <cstring>
#include <ctime>

#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {

std::string SendOutcomeMessage(const SendOutcome& outcome) {
  switch (outcome.status) {
    case SendOutcome::Status::Sent: return std::string("UL elküldve"_w);
    case SendOutcome::Status::NoMailSetup: return std::string("Nem tudtam elküldeni a levelet"_w);
    case SendOutcome::Status::SendError: break;
  }
  return "Mailer error: " + outcome.errorName + " (code: " + std::to_string(outcome.code) + ")";
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
};

std::size_t ReadUpload(char* buffer, std::size_t size, std::size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const std::size_t n = std::min(size * count, upload->text.size() - upload->done);
  std::memcpy(buffer, upload->text.data() + upload->done, n);
  upload->done += n;
  return n;
}

// Header values must not carry line breaks from what the player typed.
std::string HeaderValue(std::string value) {
  for (char& c : value)
    if (c == '\r' || c == '\n') c = ' ';
  return value;
}

}  // namespace

SmtpSettings ReadSmtpSettings(const IniFile& ini) {
  SmtpSettings s;
  s.server = ini.Read(kSection, "Kiszolgalo");
  const std::string security = ini.Read(kSection, "Titkositas");
  if (security == "STARTTLS") s.security = SmtpSettings::Security::StartTls;
  if (security == "TLS") s.security = SmtpSettings::Security::Tls;
  const auto port = ParseInteger(ini.Read(kSection, "Port"));
  s.port = port && *port > 0 && *port < 65536 ? *port : (s.security == SmtpSettings::Security::Tls ? 465 : 25);
  s.user = ini.Read(kSection, "Felhasznalo");
  s.password = ini.Read(kSection, "Jelszo");
  s.sender = ini.Read(kSection, "Felado");
  return s;
}

bool WriteSmtpSettings(IniFile& ini, const SmtpSettings& s) {
  bool ok = ini.Write(kSection, "Kiszolgalo", s.server);
  ok = ini.Write(kSection, "Port", std::to_string(s.port)) && ok;
  ok = ini.Write(kSection, "Titkositas", SecurityText(s.security)) && ok;
  ok = ini.Write(kSection, "Felhasznalo", s.user) && ok;
  ok = ini.Write(kSection, "Jelszo", s.password) && ok;
  ok = ini.Write(kSection, "Felado", s.sender) && ok;
  return ok;
}

std::string SmtpMessageText(const SmtpSettings& settings, const MailMessage& m) {
  const std::string from = settings.sender.empty() ? "mvul@localhost" : settings.sender;
  return "Date: " + RfcDate() + "\r\nFrom: <" + HeaderValue(from) + ">\r\nTo: <" + HeaderValue(m.to) +
         ">\r\nSubject: " + HeaderValue(m.subject) +
         "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=windows-1250\r\n"
         "Content-Transfer-Encoding: 8bit\r\n\r\n" +
         m.body;
}

SendOutcome SmtpTransport::Send(const MailMessage& message) {
  SendOutcome out;
  if (settings_.server.empty() || message.to.empty()) {
    out.status = SendOutcome::Status::NoMailSetup;
    return out;
  }
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  CURL* curl = initialised ? curl_easy_init() : nullptr;
  if (!curl) {
    out.status = SendOutcome::Status::NoMailSetup;
    return out;
  }
  const bool tls = settings_.security == SmtpSettings::Security::Tls;
  const std::string url = std::string(tls ? "smtps://" : "smtp://") + settings_.server + ":" + std::to_string(settings_.port);
  const std::string from = "<" + (settings_.sender.empty() ? std::string("mvul@localhost") : settings_.sender) + ">";
  const std::string to = "<" + message.to + ">";
  const std::string text = SmtpMessageText(settings_, message);
  Upload upload{text};
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 15L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  if (settings_.security == SmtpSettings::Security::StartTls) curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
  if (!settings_.user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, settings_.user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, settings_.password.c_str());
  }

  const CURLcode result = curl_easy_perform(curl);
  long reply = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply);
  curl_slist_free_all(recipients);
  curl_easy_cleanup(curl);

  switch (result) {
    case CURLE_OK:
      out.status = SendOutcome::Status::Sent;
      break;
    // No usable mail set-up: the server cannot be reached or refuses us.
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      out.status = SendOutcome::Status::NoMailSetup;
      break;
    default:
      out.status = SendOutcome::Status::SendError;
      out.errorName = curl_easy_strerror(result);
      if (reply >= 400) out.errorName += ", SMTP " + std::to_string(reply);
      out.code = long(result);
      break;
  }
  return out;
}

}  // namespace mv
