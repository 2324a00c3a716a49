// A Program Manager stand-in for the end-to-end tests: a DDE server that
// answers the topic "Program" (to a client naming no service, too) and writes
// every execute command it receives, one a line, to a log file.
//
//   ddeserver LOGFILE SECONDS     serves for SECONDS, then ends; the log gets
//                                 "ready" once the service is registered
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

DWORD g_instance = 0;
HSZ g_service = nullptr;
HSZ g_topic = nullptr;
FILE* g_log = nullptr;

void Log(const std::string& line) {
  std::fputs((line + "\n").c_str(), g_log);
  std::fflush(g_log);
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ service, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(DdeCmpStringHandles(topic, g_topic) == 0));
    case XTYP_WILDCONNECT: {
      if ((topic && DdeCmpStringHandles(topic, g_topic) != 0) || (service && DdeCmpStringHandles(service, g_service) != 0))
        return nullptr;
      HSZPAIR pairs[2] = {{g_service, g_topic}, {nullptr, nullptr}};
      return DdeCreateDataHandle(g_instance, reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0, nullptr, CF_TEXT, 0);
    }
    case XTYP_EXECUTE: {
      const DWORD size = DdeGetData(data, nullptr, 0, 0);
      std::string text(size, '\0');
      DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), size, 0);
      text.resize(std::strlen(text.c_str()));
      Log("execute " + text);
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_CONNECT_CONFIRM:
      Log("connected");
      return nullptr;
    case XTYP_DISCONNECT:
      Log("disconnected");
      return nullptr;
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  g_log = _wfopen(argv[1], L"w");
  if (!g_log) return 3;
  if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0) !=
      DMLERR_NO_ERROR)
    return 4;
  g_service = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
  g_topic = DdeCreateStringHandleA(g_instance, "Program", CP_WINANSI);
  if (!DdeNameService(g_instance, g_service, nullptr, DNS_REGISTER)) return 5;
  Log("ready");
  SetTimer(nullptr, 0, static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) * 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) break;
    DispatchMessageW(&msg);
  }
  DdeNameService(g_instance, g_service, nullptr, DNS_UNREGISTER);
  DdeUninitialize(g_instance);
  std::fclose(g_log);
  return 0;
}
