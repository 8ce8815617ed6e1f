// The about box's system data on Windows: the operating system's version
// and the global memory status.
#include <windows.h>

#include <cstdio>

#include "store/SystemInfo.h"

namespace mv {

std::string CurrentOsName() {
  // GetVersionEx answers what the manifest allows; RtlGetVersion the truth.
  using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  const auto get =
      ntdll ? reinterpret_cast<RtlGetVersion>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  if (!get || get(&info) != 0) return "Windows";
  char text[64];
  std::snprintf(text, sizeof text, "Windows %lu.%lu (build %lu)", info.dwMajorVersion, info.dwMinorVersion,
                info.dwBuildNumber);
  return text;
}

std::optional<MemoryStatus> CurrentMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!::GlobalMemoryStatusEx(&status)) return std::nullopt;
  return MemoryStatus{std::uint64_t(status.ullTotalPhys / 1024), int(status.dwMemoryLoad)};
}

}  // namespace mv
