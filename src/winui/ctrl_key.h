// A Ctrl+key command of a window that works wherever the focus is among its controls,
// except in an edit box, which keeps its own meaning of the key (Ctrl+Z undoes typing).
// Dialog windows have no accelerator table of their own: the key is caught as the
// thread takes it from its queue, whichever loop takes it (a dialog box's or a test's).
#pragma once

#include <windows.h>

class CtrlKey {
public:
    CtrlKey() = default;
    ~CtrlKey();
    CtrlKey(const CtrlKey&) = delete;
    CtrlKey& operator=(const CtrlKey&) = delete;

    // Ctrl+`key` (a virtual-key code) pressed in `window` or one of its controls posts
    // `message` to `window` instead of reaching the control.
    // `inEdits`: an edit box too, for a key that means nothing to one (Ctrl+S).
    void Watch(HWND window, UINT key, UINT message, bool inEdits = false);

private:
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wp, LPARAM lp);
    bool Catches(const MSG& msg) const;

    HWND m_window = nullptr;
    UINT m_key = 0;
    UINT m_message = 0;
    bool m_inEdits = false;
    HHOOK m_hook = nullptr;
    CtrlKey* m_next = nullptr;  // the other watches of the thread
};
