#include "player/win32/flash_activex_win32.h"

#include <ole2.h>
#include <oleauto.h>

#include "base/win32/utf16.h"

namespace player {
namespace {

constexpr wchar_t kClassId[] = L"{D27CDB6E-AE6D-11CF-96B8-444553540000}";
constexpr wchar_t kInterfaceId[] = L"{D27CDB6C-AE6D-11CF-96B8-444553540000}";

// Dispatch numbers of the control's properties and methods.
enum : DISPID {
  kMovie = 102,
  kScaleMode = 120,
  kAlignMode = 121,
  kBackgroundColor = 123,
  kTotalFrames = 124,
  kPlaying = 125,
  kMenu = 135,
  kPlay = 0x70,
  kStopPlay = 0x7E,
  kGotoFrame = 0x7F,
  kCurrentFrame = 0x80,
};

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

bool ClassRegistered() {
  const std::wstring key = std::wstring(L"CLSID\\") + kClassId + L"\\InprocServer32";
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

VARIANT Int(int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

class Control final : public ActiveXFlash {
 public:
  Control(IDispatch* dispatch, HMODULE atl) : dispatch_(dispatch), atl_(atl) {}
  ~Control() override {
    Release();
    FreeLibrary(atl_);
    OleUninitialize();
  }
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  void Release() override {
    if (dispatch_) dispatch_->Release();
    dispatch_ = nullptr;
  }

  void SetMovie(const std::string& path) override {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(base::Utf16FromUtf8(path).c_str());
    Put(kMovie, v);
    VariantClear(&v);
  }
  void SetScaleMode(int32_t mode) override { Put(kScaleMode, Int(mode)); }
  void SetAlignMode(int32_t mode) override { Put(kAlignMode, Int(mode)); }
  void SetBackgroundColor(int32_t rgb) override { Put(kBackgroundColor, Int(rgb)); }
  int32_t TotalFrames() override { return IntResult(Invoke(kTotalFrames, DISPATCH_PROPERTYGET, nullptr, 0)); }
  bool Playing() override {
    VARIANT v = Invoke(kPlaying, DISPATCH_PROPERTYGET, nullptr, 0);
    const bool playing = v.vt == VT_BOOL && v.boolVal != VARIANT_FALSE;
    VariantClear(&v);
    return playing;
  }
  void SetMenu(bool on) override {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
    Put(kMenu, v);
  }
  void Play() override { Discard(Invoke(kPlay, DISPATCH_METHOD, nullptr, 0)); }
  void StopPlay() override { Discard(Invoke(kStopPlay, DISPATCH_METHOD, nullptr, 0)); }
  void GotoFrame(int32_t frame) override {
    VARIANT argument = Int(frame);
    Discard(Invoke(kGotoFrame, DISPATCH_METHOD, &argument, 1));
  }
  int32_t CurrentFrame() override { return IntResult(Invoke(kCurrentFrame, DISPATCH_METHOD, nullptr, 0)); }

 private:
  VARIANT Invoke(DISPID id, WORD kind, VARIANT* arguments, UINT count, bool put = false) {
    VARIANT result;
    VariantInit(&result);
    if (!dispatch_) return result;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{arguments, put ? &named : nullptr, count, put ? 1u : 0u};
    dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, put ? nullptr : &result, nullptr, nullptr);
    return result;
  }
  void Put(DISPID id, VARIANT value) { Invoke(id, DISPATCH_PROPERTYPUT, &value, 1, true); }
  static void Discard(VARIANT v) { VariantClear(&v); }
  static int32_t IntResult(VARIANT v) {
    VARIANT number;
    VariantInit(&number);
    int32_t result = 0;
    if (SUCCEEDED(VariantChangeType(&number, &v, 0, VT_I4))) result = number.lVal;
    VariantClear(&number);
    VariantClear(&v);
    return result;
  }

  IDispatch* dispatch_;
  HMODULE atl_;
};

}  // namespace

std::unique_ptr<ActiveXFlash> CreateActiveXFlash(HWND parent, HWND& window) {
  window = nullptr;
  if (!ClassRegistered()) return nullptr;
  if (FAILED(OleInitialize(nullptr))) return nullptr;
  HMODULE atl = LoadLibraryW(L"atl.dll");
  auto init = atl ? reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit"))) : nullptr;
  auto getControl =
      atl ? reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl"))) : nullptr;
  HWND host = nullptr;
  IUnknown* unknown = nullptr;
  IDispatch* dispatch = nullptr;
  IID interfaceId;
  if (init && getControl && init() && SUCCEEDED(IIDFromString(kInterfaceId, &interfaceId))) {
    RECT area;
    GetClientRect(parent, &area);
    host = CreateWindowExW(0, L"AtlAxWin", kClassId, WS_CHILD | WS_VISIBLE, 0, 0, area.right, area.bottom, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    if (host && SUCCEEDED(getControl(host, &unknown)) && unknown) {
      // The control's own interface is a dual one: it is also its IDispatch.
      unknown->QueryInterface(interfaceId, reinterpret_cast<void**>(&dispatch));
      unknown->Release();
    }
  }
  if (!dispatch) {
    if (host) DestroyWindow(host);
    if (atl) FreeLibrary(atl);
    OleUninitialize();
    return nullptr;
  }
  // Input goes to the control's own window inside the host, where it has one.
  HWND inner = GetWindow(host, GW_CHILD);
  window = inner ? inner : host;
  return std::make_unique<Control>(dispatch, atl);
}

}  // namespace player
