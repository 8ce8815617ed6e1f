// Starts the loopback HTTP server of tests/http_sink.py for one test and
// stops it again; what it serves is given with Serve() and Hang().
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/ServerProcess.h"

class HttpSink {
 public:
  HttpSink() {
    dir_ = std::filesystem::temp_directory_path() /
           ("mvul-http-" + std::to_string(::getpid()) + "-" + std::to_string(++count_));
    std::filesystem::create_directories(dir_ / "files");
    server_ = std::make_unique<ServerProcess>(std::vector<std::string>{HTTP_SINK_SCRIPT, dir_.string()});
  }
  ~HttpSink() {
    server_.reset();  // the server stops when its input closes
    std::filesystem::remove_all(dir_);
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(server_ ? server_->port() : 0); }
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
  std::unique_ptr<ServerProcess> server_;
};
