// The main window's tooltips: the tooltip control, the relay of the mouse to it and the
// texts of "tooltip.txt". The window switches them on and off and routes the tooltip's
// requests for text here.
#pragma once

#include "tools/tooltip_text.h"
#include "winui/afx.h"

#include <string>

class CDialog;
class FileServices;

class ToolTips {
public:
    ToolTips(CDialog& window, FileServices& files);
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // On: the first time, creates the tooltip control with one tool per control of the
    // window; then shows tooltips. Off: shows none. Nothing before the window exists.
    void Enable(bool on);
    // TTN_NEEDTEXT: answers with the text of the control it names.
    void OnNeedText(NMHDR* hdr);
    // The text for a control: its line of "tooltip.txt" in the current directory, or why
    // there is none. Stays valid until the next call, for the tooltip reads it later.
    const char* TextFor(int controlId);

private:
    static LRESULT CALLBACK RelayMouse(int code, WPARAM removal, LPARAM lp);
    static LRESULT CALLBACK TipProc(HWND tip, UINT message, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self);
    void Relay(const MSG& msg);
    std::string TextOfLine(int line);

    CDialog& m_window;
    FileServices& m_files;
    HWND m_owner = nullptr;  // the window the tooltip control was made for
    HWND m_tip = nullptr;
    HHOOK m_hook = nullptr;
    MSG m_lastRelayed = {};
    std::string m_text;  // the text being shown: a line is at most 79 characters, of any width
    // The texts of "tooltip.txt" in the current directory, read again only when that
    // file is another one or has changed.
    ToolTipFile m_file;
};
