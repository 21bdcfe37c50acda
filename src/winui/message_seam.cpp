#include "winui/message_seam.h"

namespace {
UiSink* g_sink = nullptr;
}

UiSink* SetUiSink(UiSink* sink) {
    UiSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

int UiMessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    if (g_sink) return g_sink->MessageBox(owner, text, title, flags);
    return ::MessageBoxA(owner, text.c_str(), title.c_str(), flags);
}

void UiBeep(UINT type) {
    if (g_sink) {
        g_sink->Beep(type);
        return;
    }
    ::MessageBeep(type);
}
