#include "winui/dpi.h"

namespace {

// A function of user32 that older systems lack: nullptr there.
template <typename Fn>
Fn User32Function(const char* name) {
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const GetDpiForWindowFn getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && hwnd) {
        if (UINT dpi = getDpiForWindow(hwnd)) return dpi;
    }
    UINT dpi = 96;
    if (HDC screen = ::GetDC(nullptr)) {
        int logPixels = ::GetDeviceCaps(screen, LOGPIXELSY);
        if (logPixels > 0) dpi = static_cast<UINT>(logPixels);
        ::ReleaseDC(nullptr, screen);
    }
    return dpi;
}

int SystemMetricForDpi(int index, UINT dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const GetSystemMetricsForDpiFn forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : ::GetSystemMetrics(index);
}
