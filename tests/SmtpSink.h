// Starts the loopback SMTP sink of tests/smtp_sink.py for one test and stops
// it again; the messages it received are read back from its folder.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/ServerProcess.h"

class SmtpSink {
 public:
  // mode: a mode of smtp_sink.py. The TLS modes get a self-signed
  // certificate for 127.0.0.1 of their own (see CaFile()).
  explicit SmtpSink(const std::string& mode = "plain") {
    dir_ = std::filesystem::temp_directory_path() /
           ("mvul-smtp-" + std::to_string(::getpid()) + "-" + std::to_string(++count_));
    std::filesystem::create_directories(dir_);
    const bool tls = mode == "starttls" || mode == "tls";
    if (tls) {
      const std::string command =
          "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
          "-addext subjectAltName=IP:127.0.0.1,DNS:localhost -keyout " +
          (dir_ / "key.pem").string() + " -out " + CaFile() + " >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) return;
    }
    std::vector<std::string> arguments{SMTP_SINK_SCRIPT, dir_.string(), mode};
    if (tls) arguments.insert(arguments.end(), {CaFile(), (dir_ / "key.pem").string()});
    server_ = std::make_unique<ServerProcess>(arguments);
  }
  ~SmtpSink() {
    server_.reset();  // the sink stops when its input closes
    std::filesystem::remove_all(dir_);
  }
  int port() const { return server_ ? server_->port() : 0; }
  // The certificate to trust ("CAFajl").
  std::string CaFile() const { return (dir_ / "cert.pem").string(); }
  // Every command the server saw, with the connection's security.
  std::string Commands() const { return Read("commands.log").value_or(""); }

  // The n-th received message (1-based), raw, and its envelope.
  std::optional<std::string> Message(int n) const { return Read(std::to_string(n) + ".eml"); }
  std::optional<std::string> Envelope(int n) const { return Read(std::to_string(n) + ".env"); }
  int Received() const {
    int n = 0;
    while (std::filesystem::exists(dir_ / (std::to_string(n + 1) + ".eml"))) ++n;
    return n;
  }

  // A port where nothing listens.
  static int ClosedPort() { return 1; }

 private:
  std::optional<std::string> Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  static inline int count_ = 0;
  std::filesystem::path dir_;
  std::unique_ptr<ServerProcess> server_;
};
