#include "ui/log_check.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "dict/history.h"
#include "dict/load.h"
#include "log/award_report.h"
#include "log/award_run.h"
#include "text/utf.h"
#include "ui/main_window.h"
#include "ui/text.h"
#include "ui/text_window.h"

namespace orvetta {

namespace {

const char kReportTitle[] = "\x83\x8d\x83O\x82\xcc\x8fW\x8cv - ";  // ログの集計 -

// The open dialog's filters: label, pattern, in pairs.
const char* const kFilters[] = {
    "ADIF \x83\x8d\x83O (*.adi;*.adif)",
    "*.adi;*.adif",  // ADIF ログ
    "HAMLOG CSV (*.csv)",
    "*.csv",  // HAMLOG CSV
    "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83t\x83@\x83\x43\x83\x8b (*.*)",
    "*.*",  // すべてのファイル
};

std::string utf8FromWide(const std::wstring& text) { return utf8FromUtf16(std::u16string(text.begin(), text.end())); }

// The file's own name, without its folder, in Shift-JIS.
std::string shownName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return wideToSjis(name.c_str(), 255);
}

// The texts of saving the application list, in one table so they can join
// the program's texts.
struct SaveListTexts {
    const char* button;
    const char* fileTypes[kAwardCount];  // the save dialog's file types, one per award in Award order
    const char* fileName;
    const char* failed;
    const char* failedCaption;
};
constexpr SaveListTexts kSaveListTexts = {
    .button = "\x90\x5c\x90\xbf\x83\x8a\x83X\x83g\x82\xf0\x95\xdb\x91\xb6",  // 申請リストを保存
    .fileTypes =
        {
            "JCC \x90\x5c\x90\xbf\x83\x8a\x83X\x83g (*.txt)",   // JCC 申請リスト (*.txt)
            "JCG \x90\x5c\x90\xbf\x83\x8a\x83X\x83g (*.txt)",   // JCG 申請リスト (*.txt)
            "KU \x90\x5c\x90\xbf\x83\x8a\x83X\x83g (*.txt)",    // KU 申請リスト (*.txt)
            "WAJA \x90\x5c\x90\xbf\x83\x8a\x83X\x83g (*.txt)",  // WAJA 申請リスト (*.txt)
        },
    .fileName = "\x90\x5c\x90\xbf\x83\x8a\x83X\x83g.txt",  // 申請リスト.txt
    .failed =
        "\x90\x5c\x90\xbf\x83\x8a\x83X\x83g\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42",  // 申請リストを保存できませんでした。
    .failedCaption = "Orvetta\x81\x46\x95\xdb\x91\xb6\x83G\x83\x89\x81[",  // Orvetta：保存エラー
};

// The run whose report the report window shows, kept for saving its
// application list; null while the window tells why there is no report.
std::unique_ptr<AwardRun> gShownRun;

// Nothing is said while today's list loads: a failure is told in the report.
const StartupNotices kSilent{nullptr, nullptr, nullptr};

// The report of one log, or the sentence that says why there is none; the
// run stays in gShownRun when there is a report.
std::string reportOf(const std::wstring& path, const std::string& name, const StagedUpdate& update) {
    gShownRun.reset();
    // The update file was read at start-up: its lines are merged again, the
    // file is not read a second time.
    StagedUpdate staged = update;
    staged.read = true;
    const Edition& history = historyEdition();
    PlaceList today;
    if (loadPlaces(today, history, "", staged, kSilent) != decodedSize(history)) {
        releaseDictionary(today);
        return runMessage(kRunNoList, ReportLanguage::Japanese);
    }
    auto run = std::make_unique<AwardRun>(today, history);
    releaseDictionary(today);

    const int status = run->readLogs({{utf8FromWide(path), name}});
    if (run->failedLog()) return runMessage(status, ReportLanguage::Japanese);
    std::string report;
    writeReport(run->check(), ReportLanguage::Japanese, [&](std::string_view text) { report.append(text); });
    if (status != kLogRead) report.append("\n").append(runMessage(status, ReportLanguage::Japanese)).append("\n");
    gShownRun = std::move(run);
    return report;
}

// The save dialog; its file types are the awards.
bool askListFileInDialog(HWND owner, std::wstring& path, Award& award) {
    std::wstring filter;
    for (const char* type : kSaveListTexts.fileTypes) filter += sjisToWide(type) + L'\0' + L"*.txt" + L'\0';
    filter += L'\0';
    const std::wstring title = sjisToWide(kSaveListTexts.button);
    wchar_t file[32768] = {};
    sjisToWide(kSaveListTexts.fileName).copy(file, std::size(file) - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = static_cast<DWORD>(std::size(file));
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return false;
    path = file;
    award = static_cast<Award>(std::clamp<int>(static_cast<int>(dialog.nFilterIndex) - 1, 0, kAwardCount - 1));
    return true;
}

// Writes `bytes` as the whole file at `path`; a file that could not be
// written whole is removed, so no cut list is left behind.
bool writeWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    const bool closed = CloseHandle(file) != 0;
    if (whole && closed) return true;
    DeleteFileW(path.c_str());
    return false;
}

// 「申請リストを保存」: the shown run's list of the award asked for, as
// Shift-JIS with CR LF, which Japanese Windows editors open as they are.
void saveListPress(HWND window) {
    if (!gShownRun) return;
    std::wstring path;
    Award award = Award::Jcc;
    if (!gAskListFile(window, path, award)) return;
    const std::string list = writeApplicationList(gShownRun->check(), award, false, ReportLanguage::Japanese, "\r\n");
    if (!writeWholeFile(path, list))
        messageBoxSjis(window, kSaveListTexts.failed, kSaveListTexts.failedCaption, MB_ICONWARNING | MB_OK);
}

}  // namespace

AskListFile gAskListFile = askListFileInDialog;

HWND logCheckShow(HWND owner, const std::wstring& path, const StagedUpdate& update) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const std::string name = shownName(path);
    const std::string report = reportOf(path, name, update);
    SetCursor(previous);
    const TextWindowButton save{kSaveListTexts.button, gShownRun != nullptr, saveListPress};
    return textWindowOpen(owner, kLogReportTextWindow, kReportTitle + name, report, &save);
}

void logCheckOpen(HWND owner, const StagedUpdate& update) {
    std::wstring filter;
    for (const char* part : kFilters) filter += sjisToWide(part) + L'\0';
    filter += L'\0';
    wchar_t file[32768] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = static_cast<DWORD>(std::size(file));
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return;
    logCheckShow(owner, file, update);
}

}  // namespace orvetta
