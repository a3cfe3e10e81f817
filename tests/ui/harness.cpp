// Harness of the Windows test program and its entry.
//
// ui_test.exe runs the GoogleTest cases; with "--program MODE" it instead runs
// the real entry once (MODE nomemory or baddecode sets a load seam), so a test
// can start it as a child process and check the exit code.
#include "tests/ui/harness.h"

#include <commctrl.h>

#include <cstring>
#include <fstream>

#include "dict/load.h"
#include "ui/controls.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "ui/tree_window.h"

namespace orvetta::test {

namespace {

HHOOK gBoxHook;
void (*gPendingDialogAction)(HWND);
HWND gPendingDialog;

// Wine puts a message box's text in control 100 and Windows in 0xFFFF.
std::wstring messageBoxText(HWND box) {
    for (int id : {0xFFFF, 100}) {
        HWND item = GetDlgItem(box, id);
        if (item) return windowText(item);
    }
    return {};
}

BOOL CALLBACK findBoxIcon(HWND child, LPARAM found) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    if (!icon) return TRUE;
    *reinterpret_cast<HICON*>(found) = icon;
    return FALSE;
}

UINT messageBoxIcon(HWND box) {
    HICON icon = nullptr;
    EnumChildWindows(box, findBoxIcon, reinterpret_cast<LPARAM>(&icon));
    if (!icon) return 0;
    if (icon == LoadIconW(nullptr, IDI_WARNING)) return MB_ICONWARNING;
    if (icon == LoadIconW(nullptr, IDI_INFORMATION)) return MB_ICONINFORMATION;
    return 0;
}

// The program's own dialogs, the about box and the day box, as opposed to
// message boxes.
bool isProgramDialog(HWND dialog) {
    return GetDlgItem(dialog, IDC_ABOUT_TITLE) != nullptr || GetDlgItem(dialog, IDC_DAY_PICKER) != nullptr;
}

void CALLBACK runDialogAction(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    void (*action)(HWND) = gPendingDialogAction;
    gPendingDialogAction = nullptr;
    if (action) action(gPendingDialog);
}

// Message boxes are recorded and closed with OK; the program's own dialogs
// get the action a test queued for them, run from their own modal loop.
LRESULT CALLBACK boxHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(dialog, className, 16);
        if (lstrcmpW(className, L"#32770") == 0) {
            if (isProgramDialog(dialog)) {
                if (gPendingDialogAction) {
                    gPendingDialog = dialog;
                    SetTimer(nullptr, 0, 1, runDialogAction);
                }
            } else {
                recordedBoxes().push_back({messageBoxText(dialog), windowText(dialog), messageBoxIcon(dialog)});
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }
        }
    }
    return CallNextHookEx(gBoxHook, code, wParam, lParam);
}

HWND editOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

void installBoxHook() { gBoxHook = SetWindowsHookExW(WH_CBT, boxHook, nullptr, GetCurrentThreadId()); }

void deleteTree(const std::wstring& directory) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((directory + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(directory.c_str());
}

}  // namespace

std::vector<RecordedBox>& recordedBoxes() {
    static std::vector<RecordedBox> boxes;
    return boxes;
}

std::wstring wide(const char* sjis) { return sjisToWide(sjis); }

std::wstring fromUtf8(const char* utf8) {
    int cch = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(cch), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), cch);
    text.resize(static_cast<size_t>(cch > 0 ? cch - 1 : 0));
    return text;
}

std::string sjis(const char* utf8) { return wideToSjis(fromUtf8(utf8).c_str(), 1 << 20); }

std::string toUtf8(const std::wstring& text) {
    int cb = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(cb), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), cb, nullptr, nullptr);
    out.resize(static_cast<size_t>(cb > 0 ? cb - 1 : 0));
    return out;
}

std::wstring windowText(HWND window) {
    int cch = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(cch) + 1, L'\0');
    GetWindowTextW(window, text.data(), cch + 1);
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring listText(HWND list, int index) {
    LRESULT cch = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (cch == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(cch) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(cch));
    return text;
}

