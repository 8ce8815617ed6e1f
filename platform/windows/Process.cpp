#include "platform/Process.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/Paths.h"

namespace mv {
namespace {

std::string FromWide(const wchar_t* text) {
  if (!text || !*text) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

std::atomic<bool>* stopFlag = nullptr;

BOOL WINAPI SetStop(DWORD) {
  if (stopFlag) *stopFlag = true;
  return TRUE;  // handled: the run stops by itself
}

}  // namespace

bool ProcessIsRunning(long long pid) {
  if (pid <= 0 || pid > 0xffffffffLL) return false;
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;  // it runs, as another user
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  ::CloseHandle(process);
  return running;
}

long long CurrentProcessId() { return ::GetCurrentProcessId(); }

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> out;
  for (int i = 0; wide && i < count; ++i) out.push_back(FromWide(wide[i]));
  if (wide) ::LocalFree(wide);
  return out;
}

std::optional<std::string> Environment(const char* name) {
  std::wstring wide(name, name + std::char_traits<char>::length(name));
  const wchar_t* value = ::_wgetenv(wide.c_str());
  if (!value) return std::nullopt;
  return FromWide(value);
}

void PrepareStandardOutput() {
  // The same bytes as on Linux: no "\n" made "\r\n" on the way out.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
}

void StopOnRequest(std::atomic<bool>& stop) {
  stopFlag = &stop;
  ::SetConsoleCtrlHandler(SetStop, TRUE);
}

}  // namespace mv
