// The main window procedure and everything in it that is not the search form.
#include "ui/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <string>

#include "dict/edition.h"
#include "dict/history.h"
#include "dict/history_text.h"
#include "dict/load.h"
#include "dict/place.h"
#include "dict/program_places.h"
#include "ui/controls.h"
#include "ui/day_box.h"
#include "ui/form_view.h"
#include "ui/help_window.h"
#include "ui/language.h"
#include "ui/log_check.h"
#include "ui/menus.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "ui/text_window.h"
#include "ui/tree_window.h"
#include "ui/window_class.h"
#include "update/startup.h"
#include "update/update_file.h"

namespace orvetta {

HINSTANCE gInstance;
HWND gMainWindow;
const wchar_t kHelpFile[] = L"ORVETTA.HLP";

namespace {

const wchar_t kClassName[] = L"VELKAR";
const wchar_t kTitle[] = L"Orvetta ver 1.0p";
// Command ids 209 and 210 sit in the focus range but move nothing.
constexpr int kUnusedFocusIds[] = {209, 210};

// The edition the window shows, handed to createMainWindow.
const Edition* gShownEdition = nullptr;
// The update file as read at start-up, merged again whenever the list is
// rebuilt.
StagedUpdate gStagedUpdate;
// The day the list describes: "" for the edition's own.
std::string gListDay;

// The start-up's notices arrive worded in Japanese by the load and the update
// file; the box shows the same row of the table in the face in force, and a
// rejected update file's message with its line and reason.
const TextId kNoticeRows[] = {
    TextId::StartNoMemoryText, TextId::StartNoMemoryCaption, TextId::StartInitErrorText, TextId::StartInitErrorCaption,
    TextId::UpdateMissingText, TextId::UpdateMissingCaption, TextId::UpdateErrorCaption,
};

std::string inFace(const char* japanese) {
    for (TextId id : kNoticeRows)
        if (std::strcmp(japanese, textOf(id, Language::Japanese)) == 0) return uiText(id);
    return japanese;
}

void showNotice(void* owner, const char* text, const char* caption, UINT type) {
    const std::string shown = std::strcmp(caption, kUpdateErrorCaption) == 0
                                  ? updateErrorText(gStagedUpdate.error, uiLanguage())
                                  : inFace(text);
    messageBoxSjis(static_cast<HWND>(owner), shown.c_str(), inFace(caption).c_str(), type);
}

// The missing update file is an information box, a failed load or a rejected
// update file an error box, each owned by the main window being created.
void informUser(void* owner, const char* text, const char* caption) {
    showNotice(owner, text, caption, MB_ICONINFORMATION | MB_OK);
}

void warnUser(void* owner, const char* text, const char* caption) {
    showNotice(owner, text, caption, MB_ICONWARNING | MB_OK);
}

// A list rebuilt for another day that could not be made leaves the one in
// use; the box says so instead of the start-up's "終了します".
void warnRebuildFailed(void* owner, const char*, const char* caption) {
    messageBoxSjis(static_cast<HWND>(owner), uiText(TextId::RebuildFailedText), inFace(caption).c_str(),
                   MB_ICONWARNING | MB_OK);
}

// Only an edition with a history can go back to another day.
bool canChooseDay() { return historyCovers(*gShownEdition, gShownEdition->snapshotDate); }

// ---- WM_CREATE: the start-up steps, in their fixed order ----
void mainOnCreate(HWND window) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    InitCommonControls();

    // The program's list lives in gPlaces from here on; the form, the tree
    // and the copy code are handed it.
    const StartupNotices notices{informUser, warnUser, window};
    gStagedUpdate = StagedUpdate{};  // each start-up reads the file afresh
    if (loadPlaces(gPlaces, *gShownEdition, "", gStagedUpdate, notices) != decodedSize(*gShownEdition)) {
        // Destruction runs the release steps and posts the quit message;
        // creation then returns no window.
        DestroyWindow(window);
        SetCursor(previous);
        return;
    }

    gListDay.clear();
    EnableMenuItem(GetMenu(window), IDM_CHOOSE_DAY, MF_BYCOMMAND | (canChooseDay() ? MF_ENABLED : MF_GRAYED));

    createControls(gInstance, window, gPlaces, *gShownEdition);
    formInitialise(gPlaces);
    createFonts(window);
    SetCursor(previous);
}

// ---- The day the list describes ----
// The list is loaded anew for `day` through the start-up's pipeline, beside
// the one in use, which it replaces only once it is complete. The form starts
// afresh (the result lines belong to the old list), the tree is built again
// and the status bar names the day.
void rebuildPlaces(HWND window, const std::string& day) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    PlaceList next;
    const StartupNotices notices{informUser, warnRebuildFailed, window};
    if (loadPlaces(next, *gShownEdition, day, gStagedUpdate, notices) != decodedSize(*gShownEdition)) {
        releaseDictionary(next);
        SetCursor(previous);
        return;
    }
    releaseDictionary(gPlaces);
    gPlaces = next;
    gListDay = day;
    treeRebuild(gPlaces);
    formInitialise(gPlaces);
    statusSetDay(day);
    SetCursor(previous);
}

void mainOnChooseDay(HWND window) {
    std::string day = gListDay;
    if (canChooseDay() && chooseDay(window, *gShownEdition, day)) rebuildPlaces(window, day);
}

