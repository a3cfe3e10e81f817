// The help window: a frame holding one read-only multi-line edit control with
// the help text from the resources. Esc in the text and the close box close it.
#include "ui/help_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text.h"

namespace orvetta {

HWND gHelpWindow;

namespace {

const wchar_t kHelpClassName[] = L"Velkar Help";
const char kHelpTitle[] = "Orvetta \x83w\x83\x8b\x83v";  // Orvetta ヘルプ
// Outer size at 96 DPI: about 36 characters of the label font to a line.
constexpr int kHelpWidth96 = 560;
constexpr int kHelpHeight96 = 480;

HWND gHelpText;  // the edit control

// ORVETTA.HLP in the folder of the running program.
std::wstring helpFileBesideProgram() {
    wchar_t path[MAX_PATH];
    const DWORD cch = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (cch == 0 || cch >= MAX_PATH) return {};
    std::wstring file(path, cch);
    file.erase(file.find_last_of(L"\\/") + 1);
    file += kHelpFile;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return file;
}

// The text resource holds Shift-JIS bytes without a terminating NUL.
std::wstring loadHelpText(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_HELP_TEXT), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? sjisToWide(bytes, SizeofResource(instance, found)) : std::wstring();
}

// The edit control keeps the keyboard focus, so its keys are handled here:
// Esc closes the window, Ctrl+A selects the whole text.
LRESULT CALLBACK helpTextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
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

// ---- Help window messages ----

BOOL helpOnCreate(HWND window, LPCREATESTRUCT create) {
    gHelpText = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
                                0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HELP_TEXT)),
                                create->hInstance, nullptr);
    if (!gHelpText) return FALSE;
    SetWindowSubclass(gHelpText, helpTextProc, 0, 0);
    if (gLabelFont) SetWindowFont(gHelpText, gLabelFont, FALSE);
    // Set after the font, which resets them: a little room beside the text.
    SendMessageW(gHelpText, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(6, 6));
    SetWindowTextW(gHelpText, loadHelpText(create->hInstance).c_str());
    return TRUE;
}

void helpOnDestroy(HWND) {
    gHelpText = nullptr;
    gHelpWindow = nullptr;
}

void helpOnSize(HWND, UINT, int width, int height) {
    if (gHelpText) MoveWindow(gHelpText, 0, 0, width, height, TRUE);
}

void helpOnSetFocus(HWND, HWND) {
    if (gHelpText) SetFocus(gHelpText);
}

// A read-only edit control asks for the colours of a static text; the help
// reads better on the window colour.
HBRUSH helpOnCtlColorStatic(HWND, HDC dc, HWND, int) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return GetSysColorBrush(COLOR_WINDOW);
}

LRESULT CALLBACK helpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_CREATE, helpOnCreate);
        HANDLE_MSG(window, WM_DESTROY, helpOnDestroy);
        HANDLE_MSG(window, WM_SIZE, helpOnSize);
        HANDLE_MSG(window, WM_SETFOCUS, helpOnSetFocus);
        HANDLE_MSG(window, WM_CTLCOLORSTATIC, helpOnCtlColorStatic);
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerHelpWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = helpWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"VELKAR");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kHelpClassName;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createHelpWindow(HINSTANCE instance, HWND owner) {
    if (!registerHelpWindowClass(instance)) return nullptr;
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return CreateWindowExW(0, kHelpClassName, sjisToWide(kHelpTitle).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, MulDiv(kHelpWidth96, dpi, 96), MulDiv(kHelpHeight96, dpi, 96), owner,
                           nullptr, instance, nullptr);
}

}  // namespace

void helpOpen(HWND owner) {
    const std::wstring file = helpFileBesideProgram();
    if (!file.empty()) {
        WinHelpW(owner, file.c_str(), HELP_FINDER, 0);
        return;
    }
    if (!gHelpWindow) gHelpWindow = createHelpWindow(gInstance, owner);
    if (!gHelpWindow) return;
    if (IsIconic(gHelpWindow)) ShowWindow(gHelpWindow, SW_RESTORE);
    ShowWindow(gHelpWindow, SW_SHOW);
    SetForegroundWindow(gHelpWindow);
    SetActiveWindow(gHelpWindow);
}

void helpClose() {
    if (gHelpWindow) DestroyWindow(gHelpWindow);
}

}  // namespace orvetta
