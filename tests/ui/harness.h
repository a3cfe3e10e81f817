// Test harness for the real Windows program: a message box recorder that
// presses OK, a fixture that starts the main window in a fresh working
// directory, and helpers that drive controls with window messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace orvetta::test {

// One message box as the user would have seen it.
struct RecordedBox {
    std::wstring text;
    std::wstring caption;
    UINT icon;  // MB_ICONINFORMATION, MB_ICONWARNING or 0 when unknown
};

// Every message box shown since the last clear; each was closed with OK.
std::vector<RecordedBox>& recordedBoxes();

// Shift-JIS bytes (as the program holds its texts) to UTF-16.
std::wstring wide(const char* sjis);
// UTF-8 (as the test sources are written) to UTF-16.
std::wstring fromUtf8(const char* utf8);
// UTF-8 to Shift-JIS bytes, for update files.
std::string sjis(const char* utf8);
// UTF-16 to UTF-8, for failure messages.
std::string toUtf8(const std::wstring& text);

std::wstring windowText(HWND window);
std::wstring listText(HWND list, int index);    // LB_GETTEXT
std::wstring comboText(HWND combo, int index);  // CB_GETLBTEXT
int listCount(HWND list);
std::wstring treeItemText(HTREEITEM item);  // a node of the tree view
int comboCount(HWND combo);

// Sends WM_COMMAND to the main window as the control (or menu, code 0)
// would, after any platform message that should come first.
void sendCommand(int id, int code = 0);
// The user picks `position` in a combo box: selection, then CBN_SELCHANGE.
void pickEntry(int id, int position);
// The user types `text` (UTF-8) into an editable combo box: each character
// goes to its edit field as WM_CHAR, which raises CBN_EDITCHANGE.
void typeText(int id, const char* utf8);
// The user empties an editable combo box by deleting its text.
void eraseText(int id);
// The user presses and releases a key in an editable combo box's field.
void pressKey(int id, WORD key);
// Real key presses through the system's input queue, to the focused window
// ({key, down} in order), then a moment of message dispatching.
void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys);
// Dispatches every pending message of the thread.
void pumpMessages();

// Runs `action` from inside the modal loop that the next call starts (the
// about box, the day box), once its dialog exists.
void whenDialogOpens(void (*action)(HWND dialog));

// What an open context menu showed.
struct SeenMenu {
    std::vector<std::wstring> texts;
    std::vector<bool> enabled;
};
// The context menu as the control opens it for WM_CONTEXTMENU at `where`
// (screen point, or -1 from the keyboard), sent to the control or to the
// window it reports right clicks to; it is then closed, or its item `pick`
// chosen with the arrow and Enter keys.
SeenMenu useContextMenu(HWND control, LPARAM where, int pick, HWND reportedTo = nullptr);

// The visible window of class `className` that process `process` shows,
// waited for up to 15 s; null when none came.
HWND waitForProcessWindow(DWORD process, const wchar_t* className);

// Writes `bytes` as "velkarad.txt" in the current directory.
void writeUpdateFile(const std::string& bytes);

// Each test runs in a fresh empty working directory with no update file.
class FreshDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the main window (the whole start-up), shows it and lays it out,
    // in the face a program started with `commandLine` shows.
    HWND startProgram(const wchar_t* commandLine = L"--lang ja");
    // Destroys the main window and drains the quit message it posts.
    void endProgram();

    HWND window_ = nullptr;

private:
    std::wstring previousDirectory_;
    std::wstring directory_;
};

// A started program with an update file that adds nothing (comments only),
// so no box is shown.
class ProgramTest : public FreshDirectoryTest {
protected:
    void SetUp() override;
};

}  // namespace orvetta::test
