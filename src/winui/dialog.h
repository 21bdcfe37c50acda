// A dialog window on a template of the resource script, with handlers routed by
// control id and notification code, and the field/control exchange of ddx.h.
#pragma once

#include "winui/afx.h"
#include "winui/ui_services.h"

#include <functional>

class CDataExchange;

// Its message boxes, beeps and modal loop go through the UI services its creator
// gives it; a window it opens gets the same ones.
class CDialog {
public:
    CDialog(UINT idTemplate, UiServices& ui, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the window modally; returns the result given to EndDialog (-1 when it cannot be created).
    INT_PTR DoModal();
    // Creates the window modeless (not shown unless the template says so).
    BOOL Create(HWND parent = nullptr);
    BOOL DestroyWindow();
    void EndDialog(int result);

    HWND GetSafeHwnd() const { return m_hWnd; }
    UINT GetTemplateId() const { return m_nIDTemplate; }
    bool IsModal() const { return m_bModal; }

    // TRUE: controls into fields; FALSE: fields into controls. FALSE when a field's rule refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    void EnableItem(int id, BOOL enable);
    void CheckDlgButton(int id, UINT state);
    int MessageBox(const std::string& text, const std::string& title, UINT flags);
    void Beep(UINT type) { m_ui.Beep(type); }
    // The services this window was given, for the windows it opens.
    UiServices& Ui() const { return m_ui; }

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

    // Handler registration (the message map). A command route fires on WM_COMMAND
    // from control `id` with notification `code`; a notify route on WM_NOTIFY.
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<void(NMHDR*, LRESULT*)>;
    // Returns true when the message was handled; `result` is the dialog procedure's answer.
    using MessageHandler = std::function<bool(WPARAM, LPARAM, LRESULT& result)>;
    void OnCommandRoute(int id, UINT code, CommandHandler fn);
    void OnNotifyRoute(int id, UINT code, NotifyHandler fn);
    // A notify route for any control (tooltip text requests name no dialog control).
    void OnNotifyCode(UINT code, NotifyHandler fn);
    void OnMessageRoute(UINT msg, MessageHandler fn);

    HWND m_hWnd = nullptr;
    HWND m_hWndParent = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool RouteCommand(int id, UINT code);
    bool RouteNotify(NMHDR* hdr, LRESULT* result);

    struct CommandRoute { int id; UINT code; CommandHandler fn; };
    struct NotifyRoute { int id; UINT code; bool anyControl; NotifyHandler fn; };
    std::vector<CommandRoute> m_commands;
    std::vector<NotifyRoute> m_notifies;
    std::vector<std::pair<UINT, MessageHandler>> m_messages;
    UiServices& m_ui;
    UINT m_nIDTemplate;
    bool m_bModal = false;
    // While fields and controls are exchanged, the controls' own notifications
    // (a text set by the exchange raises EN_CHANGE) are not handled: a change handler
    // that is more than a store of its field must not run for a load. The file status
    // window marks its times as edited on any change of their edits, and the main
    // window refills its file list on a change of the search mask.
    bool m_bLockoutNotify = false;
};

// Module whose resources hold the dialog templates, icons and strings.
HINSTANCE AfxGetResourceHandle();

// Centres `hwnd` over the window `over` when that is shown and not minimised, else on
// the work area of the screen `hwnd` is on. Its size and Z order stay.
void CenterWindow(HWND hwnd, HWND over = nullptr);
