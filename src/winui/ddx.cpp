#include "winui/ddx.h"

#include "naming/utf8.h"
#include "platform/attributes.h"
#include "winui/dialog.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = m_pDlgWnd->GetDlgItem(id);
    m_hWndLastControl = control;
    return control;
}

void CDataExchange::Fail(HWND control) {
    m_bFail = true;
    if (control) ::SetFocus(control);
}

namespace {
// Setting an edit's text, even the same text, puts its caret back to the start and
// repaints it: an edit being typed into must keep its caret when the fields are shown.
void SetTextIfChanged(HWND control, const std::string& text) {
    if (GetWindowTextString(control) != text) SetWindowTextString(control, text);
}
}  // namespace

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    if (pDX->m_bFail) return;
    HWND control = pDX->PrepareCtrl(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        value = GetWindowTextString(control);
    } else {
        SetTextIfChanged(control, value);
    }
}

void DDX_Text(CDataExchange* pDX, int id, long& value) {
    if (pDX->m_bFail) return;
    HWND control = pDX->PrepareCtrl(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        std::string text = GetWindowTextString(control);
        char* end = nullptr;
        errno = 0;
        long parsed = std::strtol(text.c_str(), &end, 10);
        while (end && (*end == ' ' || *end == '\t')) ++end;
        if (end == text.c_str() || (end && *end) || errno == ERANGE) {
            pDX->m_pDlgWnd->MessageBox("Please enter an integer.", "", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail(control);
            return;
        }
        value = parsed;
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%ld", value);
        SetTextIfChanged(control, buffer);
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    long wide = value;
    DDX_Text(pDX, id, wide);
    if (!pDX->m_bFail) value = static_cast<int>(wide);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX->m_bFail) return;
    HWND control = pDX->PrepareCtrl(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        // A value outside the three states shows as unchecked.
        int state = (value >= 0 && value <= 2) ? value : 0;
        if (::SendMessageA(control, BM_GETCHECK, 0, 0) != state)
            ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    if (pDX->m_bFail) return;
    HWND control = pDX->PrepareCtrl(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    do {
        LRESULT code = ::SendMessageA(control, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                // Setting a radio button's check, even an unchanged one, costs a repaint.
                WPARAM wanted = index == value ? BST_CHECKED : BST_UNCHECKED;
                if (static_cast<WPARAM>(::SendMessageA(control, BM_GETCHECK, 0, 0)) != wanted)
                    ::SendMessageA(control, BM_SETCHECK, wanted, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongA(control, GWL_STYLE) & WS_GROUP));
}

void DDX_Attributes(CDataExchange* pDX, int& readOnly, int& hidden, int& system, int& archive) {
    AttributeChoice choice{readOnly, hidden, system, archive};
    for (const AttributeBox& box : kAttributeTable) DDX_Check(pDX, box.controlId, choice.*box.state);
    readOnly = choice.readOnly;
    hidden = choice.hidden;
    system = choice.system;
    archive = choice.archive;
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars) {
    if (pDX->m_bFail) return;
    if (pDX->m_bSaveAndValidate) {
        if (CountCodePoints(value) > static_cast<size_t>(maxChars)) {
            char text[64];
            std::snprintf(text, sizeof text, "Enter no more than %d characters.", maxChars);
            pDX->m_pDlgWnd->MessageBox(text, "", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail(pDX->m_hWndLastControl);
        }
    } else if (pDX->m_hWndLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}
