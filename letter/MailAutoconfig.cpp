#include "letter/MailAutoconfig.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <pugixml.hpp>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "letter/CurlCancel.h"

namespace mv {
namespace {

// Each placeholder of the answer replaced once: what it brings in (the typed
// address) is never read as a placeholder again.
std::string Expand(std::string_view text, const std::vector<std::pair<std::string_view, std::string>>& values) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const auto known = std::find_if(values.begin(), values.end(),
                                    [&](const auto& value) { return text.substr(at).starts_with(value.first); });
    if (known == values.end()) {
      out += text[at++];
      continue;
    }
    out += known->second;
    at += known->first.size();
  }
  return out;
}

bool IsHostLabel(std::string_view label) {
  if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
  return std::all_of(label.begin(), label.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

// A host name as DNS takes it, lower case: labels joined by dots.
bool IsHostName(std::string_view name) {
  if (name.empty() || name.size() > 253) return false;
  for (std::size_t start = 0;;) {
    const auto dot = name.find('.', start);
    if (!IsHostLabel(name.substr(start, dot - start))) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

bool HasControl(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

struct Download {
  std::string body;
  bool tooLarge = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* download = static_cast<Download*>(user);
  const std::size_t n = size * count;
  if (download->body.size() + n > kAutoconfigMaxBytes) {
    download->tooLarge = true;
    return 0;  // stops the transfer
  }
  download->body.append(data, n);
  return n;
}

// One source within its time; the body when it answered 200 in time.
std::optional<std::string> Fetch(const std::string& url, long timeoutMs, bool plainHttp,
                                 const std::atomic<bool>* cancel) {
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  CURL* curl = initialised ? curl_easy_init() : nullptr;
  if (!curl) return std::nullopt;
  Download download;
  const char* protocols = plainHttp ? "http" : "https";
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, protocols);
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, protocols);  // never down to plain HTTP
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 3L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &download);
  WatchCancel(curl, cancel);
  const CURLcode result = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  if (result != CURLE_OK || status != 200 || download.tooLarge) return std::nullopt;
  return download.body;
}

}  // namespace

std::optional<std::string> MailDomainOf(std::string_view address) {
  const auto at = address.rfind('@');
  if (at == std::string_view::npos || at == 0) return std::nullopt;
  const std::string domain = cp1250::Lower(address.substr(at + 1));
  if (domain.find('.') == std::string::npos || !IsHostName(domain)) return std::nullopt;
  // The local part must not carry what a URL or a header would read as more.
  for (const char c : address.substr(0, at))
    if (static_cast<unsigned char>(c) <= ' ' || c == '<' || c == '>' || c == '"' || c == '\\' || c == '@')
      return std::nullopt;
  return domain;
}

std::string AutoconfigTestBase() {
  const char* base = std::getenv("MVUL_AUTOCONFIG_TEST_BASE");
  return base ? LoopbackTestBase(base) : std::string();
}

std::string LoopbackTestBase(const std::string& text) {
  // Parsed as libcurl will read it: the host it would connect to, never a
  // prefix that a user name can fake.
  CURLU* url = curl_url();
  if (!url) return {};
  std::string out;
  if (curl_url_set(url, CURLUPART_URL, text.c_str(), 0) == CURLUE_OK) {
    const auto part = [&](CURLUPart which) {
      char* value = nullptr;
      const bool got = curl_url_get(url, which, &value, 0) == CURLUE_OK && value;
      std::string result = got ? value : "";
      curl_free(value);
      return got ? std::optional(result) : std::nullopt;
    };
    const auto scheme = part(CURLUPART_SCHEME), host = part(CURLUPART_HOST), port = part(CURLUPART_PORT);
    const bool loopback = host && (*host == "127.0.0.1" || *host == "localhost" || *host == "[::1]");
    if (scheme == "http" && loopback && port && !part(CURLUPART_USER) && !part(CURLUPART_PASSWORD) &&
        !part(CURLUPART_QUERY) && !part(CURLUPART_FRAGMENT)) {
      const auto path = part(CURLUPART_PATH).value_or("/");
      out = "http://" + *host + ":" + *port + (path == "/" ? std::string() : path);
    }
  }
  curl_url_cleanup(url);
  return out;
}

std::vector<std::string> AutoconfigUrls(std::string_view address, std::string_view domain, std::string_view testBase) {
  const std::string d(domain);
  if (!testBase.empty()) {
    const std::string base(testBase);
    return {base + "/autoconfig." + d + "/mail/config-v1.1.xml",
            base + "/" + d + "/.well-known/autoconfig/mail/config-v1.1.xml", base + "/ispdb/" + d};
  }
  char* escaped = curl_easy_escape(nullptr, address.data(), int(address.size()));
  const std::string query = escaped ? escaped : "";
  curl_free(escaped);
  return {"https://autoconfig." + d + "/mail/config-v1.1.xml?emailaddress=" + query,
          "https://" + d + "/.well-known/autoconfig/mail/config-v1.1.xml",
          "https://autoconfig.thunderbird.net/v1.1/" + d};
}

AutoconfigAnswer ReadAutoconfig(std::string_view xml, std::string_view address) {
  AutoconfigAnswer out;
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size())) return out;
  const std::string addr(address);
  const auto at = addr.rfind('@');
  const std::string local = addr.substr(0, at), domain = at == std::string::npos ? "" : addr.substr(at + 1);
  bool oauthOnly = false;
  for (const pugi::xpath_node& found : doc.select_nodes("/clientConfig/emailProvider/outgoingServer[@type='smtp']")) {
    const pugi::xml_node server = found.node();
    const std::string socket = server.child_value("socketType");
    bool password = false, oauth = false;
    for (const pugi::xml_node auth : server.children("authentication")) {
      const std::string method = auth.child_value();
      password |= method == "password-cleartext" || method == "password-encrypted";
      oauth |= method == "OAuth2";
    }
    const bool encrypted = socket == "SSL" || socket == "STARTTLS";
    if (encrypted && !password && oauth) oauthOnly = true;
    if (!encrypted || !password) continue;
    MailSetup& setup = out.setup;
    setup.security = socket == "SSL" ? SmtpSettings::Security::Tls : SmtpSettings::Security::StartTls;
    const std::vector<std::pair<std::string_view, std::string>> values{
        {"%EMAILADDRESS%", addr}, {"%EMAILLOCALPART%", local}, {"%EMAILDOMAIN%", domain}};
    setup.server = cp1250::Lower(Expand(server.child_value("hostname"), values));
    const auto port = ParseInteger(server.child_value("port"));
    setup.port = port && *port >= 1 && *port <= 65535 ? *port : DefaultPort(setup.security);
    setup.user = Expand(server.child_value("username"), values);
    // Only a server the resolver can take, and a user name of one line.
    if (!IsHostName(setup.server) || HasControl(setup.user)) continue;
    out.kind = AutoconfigAnswer::Kind::Usable;
    return out;
  }
  if (oauthOnly) out.kind = AutoconfigAnswer::Kind::OAuthOnly;
  return out;
}