// ---- WM_DESTROY: the release steps ----
// The platform has already destroyed the owned tree and text windows.
void mainOnDestroy(HWND window) {
    treeReleaseImageList();
    releaseDictionary(gPlaces);
    textWindowsClose();
    WinHelpW(window, kHelpFile, HELP_QUIT, 0);
    deleteFonts();
    PostQuitMessage(0);
}

// ---- WM_NCDESTROY: the children are gone; forget their handles ----
void mainOnNcDestroy() {
    formRelease();
    for (HWND& control : gControls) control = nullptr;
    gMainWindow = nullptr;
}

// Hides every popup the main window owns while the tree is shown, otherwise
// shows again the popups hidden that way (also by the tree's own command).
void toggleTree(HWND window) { ShowOwnedPopups(window, gTreeView && IsWindowVisible(gTreeView) ? FALSE : TRUE); }

void focusControl(int id) {
    if (HWND control = controlById(id)) SetFocus(control);
}

// ---- WM_SIZE: every control follows the new client size ----
void mainOnSize(HWND window, UINT, int clientWidth, int clientHeight) {
    layoutControls(window, clientWidth, clientHeight);
}

// ---- WM_COMMAND ----
void mainOnCommand(HWND window, int id, int code) {
    const bool fromMenu = code == 0;
    switch (id) {
    case IDM_EXIT: DestroyWindow(window); return;
    case IDM_FOCUS_NUMBER:
    case IDM_FOCUS_CITY:
    case IDM_FOCUS_WARD:
    case IDM_FOCUS_PREFECTURE:
    case IDM_FOCUS_AREA:
    case IDM_FOCUS_RESULTS:
        // A focus command targets the control whose id is 100 lower.
        if (fromMenu) focusControl(id - 100);
        return;
    case kUnusedFocusIds[0]:
    case kUnusedFocusIds[1]: return;
    case IDM_TREE_TOGGLE:
        if (fromMenu) toggleTree(window);
        return;
    case IDM_ABOUT: showAboutBox(window, *gShownEdition); return;
    case IDM_HELP: helpOpen(window); return;
    case IDM_CHOOSE_DAY: mainOnChooseDay(window); return;
    case IDM_CHECK_LOG: logCheckOpen(window, gStagedUpdate); return;
    case IDM_LANGUAGE: switchLanguage(window); return;
    default: formOnCommand(id, code); return;
    }
}

}  // namespace

int messageBoxSjis(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxW(owner, sjisToWide(text).c_str(), sjisToWide(caption).c_str(), type);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: mainOnCreate(window); return 0;
    case WM_DESTROY: mainOnDestroy(window); return 0;
    case WM_NCDESTROY:
        mainOnNcDestroy();
        break;
        HANDLE_MSG(window, WM_SIZE, mainOnSize);
    case WM_COMMAND: mainOnCommand(window, LOWORD(wParam), HIWORD(wParam)); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerMainWindowClass(HINSTANCE instance) {
    // Version value: low byte the major version, top bit set outside the NT
    // line. Only a non-NT system of version 4 or later takes the extended
    // form with a 16 x 16 small icon.
    const DWORD version = GetVersion();
    const bool ntLine = (version & 0x80000000u) == 0;
    const bool smallIcon = !ntLine && LOBYTE(LOWORD(version)) >= 4;
    return registerWindowClass(
        instance, {kClassName, mainWindowProc, CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW,
                   COLOR_MENU, nullptr, smallIcon});  // the menu is built in the face in force
}

HWND createMainWindow(HINSTANCE instance, const Edition& edition) {
    gInstance = instance;
    gShownEdition = &edition;
    HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  kDesignWidth, kDesignHeight, nullptr, createMainMenu(), instance, nullptr);
    // A start-up that destroyed the window during creation leaves no window.
    if (window && !IsWindow(window)) window = nullptr;
    gMainWindow = window;
    return window;
}

int runProgram(HINSTANCE instance, int showCommand, const Edition& edition) {
    if (!registerMainWindowClass(instance)) return 0;
    if (!createMainWindow(instance, edition)) return 0;
    ShowWindow(gMainWindow, showCommand);
    UpdateWindow(gMainWindow);
    // No accelerators and no dialog-style navigation: Tab and Ctrl+G do
    // nothing here.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

INT_PTR showAboutBox(HWND owner, const Edition& edition) {
    return DialogBoxParamW(gInstance, L"ABOUTBOX", owner, aboutBoxProc, reinterpret_cast<LPARAM>(&edition));
}

INT_PTR CALLBACK aboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // The edition the program carries names its own snapshot.
        SetWindowTextW(dialog, uiWide(TextId::AboutCaption).c_str());
        SetDlgItemTextW(dialog, IDC_ABOUT_SNAPSHOT,
                        sjisToWide(editionNotice(*reinterpret_cast<const Edition*>(lParam), kAboutNotice)).c_str());
        SetDlgItemTextW(dialog, IDC_ABOUT_NUMBERS, uiWide(TextId::AboutNumbers).c_str());
        SetDlgItemTextW(dialog, IDOK, uiWide(TextId::ButtonOk).c_str());
        // True: the platform focuses the first tab stop, the OK button.
        return TRUE;
    case WM_COMMAND:
        // OK, Enter, Esc and the close box all end the box with 1.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace orvetta
