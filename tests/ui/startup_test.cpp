// Start-up of the main window: the dictionary, the update file and their
// message boxes, and the two start-ups that end the program.
#include <windows.h>

#include <commctrl.h>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/tree_window.h"
#include "update/update_file.h"
#include "dict/program_places.h"

namespace orvetta::test {
namespace {

using StartProgram = FreshDirectoryTest;

void expectOneBox(const char* text, const char* caption, UINT icon) {
    ASSERT_EQ(recordedBoxes().size(), 1u);
    const RecordedBox& box = recordedBoxes()[0];
    EXPECT_EQ(box.text, wide(text)) << toUtf8(box.text);
    EXPECT_EQ(box.caption, wide(caption)) << toUtf8(box.caption);
    EXPECT_EQ(box.icon, icon);
}

int numberListCount() { return comboCount(controlById(IDC_NUMBER)); }

// The quit message that release posts, with its exit code; -1 if none.
int takeQuitCode() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
    return -1;
}

void expectNoControls() {
    for (HWND control : gControls) EXPECT_EQ(control, nullptr);
    EXPECT_EQ(gTreeWindow, nullptr);
}

TEST_F(StartProgram, WithoutUpdateFileInformsAndLoadsFullDictionary) {
    ASSERT_NE(startProgram(), nullptr);
    expectOneBox(kUpdateMissingText, kUpdateMissingCaption, MB_ICONINFORMATION);
    EXPECT_EQ(numberListCount(), shippedRecordCount());
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(windowText(window_), L"Orvetta ver 1.0p");
}

TEST_F(StartProgram, EmptyUpdateFileWarnsAndKeepsShippedDictionary) {
    writeUpdateFile("");
    ASSERT_NE(startProgram(), nullptr);
    expectOneBox(updateErrorText({0, UpdateFault::FileEmpty}).c_str(), kUpdateErrorCaption, MB_ICONWARNING);
    EXPECT_EQ(numberListCount(), shippedRecordCount());
}

TEST_F(StartProgram, BadLineWarnsAndMergesNothing) {
    // The good line comes first: the bad one must undo it too.
    writeUpdateFile(sjis("0136,北斗市,ほくとし,1\r\n0137,北斗,ほくと,1\r\n"));
    ASSERT_NE(startProgram(), nullptr);
    // The box names the first bad line and why, after its first two lines.
    expectOneBox(sjis("地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n"
                      "2 行目: 地名が 市・郡・区・町・村 で終わっていません\n\n更新処理を行なわずに起動します")
                     .c_str(),
                 kUpdateErrorCaption, MB_ICONWARNING);
    EXPECT_EQ(numberListCount(), shippedRecordCount());
    EXPECT_EQ(gPlaces.count(), shippedRecordCount());
}

TEST_F(StartProgram, GoodUpdateFileAddsRecordToListsAndTree) {
    writeUpdateFile(sjis("; new city\r\n0136,北斗市,ほくとし,1\r\n"));
    ASSERT_NE(startProgram(), nullptr);
    EXPECT_TRUE(recordedBoxes().empty());
    ASSERT_EQ(numberListCount(), shippedRecordCount() + 1);
    // New cities go after the last city of their prefecture's run.
    EXPECT_EQ(comboText(controlById(IDC_NUMBER), 45), L"0136");
    HWND cities = controlById(IDC_CITY);
    EXPECT_NE(SendMessageW(cities, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(fromUtf8("北斗市").c_str())),
              CB_ERR);
    ASSERT_NE(gTreeView, nullptr);
    // One node per record plus 10 areas and 47 prefectures.
    EXPECT_EQ(TreeView_GetCount(gTreeView), static_cast<UINT>(shippedRecordCount() + 1 + 10 + 47));
}

TEST_F(StartProgram, FailedAllocationWarnsAndEndsWithoutControls) {
    gLoadSeams.allocate = [](size_t) -> void* { return nullptr; };
    EXPECT_EQ(startProgram(), nullptr);
    // No update file exists, so the missing-file box would show if it were read.
    expectOneBox(kMemoryErrorText, kMemoryErrorCaption, MB_ICONWARNING);
    expectNoControls();
    EXPECT_EQ(takeQuitCode(), 0);
}

TEST_F(StartProgram, FailedDecodeWarnsReleasesAndEndsWithoutControls) {
    static const uint8_t kBadImage[] = {0xFF, 0xFF, 0xFF, 0xFF};
    gLoadSeams.image = kBadImage;
    gLoadSeams.imageSize = sizeof kBadImage;
    EXPECT_EQ(startProgram(), nullptr);
    expectOneBox(kInitErrorText, kInitErrorCaption, MB_ICONWARNING);
    expectNoControls();
    EXPECT_EQ(gPlaces.records, nullptr);
    EXPECT_EQ(takeQuitCode(), 0);
}

// The same two start-ups as a process of their own: the entry returns 0.
TEST_F(StartProgram, FailedStartupsExitWithCodeZero) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (const wchar_t* mode : {L"nomemory", L"baddecode"}) {
        std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --program " + mode + L" --lang ja";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0) << toUtf8(mode);
        DWORD exitCode = 99;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u) << toUtf8(mode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// orvetta-current.exe, started as a user starts it: its own window, the
// 2024 snapshot in its about box and every place of its list.
TEST_F(StartProgram, CurrentEditionProgramShowsTodaysList) {
    // Beside this test program's folder tests\ui sits ui\orvetta-current.exe.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring program(self);
    for (int up = 0; up < 3; ++up) program.erase(program.find_last_of(L'\\'));
    program += L"\\ui\\orvetta-current.exe";
    writeUpdateFile("; nothing to change\r\n");

    std::wstring commandLine = L"\"" + program + L"\" --lang ja";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << toUtf8(program);
    HWND main = waitForProcessWindow(process.dwProcessId, L"VELKAR");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(windowText(main), L"Orvetta ver 1.0p");
    EXPECT_EQ(comboCount(GetDlgItem(main, IDC_NUMBER)), 4453);

    PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = waitForProcessWindow(process.dwProcessId, L"#32770");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(windowText(GetDlgItem(about, IDC_ABOUT_SNAPSHOT)), fromUtf8("市区町村：2024年5月26日現在"));
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace orvetta::test
