// A stand-in "mapi32" for the tests: each entry point answers with the
// next code of its list in MVUL_FAKE_MAPI ("logon=3,0;resolve=14,0;send=0",
// 0 once the list ends) and writes what it was given to MVUL_FAKE_MAPI_LOG.
#include <windows.h>
// clang-format off
#include <mapi.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Environment(const char* name) {
  char value[1024] = "";
  const DWORD size = ::GetEnvironmentVariableA(name, value, sizeof value);
  return size > 0 && size < sizeof value ? std::string(value, size) : std::string();
}

ULONG NextCode(const std::string& entry) {
  static std::map<std::string, std::size_t> calls;
  const std::string script = ";" + Environment("MVUL_FAKE_MAPI") + ";";
  const std::size_t at = script.find(";" + entry + "=");
  std::size_t call = calls[entry]++;
  if (at == std::string::npos) return SUCCESS_SUCCESS;
  std::size_t from = at + entry.size() + 2;
  const std::size_t end = script.find(';', from);
  for (; call > 0 && from < end; --call) {
    const std::size_t comma = script.find(',', from);
    if (comma == std::string::npos || comma > end) return SUCCESS_SUCCESS;
    from = comma + 1;
  }
  return ULONG(std::strtoul(script.c_str() + from, nullptr, 10));
}

void Log(const std::string& line) {
  const std::string path = Environment("MVUL_FAKE_MAPI_LOG");
  if (path.empty()) return;
  if (FILE* file = std::fopen(path.c_str(), "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

std::string Text(LPCSTR text) { return text ? text : "(null)"; }

char kEntryId[] = "fake-entry";
MapiRecipDesc resolvedRecord{};

}  // namespace

extern "C" {

__declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR, LPSTR profile, LPSTR, FLAGS flags, ULONG, LPLHANDLE session) {
  Log("logon " + Text(profile) + " " + std::to_string(flags));
  const ULONG code = NextCode("logon");
  *session = code == SUCCESS_SUCCESS ? LHANDLE(42) : LHANDLE(0);
  return code;
}

__declspec(dllexport) ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR, FLAGS, ULONG) {
  Log("logoff " + std::to_string(session));
  return SUCCESS_SUCCESS;
}

__declspec(dllexport) ULONG WINAPI
    MAPIResolveName(LHANDLE session, ULONG_PTR, LPSTR name, FLAGS flags, ULONG, lpMapiRecipDesc* result) {
  Log("resolve " + std::to_string(session) + " " + Text(name) + " " + std::to_string(flags));
  const ULONG code = NextCode("resolve");
  if (code != SUCCESS_SUCCESS) return code;
  resolvedRecord.ulEIDSize = sizeof kEntryId - 1;
  resolvedRecord.lpEntryID = kEntryId;
  *result = &resolvedRecord;
  return code;
}

__declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR, lpMapiMessage message, FLAGS flags, ULONG) {
  std::string line = "send " + std::to_string(session) + " " + std::to_string(flags) + " " +
                     Text(message->lpszSubject) + " " + std::to_string(message->nRecipCount);
  for (ULONG i = 0; i < message->nRecipCount; ++i) {
    const MapiRecipDesc& to = message->lpRecips[i];
    line += " " + std::to_string(to.ulRecipClass) + ":" + Text(to.lpszName) + ":" +
            std::string(static_cast<const char*>(to.lpEntryID ? to.lpEntryID : ""), to.ulEIDSize);
  }
  Log(line);
  Log("body " + Text(message->lpszNoteText));
  return NextCode("send");
}

__declspec(dllexport) ULONG WINAPI MAPIFreeBuffer(LPVOID buffer) {
  Log(buffer == &resolvedRecord ? "free" : "free unknown");
  return SUCCESS_SUCCESS;
}
}
