// A private Secret Service for the tests: a D-Bus session daemon and
// gnome-keyring with their own HOME and XDG folders, started on first use
// and stopped at exit. GLib keeps the first session bus a process uses, so
// a test process has one of these at most, and sets it before any other use.
#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

// A session bus of the test's own on which nothing offers or can start a
// Secret Service: a desktop without any keyring.
class BareBus {
 public:
  BareBus() {
    dir_ = std::filesystem::temp_directory_path() / ("mvul-barebus-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    // The session bus's own rules, without a folder of services to start.
    std::ofstream(dir_ / "bus.conf") << "<busconfig><type>session</type><listen>unix:dir=" << dir_.string()
                                     << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                        "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                                        "<allow own=\"*\"/></policy></busconfig>";
    const std::string start = "cd " + dir_.string() +
                              " && dbus-daemon --config-file=bus.conf --fork "
                              "--print-address=3 --print-pid=4 3>address 4>pid 2>/dev/null";
    if (std::system(start.c_str()) != 0) return;
    std::ifstream in(dir_ / "address");
    std::getline(in, address_);
    std::ifstream pid(dir_ / "pid");
    pid >> daemon_;
  }
  ~BareBus() {
    if (daemon_ > 0) ::kill(daemon_, SIGTERM);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::string& address() const { return address_; }

 private:
  std::filesystem::path dir_;
  std::string address_;
  pid_t daemon_ = 0;
};

class KeyringSession {
 public:
  static const KeyringSession& Get() {
    static const KeyringSession session;
    return session;
  }
  bool ok() const { return !address_.empty(); }
  const std::string& address() const { return address_; }
  // A bus address where nothing answers: a bus that went away.
  static std::string Nowhere() { return "unix:path=/nonexistent/mvul-no-bus"; }
  // The keyring daemon serving this session's bus (to stop and go on).
  pid_t KeyringDaemon() const {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::ifstream cmdline(entry.path() / "cmdline");
      std::string command((std::istreambuf_iterator<char>(cmdline)), {});
      if (command.find("gnome-keyring-daemon") == std::string::npos) continue;
      std::ifstream environment(entry.path() / "environ");
      std::string env((std::istreambuf_iterator<char>(environment)), {});
      if (env.find("DBUS_SESSION_BUS_ADDRESS=" + address_ + '\0') != std::string::npos ||
          env.find("HOME=" + dir_.string() + '\0') != std::string::npos)
        return pid_t(std::stol(entry.path().filename().string()));
    }
    return 0;
  }

 private:
  KeyringSession() {
    dir_ = std::filesystem::temp_directory_path() / ("mvul-keyring-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_ / "run");
    std::filesystem::permissions(dir_ / "run", std::filesystem::perms::owner_all);
    const std::string d = dir_.string();
    const std::string env = "HOME=" + d + " XDG_DATA_HOME=" + d + "/data XDG_CONFIG_HOME=" + d +
                            "/cfg XDG_RUNTIME_DIR=" + d + "/run XDG_CACHE_HOME=" + d + "/cache ";
    const std::string start = "cd " + d + " && " + env +
                              "dbus-daemon --session --fork --print-address=3 --print-pid=4 3>address 4>pid "
                              "2>/dev/null && " +
                              env +
                              "DBUS_SESSION_BUS_ADDRESS=$(head -n1 address) sh -c "
                              "'printf keyring | gnome-keyring-daemon --unlock --components=secrets' >/dev/null "
                              "2>&1";
    if (std::system(start.c_str()) != 0) return;
    std::ifstream in(dir_ / "address");
    std::getline(in, address_);
    std::ifstream pid(dir_ / "pid");
    pid >> daemon_;
    // Everything in this process talks to this bus from now on.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
  }
  ~KeyringSession() {
    // The keyring daemon quits with its bus.
    if (daemon_ > 0) ::kill(daemon_, SIGTERM);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::filesystem::path dir_;
  std::string address_;
  pid_t daemon_ = 0;
};
