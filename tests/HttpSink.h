// Starts the loopback HTTP server of tests/http_sink.py for one test and
// stops it again; the files it serves are written under Files().
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class HttpSink {
 public:
  HttpSink() {
    dir_ = std::filesystem::temp_directory_path() /
           ("mvul-http-" + std::to_string(::getpid()) + "-" + std::to_string(++count_));
    std::filesystem::create_directories(dir_ / "files");
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(toChild[0], 0);
      ::dup2(fromChild[1], 1);
      ::close(toChild[1]);
      ::close(fromChild[0]);
      ::execl("/usr/bin/python3", "python3", HTTP_SINK_SCRIPT, dir_.c_str(), nullptr);
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
  ~HttpSink() {
    if (stdin_ >= 0) ::close(stdin_);  // the server stops when its input closes
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    std::filesystem::remove_all(dir_);
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // A file served at path (under the base).
  void Serve(const std::string& path, const std::string& body) const {
    std::filesystem::create_directories((dir_ / "files" / path).parent_path());
    std::ofstream(dir_ / "files" / path, std::ios::binary) << body;
  }
  // A path that is accepted and never answered.
  void Hang(const std::string& path) const { Serve(path + ".hang", ""); }
  // The paths asked for, one a line, in order.
  std::string Requests() const {
    std::ifstream in(dir_ / "requests.log");
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

 private:
  static inline int count_ = 0;
  std::filesystem::path dir_;
  pid_t pid_ = -1;
  int stdin_ = -1;
  int port_ = 0;
};
