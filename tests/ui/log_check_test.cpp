// The log check's report window, from a log with a Japanese file name.
#include <windows.h>

#include <string>

#include "log/award_check.h"
#include "tests/ui/harness.h"
#include "ui/log_check.h"
#include "ui/resource.h"
#include "ui/text_window.h"

namespace orvetta::test {
namespace {

using LogCheck = FreshDirectoryTest;

void writeWideFile(const std::wstring& name, const std::string& bytes) {
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

TEST_F(LogCheck, ShowsTheReportInItsWindowAndSaysWhyALogCannotBeRead) {
    ASSERT_NE(startProgram(), nullptr);
    const std::wstring log = fromUtf8("交信記録.adi");
    writeWideFile(log,
                  "<CALL:6>JA1AAA<QSO_DATE:8>20000601<CNTY:4>1017<QSL_RCVD:1>Y<EOR>\n"
                  "<CALL:6>JA1BBB<QSO_DATE:8>20010201<CNTY:4>1017<EOR>\n");
    HWND report = logCheckShow(window_, log, StagedUpdate{});
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report, gTextWindows[kLogReportTextWindow]);
    EXPECT_EQ(GetWindow(report, GW_OWNER), window_);
    EXPECT_EQ(windowText(report), fromUtf8("ログの集計 - 交信記録.adi"));
    const std::wstring text = windowText(GetDlgItem(report, IDC_TEXT_VIEW));
    EXPECT_NE(text.find(L"JCC\t1\t1\t815"), std::wstring::npos) << toUtf8(text);
    EXPECT_NE(text.find(fromUtf8("1017 保谷市 は 2001-01-20 まで。後継は 1030 西東京市")), std::wstring::npos);

    // A second check replaces the text in the same window.
    EXPECT_EQ(logCheckShow(window_, L"missing.adi", StagedUpdate{}), report);
    EXPECT_EQ(windowText(GetDlgItem(report, IDC_TEXT_VIEW)).rfind(fromUtf8("ログを開けませんでした"), 0), 0u);
    DeleteFileW(log.c_str());
}

// What the save dialog would answer: a file of the working directory and JCC.
bool answerListFile(HWND, std::wstring& path, Award& award) {
    path = fromUtf8("申請リスト.txt");
    award = Award::Jcc;
    return true;
}

// The same for a folder that does not exist.
bool answerMissingFolder(HWND, std::wstring& path, Award& award) {
    path = L"no-such-folder\\list.txt";
    award = Award::Waja;
    return true;
}

std::string readWideFile(const std::wstring& name) {
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

TEST_F(LogCheck, SavesTheApplicationListFromTheReportWindow) {
    ASSERT_NE(startProgram(), nullptr);
    writeWideFile(L"a.adi", "<CALL:6>JA1AAA<QSO_DATE:8>20000601<CNTY:4>1017<BAND:3>40m<MODE:2>CW<QSL_RCVD:1>Y<EOR>\n");
    HWND report = logCheckShow(window_, L"a.adi", StagedUpdate{});
    HWND button = GetDlgItem(report, IDC_TEXT_BUTTON);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(windowText(button), fromUtf8("申請リストを保存"));
    EXPECT_TRUE(IsWindowEnabled(button));

    const AskListFile dialog = gAskListFile;
    gAskListFile = answerListFile;
    recordedBoxes().clear();
    SendMessageW(button, BM_CLICK, 0, 0);
    gAskListFile = answerMissingFolder;
    SendMessageW(button, BM_CLICK, 0, 0);
    gAskListFile = dialog;
    ASSERT_EQ(recordedBoxes().size(), 1u);
    EXPECT_EQ(recordedBoxes()[0].text, fromUtf8("申請リストを保存できませんでした。"));
    EXPECT_EQ(readWideFile(fromUtf8("申請リスト.txt")),
              sjis("JARL JCC 申請リスト(地名一覧 2024-05-26 現在)\r\n"
                   "交信済 1、QSL確認済 1、現存数 815\r\n\r\n"
                   "番号  地名    コールサイン  日付        時刻  バンド  モード  QSL\r\n"
                   "1017  保谷市  JA1AAA        2000-06-01        40m     CW      済\r\n"));
    DeleteFileW(fromUtf8("申請リスト.txt").c_str());

    // Without a report there is nothing to save.
    logCheckShow(window_, L"missing.adi", StagedUpdate{});
    EXPECT_FALSE(IsWindowEnabled(button));
    DeleteFileW(L"a.adi");
}

}  // namespace
}  // namespace orvetta::test
