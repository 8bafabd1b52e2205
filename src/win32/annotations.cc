#include "win32/annotations.h"

#include <oleacc.h>

namespace quorlith::win32 {
namespace {

// Active Accessibility's dynamic annotation, by value: mingw-w64 links its
// named GUIDs to stubs.
constexpr CLSID kAccPropServicesClass = {
    0xb5f8350b,
    0x0548,
    0x48b1,
    {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776,
    0x04f0,
    0x495d,
    {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kDescriptionProperty = {
    0x4d48dfe4,
    0xbd3f,
    0x491f,
    {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
// UI Automation's LiveSetting, which Active Accessibility annotations carry
// too; 2 is "assertive": said at once.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e,
    0x2a8e,
    0x4950,
    {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kAssertive = 2;

// Null where the system offers none.
IAccPropServices* Annotations() {
  static IAccPropServices* services = [] {
    // The program's one thread keeps COM from here on; a thread that has
    // it already answers S_FALSE or RPC_E_CHANGED_MODE, both fine.
    (void)CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    void* made = nullptr;
    if (FAILED(CoCreateInstance(kAccPropServicesClass, nullptr,
                                CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                                &made))) {
      made = nullptr;
    }
    return static_cast<IAccPropServices*>(made);
  }();
  return services;
}

}  // namespace

void MakeLiveRegion(HWND control) {
  IAccPropServices* services = Annotations();
  if (services == nullptr) return;
  VARIANT live;
  VariantInit(&live);
  live.vt = VT_I4;
  live.lVal = kAssertive;
  services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                        kLiveSettingProperty, live);
}

void AnnounceLiveRegion(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT,
                 CHILDID_SELF);
}

void SetDescription(HWND control, const std::wstring& text) {
  IAccPropServices* services = Annotations();
  if (services == nullptr) return;
  if (text.empty()) {
    services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT),
                             CHILDID_SELF, &kDescriptionProperty, 1);
  } else {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                             CHILDID_SELF, kDescriptionProperty, text.c_str());
  }
}

}  // namespace quorlith::win32
