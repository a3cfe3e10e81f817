// The English face on the real window system: the choice at start, the menu
// bar and the controls, a romaji search, a deleted place, the tree's first
// levels, the switch back to Japanese and again, and orvetta-current.exe
// started in English.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/text_window.h"
#include "ui/language.h"
#include "ui/log_check.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/tree_window.h"

namespace orvetta::test {
namespace {

TEST(StartLanguage, CommandLineWinsOverTheSystemLanguage) {
    constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    struct Case {
        const wchar_t* commandLine;
        LANGID system;
        Language expected;
    } cases[] = {
        {L"orvetta.exe", kJapanese, Language::Japanese},
        {L"orvetta.exe", kEnglish, Language::English},
        {L"orvetta.exe", MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT), Language::English},
        {L"orvetta.exe --lang ja", kEnglish, Language::Japanese},
        {L"\"C:\\Program Files\\o\\orvetta.exe\" --lang=en", kJapanese, Language::English},
        {L"orvetta.exe --lang fr", kJapanese, Language::Japanese},  // an unknown value leaves the system's
        {L"orvetta.exe --lang", kEnglish, Language::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startLanguageOf(c.commandLine, c.system), c.expected) << toUtf8(c.commandLine);
}

std::vector<std::wstring> menuBar(HWND window) {
    std::vector<std::wstring> texts;
    HMENU menu = GetMenu(window);
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

std::wstring menuItem(HWND window, int id) {
    wchar_t text[64] = {};
    GetMenuStringW(GetMenu(window), static_cast<UINT>(id), text, 64, MF_BYCOMMAND);
    return text;
}

std::wstring treeText(HTREEITEM item) { return treeItemText(item); }
HTREEITEM firstChild(HTREEITEM item) { return item ? TreeView_GetChild(gTreeView, item) : TreeView_GetRoot(gTreeView); }
HTREEITEM nextSibling(HTREEITEM item, int steps) {
    while (item && steps-- > 0) item = TreeView_GetNextSibling(gTreeView, item);
    return item;
}

class EnglishFace : public FreshDirectoryTest {
protected:
    void SetUp() override {
        FreshDirectoryTest::SetUp();
        writeUpdateFile("; no changes\r\n");
        ASSERT_NE(startProgram(L"orvetta.exe --lang en"), nullptr);
        ASSERT_TRUE(recordedBoxes().empty());
    }
    void search(int field, const char* text) {
        typeText(field, text);
        sendCommand(IDC_SEARCH);
        eraseText(field);
    }
    std::wstring lastLine() {
        HWND list = gControls[kResultListSlot];
        return listText(list, listCount(list) - 1);
    }
};

TEST_F(EnglishFace, ShowsEveryControlMenuAndPlaceInEnglish) {
    EXPECT_EQ(menuBar(window_), (std::vector<std::wstring>{L"&File", L"&Items", L"&Settings", L"Search(&G)", L"&Clear",
                                                           L"&Tree", L"&Help"}));
    EXPECT_EQ(menuItem(window_, IDM_LANGUAGE), fromUtf8("日本語(&J)"));
    EXPECT_EQ(windowText(gControls[kAreaLabelSlot]), L"Call area");
    EXPECT_EQ(windowText(gControls[kSearchButtonSlot]), L"Search");
    EXPECT_EQ(windowText(gControls[kHitCountSlot]), L"0 found");
    EXPECT_EQ(comboText(controlById(IDC_PREFECTURE), 1), L"Hokkaido");
    EXPECT_EQ(comboText(controlById(IDC_CITY), 0), L"Sapporo-shi");
    EXPECT_EQ(windowText(gTreeWindow), L"Place tree");

    search(IDC_CITY, "sapporo");
    EXPECT_EQ(listText(gControls[kResultListSlot], 0), fromUtf8("0101\tSapporo-shi, Hokkaido (札幌市)"));
    EXPECT_EQ(windowText(gControls[kHitCountSlot]), L"2 found");  // and Sapporo-gun
    search(IDC_NUMBER, "0132");
    EXPECT_EQ(lastLine(), fromUtf8("0132\tKameda-shi, Hokkaido (亀田市) (deleted)"));
    search(IDC_CITY, "zzzz");
    EXPECT_EQ(lastLine(), L"No matching place");

    // The tree's first levels: area 1, its first prefecture, area 8's
    // Hokkaido and its first city.
    HTREEITEM area1 = firstChild(nullptr);
    EXPECT_EQ(treeText(area1), L"Area 1 (Kanto)");
    EXPECT_EQ(treeText(firstChild(area1)), L"Tokyo");
    HTREEITEM hokkaido = firstChild(nextSibling(area1, 7));
    EXPECT_EQ(treeText(hokkaido), L"Hokkaido");
    EXPECT_EQ(treeText(firstChild(hokkaido)), fromUtf8("  0101 Sapporo-shi (札幌市)"));

    // The log check's window and its report.
    std::ofstream("log.adi") << "<CALL:6>JA1AAA<QSO_DATE:8>20000601<CNTY:4>1017<QSL_RCVD:1>Y<EOR>\n";
    HWND report = logCheckShow(window_, L"log.adi", StagedUpdate{});
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(windowText(report), L"Log check - log.adi");
    EXPECT_EQ(windowText(GetDlgItem(report, IDC_TEXT_VIEW)).rfind(L"JARL award check (1 records", 0), 0u);
}

TEST_F(EnglishFace, MenuSwitchesToJapaneseAndBackAtOnce) {
    search(IDC_CITY, "sapporo");
    sendCommand(IDM_HELP);
    ASSERT_NE(gTextWindows[kHelpTextWindow], nullptr);
    EXPECT_EQ(windowText(gTextWindows[kHelpTextWindow]), L"Orvetta Help");
    sendCommand(IDM_LANGUAGE);
    EXPECT_EQ(windowText(gTextWindows[kHelpTextWindow]), fromUtf8("Orvetta ヘルプ"));
    EXPECT_EQ(windowText(GetDlgItem(gTextWindows[kHelpTextWindow], IDC_TEXT_VIEW)).rfind(fromUtf8("Orvetta ヘルプ"), 0),
              0u);
    EXPECT_EQ(menuBar(window_)[0], fromUtf8("ファイル(&F)"));
    EXPECT_EQ(menuItem(window_, IDM_LANGUAGE), L"English(&E)");
    EXPECT_TRUE(GetMenuState(GetMenu(window_), IDM_CHOOSE_DAY, MF_BYCOMMAND) & MF_GRAYED);  // still: no history
    EXPECT_EQ(windowText(gControls[kAreaLabelSlot]), fromUtf8("エリア"));
    EXPECT_EQ(windowText(gControls[kHitCountSlot]), fromUtf8("2 件    "));
    EXPECT_EQ(comboText(controlById(IDC_PREFECTURE), 1), fromUtf8("北海道"));
    EXPECT_EQ(comboText(controlById(IDC_CITY), 0), fromUtf8("札幌市"));
    EXPECT_EQ(windowText(gTreeWindow), fromUtf8("地名ツリー"));
    EXPECT_EQ(treeText(TreeView_GetRoot(gTreeView)), fromUtf8("１エリア(関東)"));
    // The line already listed stays as shown; a new search lists Japanese.
    EXPECT_EQ(listText(gControls[kResultListSlot], 0), fromUtf8("0101\tSapporo-shi, Hokkaido (札幌市)"));
    search(IDC_NUMBER, "0101");
    EXPECT_EQ(lastLine(), fromUtf8("0101\t北海道札幌市(さっぽろし)"));

    sendCommand(IDM_LANGUAGE);
    EXPECT_EQ(menuBar(window_)[0], L"&File");
    EXPECT_EQ(windowText(gControls[kHitCountSlot]), L"1 found");
}

// orvetta-current.exe started with --lang en, as a user abroad starts it.
using EnglishProgram = FreshDirectoryTest;

TEST_F(EnglishProgram, CurrentEditionOpensInEnglishAndSwitches) {
    writeUpdateFile("; nothing to change\r\n");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring program(self);
    for (int up = 0; up < 3; ++up) program.erase(program.find_last_of(L'\\'));
    program += L"\\ui\\orvetta-current.exe";
    std::wstring commandLine = L"\"" + program + L"\" --lang en";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    HWND main = waitForProcessWindow(process.dwProcessId, L"VELKAR");
    if (!main) TerminateProcess(process.hProcess, 1);
    ASSERT_NE(main, nullptr);
    const auto aboutSnapshot = [&] {
        PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
        HWND about = waitForProcessWindow(process.dwProcessId, L"#32770");
        std::wstring text = about ? windowText(GetDlgItem(about, IDC_ABOUT_SNAPSHOT)) : L"";
        if (about) PostMessageW(about, WM_COMMAND, IDOK, 0);
        for (int tries = 0; about && IsWindow(about) && tries < 100; ++tries) Sleep(20);
        return text;
    };
    EXPECT_EQ(aboutSnapshot(), L"Places as of 26 May 2024");
    PostMessageW(main, WM_COMMAND, IDM_LANGUAGE, 0);
    EXPECT_EQ(aboutSnapshot(), fromUtf8("市区町村：2024年5月26日現在"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace orvetta::test
