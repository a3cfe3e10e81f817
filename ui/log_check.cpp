#include "ui/log_check.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "dict/history.h"
#include "dict/load.h"
#include "log/award_report.h"
#include "log/award_run.h"
#include "text/utf.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/text.h"
#include "ui/text_window.h"

namespace orvetta {

namespace {

// The open dialog's filters: a label from the table, its pattern.
const std::pair<TextId, const wchar_t*> kFilters[] = {
    {TextId::LogFilterAdif, L"*.adi;*.adif"},
    {TextId::LogFilterHamlog, L"*.csv"},
    {TextId::LogFilterAll, L"*.*"},
};

// The report's language for each face, in the order of Language.
constexpr ReportLanguage kReportLanguages[] = {ReportLanguage::Japanese, ReportLanguage::English};

ReportLanguage reportLanguage() { return kReportLanguages[static_cast<int>(uiLanguage())]; }

std::string utf8FromWide(const std::wstring& text) { return utf8FromUtf16(std::u16string(text.begin(), text.end())); }

// The file's own name, without its folder, in Shift-JIS.
std::string shownName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return wideToSjis(name.c_str(), 255);
}

// The save dialog's file types, one per award in Award order.
constexpr TextId kSaveListTypes[kAwardCount] = {TextId::LogSaveTypeJcc, TextId::LogSaveTypeJcg, TextId::LogSaveTypeKu,
                                                TextId::LogSaveTypeWaja};

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
        return runMessage(kRunNoList, reportLanguage());
    }
    auto run = std::make_unique<AwardRun>(today, history);
    releaseDictionary(today);

    const int status = run->readLogs({{utf8FromWide(path), name}});
    if (run->failedLog()) return runMessage(status, reportLanguage());
    std::string report;
    writeReport(run->check(), reportLanguage(), [&](std::string_view text) { report.append(text); });
    if (status != kLogRead) report.append("\n").append(runMessage(status, reportLanguage())).append("\n");
    gShownRun = std::move(run);
    return report;
}

// The save dialog; its file types are the awards.
bool askListFileInDialog(HWND owner, std::wstring& path, Award& award) {
    std::wstring filter;
    for (TextId type : kSaveListTypes) filter += uiWide(type) + L'\0' + L"*.txt" + L'\0';
    filter += L'\0';
    const std::wstring title = uiWide(TextId::LogSaveList);
    wchar_t file[32768] = {};
    uiWide(TextId::LogSaveFileName).copy(file, std::size(file) - 1);
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
    const std::string list = writeApplicationList(gShownRun->check(), award, false, reportLanguage(), "\r\n");
    if (!writeWholeFile(path, list))
        messageBoxSjis(window, uiText(TextId::LogSaveFailed), uiText(TextId::LogSaveFailedCaption),
                       MB_ICONWARNING | MB_OK);
}

}  // namespace

AskListFile gAskListFile = askListFileInDialog;

HWND logCheckShow(HWND owner, const std::wstring& path, const StagedUpdate& update) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const std::string name = shownName(path);
    const std::string report = reportOf(path, name, update);
    SetCursor(previous);
    const TextWindowButton save{uiText(TextId::LogSaveList), gShownRun != nullptr, saveListPress};
    return textWindowOpen(owner, kLogReportTextWindow, formatText(TextId::LogReportTitle, uiLanguage(), name.c_str()),
                          report, &save);
}

void logCheckOpen(HWND owner, const StagedUpdate& update) {
    std::wstring filter;
    for (const auto& [label, pattern] : kFilters) filter += uiWide(label) + L'\0' + pattern + L'\0';
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
