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
#include <optional>
#include <string>
#include <thread>

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
    const std::string cert = CaFile(), key = (dir_ / "key.pem").string();
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(toChild[0], 0);
      ::dup2(fromChild[1], 1);
      ::close(toChild[1]);
      ::close(fromChild[0]);
      if (tls)
        ::execl("/usr/bin/python3", "python3", SMTP_SINK_SCRIPT, dir_.c_str(), mode.c_str(), cert.c_str(), key.c_str(),
                nullptr);
      else
        ::execl("/usr/bin/python3", "python3", SMTP_SINK_SCRIPT, dir_.c_str(), mode.c_str(), nullptr);
      ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    stdin_ = toChild[1];
    std::string line;
    char c;
    while (::read(fromChild[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(fromChild[0]);
    port_ = line.empty() ? 0 : std::stoi(line);
  }
  ~SmtpSink() {
    if (stdin_ >= 0) ::close(stdin_);  // the sink stops when its input closes
    if (pid_ > 0) {
      for (int i = 0; i < 50 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    std::filesystem::remove_all(dir_);
  }
  int port() const { return port_; }
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
  pid_t pid_ = -1;
  int stdin_ = -1;
  int port_ = 0;
};
