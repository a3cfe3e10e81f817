// The help command on a system without ORVETTA.HLP beside the program: our
// own help window.
#include <windows.h>

#include "tests/ui/harness.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text_window.h"

namespace orvetta::test {
namespace {

using HelpWindow = ProgramTest;

int helpWindowCount() {
    int count = 0;
    for (HWND found = nullptr; (found = FindWindowExW(nullptr, found, L"Velkar Help", nullptr));) ++count;
    return count;
}

TEST_F(HelpWindow, OpensOnceOwnedAndReadOnlyAndClosesEveryWay) {
    sendCommand(IDM_HELP);
    HWND help = gTextWindows[kHelpTextWindow];
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(IsWindowVisible(help));
    EXPECT_EQ(GetWindow(help, GW_OWNER), window_);
    EXPECT_EQ(windowText(help), fromUtf8("Orvetta ヘルプ"));
    EXPECT_TRUE(GetWindowLongW(help, GWL_STYLE) & WS_THICKFRAME);  // resizable
    HWND text = GetDlgItem(help, IDC_TEXT_VIEW);
    ASSERT_NE(text, nullptr);
    wchar_t className[16] = {};
    GetClassNameW(text, className, 16);
    EXPECT_EQ(lstrcmpiW(className, L"Edit"), 0);
    const LONG style = GetWindowLongW(text, GWL_STYLE);
    EXPECT_TRUE((style & ES_MULTILINE) && (style & ES_READONLY));
    EXPECT_EQ(GetFocus(), text);
    const std::wstring shown = windowText(text);
    for (const char* part : {"0136,北斗市,ほくとし,1\r\n", "「ANSI」", "CR LF", "100 行", "1 MiB", "どの行も使わずに"})
        EXPECT_NE(shown.find(fromUtf8(part)), std::wstring::npos) << part;

    // The command again brings the same window to the front.
    SetActiveWindow(window_);
    sendCommand(IDM_HELP);
    EXPECT_EQ(gTextWindows[kHelpTextWindow], help);
    EXPECT_EQ(GetActiveWindow(), help);
    EXPECT_EQ(helpWindowCount(), 1);

    // Esc in the text, the close box, and the end of the main window close it.
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    pumpMessages();
    EXPECT_FALSE(IsWindow(help));
    EXPECT_EQ(gTextWindows[kHelpTextWindow], nullptr);
    sendCommand(IDM_HELP);
    help = gTextWindows[kHelpTextWindow];
    SendMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(help));
    sendCommand(IDM_HELP);
    help = gTextWindows[kHelpTextWindow];
    endProgram();
    EXPECT_FALSE(IsWindow(help));
    EXPECT_EQ(gTextWindows[kHelpTextWindow], nullptr);
}

}  // namespace
}  // namespace orvetta::test
