// The history window and the list of a chosen day, in the program of the
// current edition (switched to for these tests, as orvetta-current.exe links it).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "dict/edition.h"
#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text_window.h"
#include "ui/tree_window.h"

namespace orvetta::test {
namespace {

class CurrentProgram : public FreshDirectoryTest {
protected:
    void SetUp() override {
        FreshDirectoryTest::SetUp();
        selectEdition(kEditionCurrent);
        writeUpdateFile("; no changes\r\n");
        ASSERT_NE(startProgram(), nullptr);
        ASSERT_TRUE(recordedBoxes().empty()) << toUtf8(recordedBoxes()[0].text);
    }
    void TearDown() override {
        FreshDirectoryTest::TearDown();
        selectEdition(kEdition1998);
    }
};
using HistoryWindow = CurrentProgram;
using ChosenDay = CurrentProgram;
using ChosenDayIn1998Program = ProgramTest;

// Searches the city field for `name` and selects the first line of `number`;
// -1 when there is none.
int searchAndSelect(const char* name, const char* number) {
    eraseText(IDC_CITY);
    typeText(IDC_CITY, name);
    sendCommand(IDC_SEARCH);
    HWND results = controlById(IDC_RESULTS);
    const std::wstring start = fromUtf8(number) + L"\t";
    for (int i = 0; i < listCount(results); ++i) {
        if (listText(results, i).rfind(start, 0) != 0) continue;
        SendMessageW(results, LB_SETCURSEL, i, 0);
        return i;
    }
    return -1;
}

TEST_F(HistoryWindow, OpensFromTheResultListAndShowsTheNextPlaceInTheSameWindow) {
    ASSERT_GE(searchAndSelect("具志川", "4707"), 0);
    HWND results = controlById(IDC_RESULTS);
    useContextMenu(results, -1, 3);
    HWND history = gTextWindows[kHistoryTextWindow];
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(GetWindow(history, GW_OWNER), window_);
    EXPECT_EQ(windowText(history), fromUtf8("履歴 - 4707 具志川市"));
    const std::wstring text = windowText(GetDlgItem(history, IDC_TEXT_VIEW));
    EXPECT_NE(text.find(fromUtf8("2005-04-01  廃止  具志川市: 4713 うるま市 に新設合併\r\n")), std::wstring::npos)
        << toUtf8(text);

    // Ctrl+H on another line replaces what the one window shows.
    ASSERT_GE(searchAndSelect("うるま", "4713"), 0);
    SetForegroundWindow(window_);
    SetFocus(results);
    sendKeys({{VK_CONTROL, true}, {'H', true}, {'H', false}, {VK_CONTROL, false}});
    EXPECT_EQ(gTextWindows[kHistoryTextWindow], history);
    EXPECT_EQ(windowText(history), fromUtf8("履歴 - 4713 うるま市"));
}

std::wstring statusNotice() {
    wchar_t text[64] = {};
    SendMessageW(controlById(IDC_STATUS_BAR), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring gDayBoxTitle;

void pickJanuaryFirst2004(HWND box) {
    gDayBoxTitle = windowText(box);
    SYSTEMTIME day{};
    day.wYear = 2004;
    day.wMonth = 1;
    day.wDay = 1;
    DateTime_SetSystemtime(GetDlgItem(box, IDC_DAY_PICKER), GDT_VALID, &day);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
}

void backToLatest(HWND box) {
    gDayBoxTitle = windowText(box);
    SendMessageW(box, WM_COMMAND, IDC_DAY_LATEST, 0);
}

bool numberListed(const char* number) {
    return SendMessageW(controlById(IDC_NUMBER), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(fromUtf8(number).c_str())) != CB_ERR;
}

TEST_F(ChosenDay, RebuildsListsTreeAndStatusForTheDayAndGoesBack) {
    ASSERT_GE(searchAndSelect("具志川", "4707"), 0);
    whenDialogOpens(pickJanuaryFirst2004);
    sendCommand(IDM_CHOOSE_DAY);
    EXPECT_EQ(gDayBoxTitle, fromUtf8("基準日"));
    EXPECT_EQ(statusNotice(), fromUtf8("2004年1月1日現在の地名"));
    EXPECT_EQ(listCount(controlById(IDC_RESULTS)), 0);  // the old day's lines are gone
    EXPECT_FALSE(numberListed("4713"));
    const int count = comboCount(controlById(IDC_NUMBER));
    EXPECT_EQ(TreeView_GetCount(gTreeView), static_cast<UINT>(count + 10 + 47));
    const int line = searchAndSelect("具志川", "4707");
    ASSERT_GE(line, 0);
    EXPECT_EQ(listText(controlById(IDC_RESULTS), line), fromUtf8("4707\t沖縄県具志川市(ぐしかわし)"));

    whenDialogOpens(backToLatest);
    sendCommand(IDM_CHOOSE_DAY);
    EXPECT_EQ(gDayBoxTitle, fromUtf8("基準日 - 2004年1月1日"));
    EXPECT_EQ(statusNotice(), fromUtf8("JCC/JCG 2024年5月26日現在"));
    EXPECT_TRUE(numberListed("4713"));
    EXPECT_EQ(comboCount(controlById(IDC_NUMBER)), 4453);
}

TEST_F(ChosenDayIn1998Program, IsGreyedWithoutAHistory) {
    EXPECT_TRUE(GetMenuState(GetMenu(window_), IDM_CHOOSE_DAY, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace
}  // namespace orvetta::test
