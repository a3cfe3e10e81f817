// Text windows: a frame per kind holding one read-only multi-line edit
// control that fills its client area, above a strip with a button when the
// window has one.
#include "ui/text_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
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
// The strip below the text that holds a button, and the button in it.
constexpr int kButtonStrip96 = 40;
constexpr int kButtonWidth96 = 180;
constexpr int kButtonHeight96 = 28;

// What the button of each kind's window does; null while it has none.
void (*gButtonPress[kTextWindowKinds])(HWND window);

HWND textOf(HWND window) { return GetDlgItem(window, IDC_TEXT_VIEW); }
HWND buttonOf(HWND window) { return GetDlgItem(window, IDC_TEXT_BUTTON); }

int scaled(HWND window, int size96) {
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(window, dc);
    return MulDiv(size96, dpi, 96);
}

// The text fills the client area, less the button's strip when there is one.
void textLayout(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HWND button = buttonOf(window);
    const int strip = button ? scaled(window, kButtonStrip96) : 0;
    if (HWND edit = textOf(window)) MoveWindow(edit, 0, 0, client.right, std::max(0L, client.bottom - strip), TRUE);
    if (button) {
        const int width = scaled(window, kButtonWidth96), height = scaled(window, kButtonHeight96);
        MoveWindow(button, client.right - width - (strip - height) / 2, client.bottom - strip + (strip - height) / 2,
                   width, height, TRUE);
    }
}

// Gives `window` the button (or takes it away when null).
void textSetButton(HWND window, TextWindowKind kind, const TextWindowButton* button) {
    HWND existing = buttonOf(window);
    gButtonPress[kind] = button ? button->press : nullptr;
    if (!button) {
        if (existing) DestroyWindow(existing);
    } else {
        if (!existing) {
            existing = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                       0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TEXT_BUTTON)),
                                       gInstance, nullptr);
            if (existing && gLabelFont) SetWindowFont(existing, gLabelFont, FALSE);
        }
        if (existing) {
            SetWindowTextW(existing, sjisToWide(button->label).c_str());
            EnableWindow(existing, button->enabled);
        }
    }
    textLayout(window);
}

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

void textOnSize(HWND window, UINT, int, int) { textLayout(window); }

void textOnCommand(HWND window, int id, HWND, UINT code) {
    if (id != IDC_TEXT_BUTTON || code != BN_CLICKED) return;
    for (int kind = 0; kind < kTextWindowKinds; ++kind)
        if (gTextWindows[kind] == window && gButtonPress[kind]) gButtonPress[kind](window);
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
        HANDLE_MSG(window, WM_COMMAND, textOnCommand);
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

void textWindowReplace(TextWindowKind kind, std::string_view title, std::string_view text) {
    HWND window = gTextWindows[kind];
    if (!window) return;
    SetWindowTextW(window, sjisToWide(title.data(), title.size()).c_str());
    if (HWND edit = textOf(window)) SetWindowTextW(edit, editText(text).c_str());
}

HWND textWindowOpen(HWND owner, TextWindowKind kind, std::string_view title, std::string_view text,
                    const TextWindowButton* button) {
    HWND& window = gTextWindows[kind];
    if (!window) window = createTextWindow(gInstance, owner, kind);
    if (!window) return nullptr;
    textSetButton(window, kind, button);
    textWindowReplace(kind, title, text);
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
