// A test server in a child process (a python script of tests/): it prints
// the port it listens on, and stops when its standard input closes.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

class ServerProcess {
 public:
  // /usr/bin/python3 with the arguments (the script first).
  explicit ServerProcess(const std::vector<std::string>& arguments) {
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(toChild[0], 0);
      ::dup2(fromChild[1], 1);
      ::close(toChild[1]);
      ::close(fromChild[0]);
      std::vector<char*> argv{const_cast<char*>("python3")};
      for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv("/usr/bin/python3", argv.data());
      ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    input_ = toChild[1];
    std::string line;
    char c;
    while (::read(fromChild[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(fromChild[0]);
    port_ = line.empty() ? 0 : std::stoi(line);
  }
  ~ServerProcess() {
    if (input_ >= 0) ::close(input_);
    if (pid_ > 0) {
      // A moment to finish what it writes, then it goes.
      for (int i = 0; i < 50 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int port_ = 0;
};
