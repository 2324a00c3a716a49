#include "installer/win32/progman_dde.h"

#include "installer/win32/setup_support.h"

namespace installer::win32 {
namespace {

// The client answers every transaction with nothing.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

}  // namespace

CProgmanDde::CProgmanDde() {
  if (DdeInitializeA(&instance_, ClientCallback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) instance_ = 0;
}

CProgmanDde::~CProgmanDde() {
  Disconnect();
  if (instance_) DdeUninitialize(instance_);
}

bool CProgmanDde::Connect(std::string_view service, std::string_view topic) {
  if (!instance_) return false;
  Disconnect();
  const std::string serviceText = AnsiFromUtf8(service);
  const std::string topicText = AnsiFromUtf8(topic);
  HSZ serviceHandle = serviceText.empty() ? nullptr : DdeCreateStringHandleA(instance_, serviceText.c_str(), CP_WINANSI);
  HSZ topicHandle = topicText.empty() ? nullptr : DdeCreateStringHandleA(instance_, topicText.c_str(), CP_WINANSI);
  conversation_ = DdeConnect(instance_, serviceHandle, topicHandle, nullptr);
  if (serviceHandle) DdeFreeStringHandle(instance_, serviceHandle);
  if (topicHandle) DdeFreeStringHandle(instance_, topicHandle);
  if (!conversation_) return false;
  CONVINFO info{};
  info.cb = sizeof info;
  format_ = DdeQueryConvInfo(conversation_, QID_SYNC, &info) && info.wFmt ? info.wFmt : CF_TEXT;
  return true;
}

bool CProgmanDde::Execute(const std::string& commandText) {
  if (!conversation_ || commandText.empty()) return false;
  const std::string text = AnsiFromUtf8(commandText);
  HDDEDATA data = DdeCreateDataHandle(instance_, reinterpret_cast<BYTE*>(const_cast<char*>(text.c_str())),
                                      static_cast<DWORD>(text.size() + 1), 0, nullptr, format_, 0);
  if (!data) return false;
  DWORD result = 0;
  if (DdeClientTransaction(reinterpret_cast<BYTE*>(data), 0xFFFFFFFF, conversation_, nullptr, format_, XTYP_EXECUTE,
                           TIMEOUT_ASYNC, &result))
    return true;
  DdeFreeDataHandle(data);
  return false;
}

void CProgmanDde::Disconnect() {
  if (conversation_) DdeDisconnect(conversation_);
  conversation_ = nullptr;
}

}  // namespace installer::win32
