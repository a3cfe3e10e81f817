// Text windows: a frame per kind holding one read-only multi-line edit
// control that fills its client area.
#include "ui/text_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "ui/window_class.h"

namespace orvetta {

HWND gTextWindows[kTextWindowKinds];

namespace {

// One window class per kind, so each kind's window can be found by its class.
const wchar_t* const kTextWindowClasses[kTextWindowKinds] = {
    L"Velkar Help",        // kHelpTextWindow
    L"Velkar History",     // kHistoryTextWindow
    L"Velkar Log Report",  // kLogReportTextWindow
};
// Outer size at 96 DPI: about 36 characters of the label font to a line.
constexpr int kTextWidth96 = 560;
constexpr int kTextHeight96 = 480;

HWND textOf(HWND window) { return GetDlgItem(window, IDC_TEXT_VIEW); }

// An edit control breaks lines only at CR LF; a lone LF becomes CR LF. The
// byte 0x0A is never part of a double-byte Shift-JIS character.
std::wstring editText(std::string_view sjis) {
    std::string lines;
    lines.reserve(sjis.size() + sjis.size() / 16);
    for (size_t i = 0; i < sjis.size(); ++i) {
        if (sjis[i] == '\n' && (i == 0 || sjis[i - 1] != '\r')) lines += '\r';
        lines += sjis[i];
    }
    return sjisToWide(lines.data(), lines.size());
}

// The edit control keeps the keyboard focus, so its keys are handled here:
// Esc closes the window, Ctrl+A selects the whole text.
LRESULT CALLBACK textViewProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        PostMessageW(GetParent(edit), WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && (wParam == 0x1B || wParam == 0x01)) {  // Esc, Ctrl+A
        if (wParam == 0x01) Edit_SetSel(edit, 0, -1);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// ---- Text window messages ----

BOOL textOnCreate(HWND window, LPCREATESTRUCT create) {
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                                0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TEXT_VIEW)),
                                create->hInstance, nullptr);
    if (!edit) return FALSE;
    SetWindowSubclass(edit, textViewProc, 0, 0);
    if (gLabelFont) SetWindowFont(edit, gLabelFont, FALSE);
    // Set after the font, which resets them: a little room beside the text.
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(6, 6));
    return TRUE;
}

void textOnDestroy(HWND window) {
    for (HWND& open : gTextWindows)
        if (open == window) open = nullptr;
}

void textOnSize(HWND window, UINT, int width, int height) {
    if (HWND edit = textOf(window)) MoveWindow(edit, 0, 0, width, height, TRUE);
}

void textOnSetFocus(HWND window, HWND) {
    if (HWND edit = textOf(window)) SetFocus(edit);
}

// A read-only edit control asks for the colours of a static text; the text
// reads better on the window colour.
HBRUSH textOnCtlColorStatic(HWND, HDC dc, HWND, int) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return GetSysColorBrush(COLOR_WINDOW);
}

LRESULT CALLBACK textWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_CREATE, textOnCreate);
        HANDLE_MSG(window, WM_DESTROY, textOnDestroy);
        HANDLE_MSG(window, WM_SIZE, textOnSize);
        HANDLE_MSG(window, WM_SETFOCUS, textOnSetFocus);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, textOnCtlColorStatic);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerTextWindowClass(HINSTANCE instance, const wchar_t* className) {
    return registerWindowClass(instance,
                               {className, textWindowProc, CS_VREDRAW | CS_HREDRAW, COLOR_WINDOW, nullptr, false});
}

HWND createTextWindow(HINSTANCE instance, HWND owner, TextWindowKind kind) {
    const wchar_t* className = kTextWindowClasses[kind];
    if (!registerTextWindowClass(instance, className)) return nullptr;
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           MulDiv(kTextWidth96, dpi, 96), MulDiv(kTextHeight96, dpi, 96), owner, nullptr, instance,
                           nullptr);
}

}  // namespace

HWND textWindowOpen(HWND owner, TextWindowKind kind, std::string_view title, std::string_view text) {
    HWND& window = gTextWindows[kind];
    if (!window) window = createTextWindow(gInstance, owner, kind);
    if (!window) return nullptr;
    SetWindowTextW(window, sjisToWide(title.data(), title.size()).c_str());
    if (HWND edit = textOf(window)) SetWindowTextW(edit, editText(text).c_str());
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return window;
}

void textWindowsClose() {
    for (HWND window : gTextWindows)
        if (window) DestroyWindow(window);
}

}  // namespace orvetta
