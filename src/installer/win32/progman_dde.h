// CProgmanDde: a DDE client conversation with a Program Manager on the topic
// "Program", through the DDE management library with ANSI string handles.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <string>
#include <string_view>

namespace installer::win32 {

class CProgmanDde {
 public:
  CProgmanDde();
  ~CProgmanDde();
  CProgmanDde(const CProgmanDde&) = delete;
  CProgmanDde& operator=(const CProgmanDde&) = delete;

  // An empty service makes no string handle: any server of the topic may
  // answer.
  bool Connect(std::string_view service, std::string_view topic);
  // Sends the whole text (with its terminating zero) as an execute
  // transaction without waiting for the answer; true when the library took it.
  bool Execute(const std::string& commandText);
  void Disconnect();
  bool Connected() const { return conversation_ != nullptr; }

 private:
  DWORD instance_ = 0;
  HCONV conversation_ = nullptr;
  UINT format_ = CF_TEXT;
};

}  // namespace installer::win32
