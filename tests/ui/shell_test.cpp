// Menu commands of the main window: focus moves, the tree toggle, the about
// box, ending the program, and keys that must not act as commands.
#include <windows.h>

#include <commctrl.h>

#include "dict/place.h"
#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/tree_window.h"
#include "dict/program_places.h"

namespace orvetta::test {
namespace {

using FocusCommand = ProgramTest;
using TreeToggle = ProgramTest;
using AboutBox = ProgramTest;
using EndProgram = FreshDirectoryTest;
using Keyboard = ProgramTest;

// The focused window belongs to `control` (an editable combo box passes the
// focus on to its edit field).
bool hasFocus(HWND control) {
    HWND focus = GetFocus();
    return focus && (focus == control || GetParent(focus) == control);
}

TEST_F(FocusCommand, MovesFocusToControlHundredBelow) {
    for (int id :
         {IDM_FOCUS_NUMBER, IDM_FOCUS_CITY, IDM_FOCUS_WARD, IDM_FOCUS_PREFECTURE, IDM_FOCUS_AREA, IDM_FOCUS_RESULTS}) {
        sendCommand(id);
        EXPECT_TRUE(hasFocus(controlById(id - 100))) << id;
    }
}

TEST_F(FocusCommand, IgnoresNotificationCodesAndUnusedIds) {
    sendCommand(IDM_FOCUS_RESULTS);
    ASSERT_TRUE(hasFocus(controlById(IDC_RESULTS)));
    sendCommand(IDM_FOCUS_NUMBER, 1);
    sendCommand(209);
    sendCommand(210);
    EXPECT_TRUE(hasFocus(controlById(IDC_RESULTS)));
    EXPECT_EQ(listCount(controlById(IDC_RESULTS)), 0);
}

// Toggling from both menus is covered with the tree; here: only a menu
// command (code 0) toggles.
TEST_F(TreeToggle, IgnoresNonMenuCodes) {
    ASSERT_NE(gTreeWindow, nullptr);
    sendCommand(IDM_TREE_TOGGLE, 1);
    EXPECT_TRUE(IsWindowVisible(gTreeWindow));
    sendCommand(IDM_TREE_TOGGLE);
    EXPECT_FALSE(IsWindowVisible(gTreeWindow));
}

// What the about box looked like when it opened.
HWND gFocusAtOpen;
int gFocusIdAtOpen;
std::wstring gAboutCaption;
std::wstring gAboutTitle;

void noteAboutBox(HWND dialog) {
    gFocusAtOpen = GetFocus();
    gFocusIdAtOpen = GetParent(gFocusAtOpen) == dialog ? GetDlgCtrlID(gFocusAtOpen) : 0;
    gAboutCaption = windowText(dialog);
    gAboutTitle = windowText(GetDlgItem(dialog, IDC_ABOUT_TITLE));
}

void clickOk(HWND dialog) {
    noteAboutBox(dialog);
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}
// Keys reach the box through its own modal loop, which turns Enter into the
// default button and Esc into cancel.
void pressEnter(HWND dialog) {
    noteAboutBox(dialog);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
}
void pressEscape(HWND dialog) {
    noteAboutBox(dialog);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
}
void clickCloseBox(HWND dialog) {
    noteAboutBox(dialog);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(AboutBox, ClosesWithResultOneEveryWay) {
    for (void (*close)(HWND) : {clickOk, pressEnter, pressEscape, clickCloseBox}) {
        gFocusAtOpen = nullptr;
        whenDialogOpens(close);
        EXPECT_EQ(showAboutBox(window_, *gEdition), 1);
        ASSERT_NE(gFocusAtOpen, nullptr);
        EXPECT_EQ(gFocusIdAtOpen, IDOK);
        EXPECT_EQ(gAboutCaption, fromUtf8("バージョン情報"));
        EXPECT_EQ(gAboutTitle, L"Orvetta ver 1.0p");
    }
}

TEST_F(AboutBox, MenuCommandReturnsOnceClosed) {
    gFocusAtOpen = nullptr;
    whenDialogOpens(clickOk);
    sendCommand(IDM_ABOUT);
    EXPECT_NE(gFocusAtOpen, nullptr);
    EXPECT_TRUE(IsWindowEnabled(window_));
}

// "終了(&X)", the close box and the system menu's close end the program the
// same way: records and fonts released, exit code 0 posted.
TEST_F(EndProgram, EveryWayRunsReleaseSteps) {
    writeUpdateFile("; nothing\r\n");
    const struct {
        UINT message;
        WPARAM wParam;
    } kWays[] = {{WM_COMMAND, IDM_EXIT}, {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& way : kWays) {
        ASSERT_NE(startProgram(), nullptr);
        SendMessageW(window_, way.message, way.wParam, 0);
        EXPECT_FALSE(IsWindow(window_)) << way.message;
        EXPECT_EQ(gPlaces.records, nullptr);
        EXPECT_EQ(gFormFont, nullptr);
        EXPECT_EQ(gTreeFont, nullptr);
        int quits = 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_QUIT) {
                ++quits;
                EXPECT_EQ(message.wParam, 0u);
            }
        EXPECT_EQ(quits, 1) << way.message;
        window_ = nullptr;
    }
}

// The loop translates no accelerators: Ctrl+G is no search, while the menu
// bar's mnemonic Alt+G is.
TEST_F(Keyboard, CtrlGDoesNotSearchButAltGDoes) {
    SetForegroundWindow(window_);
    sendCommand(IDM_FOCUS_RESULTS);
    HWND results = controlById(IDC_RESULTS);
    sendKeys({{VK_CONTROL, true}, {'G', true}, {'G', false}, {VK_CONTROL, false}});
    EXPECT_EQ(listCount(results), 0);
    sendKeys({{VK_MENU, true}, {'G', true}, {'G', false}, {VK_MENU, false}});
    EXPECT_EQ(listCount(results), 1) << "the key presses did not arrive";
}

}  // namespace
}  // namespace orvetta::test