std::wstring comboText(HWND combo, int index) {
    LRESULT cch = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (cch == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(cch) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(cch));
    return text;
}

std::wstring treeItemText(HTREEITEM item) {
    wchar_t text[128] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 128;
    TreeView_GetItem(gTreeView, &data);
    return text;
}

int listCount(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }
int comboCount(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

void sendCommand(int id, int code) {
    HWND control = code == 0 && id >= 200 ? nullptr : controlById(id);
    SendMessageW(gMainWindow, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

void pickEntry(int id, int position) {
    SendMessageW(controlById(id), CB_SETCURSEL, position, 0);
    sendCommand(id, CBN_SELCHANGE);
}

void typeText(int id, const char* utf8) {
    HWND edit = editOf(controlById(id));
    ASSERT_NE(edit, nullptr);
    for (wchar_t ch : fromUtf8(utf8)) SendMessageW(edit, WM_CHAR, ch, 1);
}

void eraseText(int id) {
    HWND edit = editOf(controlById(id));
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 1);
}

void pressKey(int id, WORD key) {
    HWND edit = editOf(controlById(id));
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_KEYDOWN, key, 1);
    SendMessageW(edit, WM_KEYUP, key, 0xC0000001);
    pumpMessages();
}

void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (auto [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    for (int i = 0; i < 20; ++i) {
        pumpMessages();
        Sleep(10);
    }
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void whenDialogOpens(void (*action)(HWND dialog)) { gPendingDialogAction = action; }

namespace {

SeenMenu gSeenMenu;
int gMenuPick;

void CALLBACK readOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;  // not open yet
    KillTimer(nullptr, timer);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        gSeenMenu.texts.push_back(text);
        gSeenMenu.enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED));
    }
    if (gMenuPick < 0) {
        EndMenu();
        return;
    }
    for (int i = 0; i <= gMenuPick; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

SeenMenu useContextMenu(HWND control, LPARAM where, int pick, HWND reportedTo) {
    gSeenMenu = {};
    gMenuPick = pick;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, readOpenMenu);
    SendMessageW(reportedTo ? reportedTo : control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), where);
    KillTimer(nullptr, timer);
    pumpMessages();  // the chosen command arrives posted
    return gSeenMenu;
}

void writeUpdateFile(const std::string& bytes) {
    std::ofstream file("velkarad.txt", std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FreshDirectoryTest::SetUp() {
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    previousDirectory_ = buffer;
    GetTempPathW(MAX_PATH, buffer);
    wchar_t name[MAX_PATH];
    GetTempFileNameW(buffer, L"ovt", 0, name);  // reserves a unique name
    DeleteFileW(name);
    directory_ = name;
    ASSERT_TRUE(CreateDirectoryW(directory_.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(directory_.c_str()));
    recordedBoxes().clear();
    gLoadSeams = defaultLoadSeams();
}

void FreshDirectoryTest::TearDown() {
    endProgram();
    gLoadSeams = defaultLoadSeams();
    SetCurrentDirectoryW(previousDirectory_.c_str());
    deleteTree(directory_);
}

namespace {

struct FoundWindow {
    DWORD process;
    const wchar_t* className;
    HWND window;
};

BOOL CALLBACK findProcessWindow(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<FoundWindow*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (process != found->process || lstrcmpW(className, found->className) != 0) return TRUE;
    found->window = window;
    return FALSE;
}

}  // namespace

HWND waitForProcessWindow(DWORD process, const wchar_t* className) {
    for (int tries = 0; tries < 300; ++tries) {
        FoundWindow found{process, className, nullptr};
        EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&found));
        // Shown only once its creation, the whole start-up, has finished.
        if (found.window && IsWindowVisible(found.window)) return found.window;
        Sleep(50);
    }
    return nullptr;
}

HWND FreshDirectoryTest::startProgram(const wchar_t* commandLine) {
    chooseStartLanguage(commandLine);
    window_ = createMainWindow(GetModuleHandleW(nullptr), *gEdition);
    if (window_) {
        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
        pumpMessages();
    }
    return window_;
}

void FreshDirectoryTest::endProgram() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    // Release posts the quit message; a later modal loop must not see it.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}

void ProgramTest::SetUp() {
    FreshDirectoryTest::SetUp();
    writeUpdateFile("; no changes\r\n");
    ASSERT_NE(startProgram(), nullptr);
    ASSERT_TRUE(recordedBoxes().empty()) << toUtf8(recordedBoxes()[0].text);
}

}  // namespace orvetta::test