AutoconfigResult LookUpMailSetup(std::string_view address, const std::atomic<bool>* cancel) {
  AutoconfigResult result;
  const auto domain = MailDomainOf(address);
  if (!domain) {
    result.status = AutoconfigResult::Status::BadAddress;
    return result;
  }
  result.domain = *domain;
  const std::string testBase = AutoconfigTestBase();
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& url : AutoconfigUrls(address, *domain, testBase)) {
    const long spent =
        long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    const long left = std::min(kAutoconfigSourceMs, kAutoconfigTotalMs - spent);
    if (left <= 0) break;
    const auto body = Fetch(url, left, !testBase.empty(), cancel);
    if (cancel && cancel->load()) {
      result.status = AutoconfigResult::Status::Cancelled;
      return result;
    }
    if (!body) continue;
    const AutoconfigAnswer answer = ReadAutoconfig(*body, address);
    if (answer.kind == AutoconfigAnswer::Kind::OAuthOnly) {
      result.status = AutoconfigResult::Status::OAuthOnly;
      return result;
    }
    if (answer.kind != AutoconfigAnswer::Kind::Usable) continue;
    result.status = AutoconfigResult::Status::Found;
    result.setup = answer.setup;
    result.setup.source = url;
    return result;
  }
  return result;
}

std::string AutoconfigNotFoundMessage(std::string_view domain) {
  return std::string("Ehhez a címhez nem találtam levélküldési beállítást ("_w) + std::string(domain) +
         std::string(
             "). A kimenő (SMTP) kiszolgáló nevét, portját és titkosítását a levelezési szolgáltatód "
             "súgójában találod."_w);
}

std::string AutoconfigOAuthMessage() {
  return std::string(
      "Ez a szolgáltató nem enged jelszavas levélküldést más programból. Másold ki az UL-t a vágólapra, és küldd el a "
      "levelezőfelületén."_w);
}

}  // namespace mv
