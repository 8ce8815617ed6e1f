// Starts the loopback SMTP sink of tests/smtp_sink.py for one test and stops
// it again; the messages it received are read back from its folder.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

class SmtpSink {
 public:
  SmtpSink() {
    dir_ = std::filesystem::temp_directory_path() / ("mvul-smtp-" + std::to_string(::getpid()) + "-" + std::to_string(++count_));
    std::filesystem::create_directories(dir_);
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(toChild[0], 0);
      ::dup2(fromChild[1], 1);
      ::close(toChild[1]);
      ::close(fromChild[0]);
      ::execl("/usr/bin/python3", "python3", SMTP_SINK_SCRIPT, dir_.c_str(), nullptr);
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