namespace {

// --scene [en]: the program as a person sees it after a search, with the tree
// window beside it opened at 札幌市, for screenshots; in the Japanese face, or
// the English one. Writes "scene-ready" in the working directory once drawn,
// and ends when "scene-done" appears.
void CALLBACK checkSceneDone(HWND, UINT, UINT_PTR, DWORD) {
    if (GetFileAttributesW(L"scene-done") != INVALID_FILE_ATTRIBUTES && orvetta::gMainWindow)
        DestroyWindow(orvetta::gMainWindow);
}

HTREEITEM expandChild(HTREEITEM parent, const std::wstring& text) {
    using namespace orvetta;
    HTREEITEM item = parent ? TreeView_GetChild(gTreeView, parent) : TreeView_GetRoot(gTreeView);
    for (; item; item = TreeView_GetNextSibling(gTreeView, item))
        if (orvetta::test::treeItemText(item).find(text) != std::wstring::npos) break;
    if (item) TreeView_Expand(gTreeView, item, TVE_EXPAND);
    return item;
}

int runScene(HINSTANCE instance, bool english) {
    using namespace orvetta;
    using namespace orvetta::test;
    chooseStartLanguage(english ? L"--lang en" : L"--lang ja");
    if (!registerMainWindowClass(instance) || !createMainWindow(instance, *gEdition)) return 1;
    SetWindowPos(gMainWindow, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(gMainWindow, SW_SHOWNORMAL);
    UpdateWindow(gMainWindow);
    if (gTreeWindow) SetWindowPos(gTreeWindow, nullptr, 550, 0, 300, 420, SWP_NOZORDER);
    pickEntry(IDC_PREFECTURE, 1);
    typeText(IDC_WARD, english ? "kita-ku" : "\xe5\x8c\x97\xe5\x8c\xba");  // 北区
    sendCommand(IDC_SEARCH);
    eraseText(IDC_WARD);
    typeText(IDC_CITY, english ? "sapporo" : "\xe6\x9c\xad\xe5\xb9\x8c");  // 札幌
    sendCommand(IDC_SEARCH);
    if (gTreeView) {
        const wchar_t* hokkaido = english ? L"Hokkaido" : L"\x5317\x6d77\x9053";  // 北海道
        HTREEITEM area = expandChild(nullptr, (L"(" + std::wstring(hokkaido) + L")").c_str());
        HTREEITEM prefecture = area ? expandChild(area, hokkaido) : nullptr;
        HTREEITEM city = prefecture ? expandChild(prefecture, L"0101 ") : nullptr;
        if (city) TreeView_SelectItem(gTreeView, city);
    }
    pumpMessages();
    CloseHandle(CreateFileW(L"scene-ready", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    SetTimer(nullptr, 0, 100, checkSceneDone);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvetta;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    test::installBoxHook();
    if (argc >= 3 && std::strcmp(argv[1], "--program") == 0) {
        chooseStartLanguage(GetCommandLineW());
        static const uint8_t kBadImage[] = {0xFF, 0xFF, 0xFF, 0xFF};
        if (std::strcmp(argv[2], "nomemory") == 0) gLoadSeams.allocate = [](size_t) -> void* { return nullptr; };
        if (std::strcmp(argv[2], "baddecode") == 0) {
            gLoadSeams.image = kBadImage;
            gLoadSeams.imageSize = sizeof kBadImage;
        }
        return runProgram(instance, SW_SHOWNORMAL, *gEdition);
    }
    if (argc >= 2 && std::strcmp(argv[1], "--scene") == 0)
        return runScene(instance, argc == 3 && std::strcmp(argv[2], "en") == 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (!registerMainWindowClass(instance)) {
        fprintf(stderr, "ui_test: the main window class could not be registered\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
