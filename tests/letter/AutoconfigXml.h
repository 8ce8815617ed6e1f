// Autoconfig answers as the tests write them.
#pragma once

#include <string>

namespace mv {

inline std::string Config(const std::string& servers) {
  return "<?xml version=\"1.0\"?><clientConfig version=\"1.1\"><emailProvider id=\"pelda.hu\">"
         "<incomingServer type=\"imap\"><hostname>imap.pelda.hu</hostname></incomingServer>" +
         servers + "</emailProvider></clientConfig>";
}

inline std::string Smtp(const std::string& host, const std::string& port, const std::string& socket,
                        const std::string& auth, const std::string& user = "%EMAILADDRESS%") {
  return "<outgoingServer type=\"smtp\"><hostname>" + host + "</hostname><port>" + port + "</port><socketType>" +
         socket + "</socketType><authentication>" + auth + "</authentication><username>" + user +
         "</username></outgoingServer>";
}

}  // namespace mv
