#include "ui/log_check.h"

#include <commdlg.h>

#include <iterator>
#include <string>

#include "dict/history.h"
#include "dict/load.h"
#include "log/award_report.h"
#include "log/award_run.h"
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

std::string utf8FromWide(const std::wstring& text) {
    const int cb =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), cb, nullptr, nullptr);
    return out;
}

// The file's own name, without its folder, in Shift-JIS.
std::string shownName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return wideToSjis(name.c_str(), 255);
}

// Nothing is said while today's list loads: a failure is told in the report.
const StartupNotices kSilent{nullptr, nullptr, nullptr};

// The report of one log, or the sentence that says why there is none.
std::string reportOf(const std::wstring& path, const std::string& name, const StagedUpdate& update) {
    // The update file was read at start-up: its lines are merged again, the
    // file is not read a second time.
    StagedUpdate staged = update;
    staged.read = true;
    PlaceList today;
    if (loadPlaces(today, historyEdition(), "", staged, kSilent) <= 0) {
        releaseDictionary(today);
        return runMessage(kRunNoList, ReportLanguage::Japanese);
    }
    AwardRun run(today);
    releaseDictionary(today);

    const int status = run.readLogs({{utf8FromWide(path), name}});
    if (run.failedLog()) return runMessage(status, ReportLanguage::Japanese);
    std::string report;
    writeReport(run.check(), ReportLanguage::Japanese, [&](std::string_view text) { report.append(text); });
    if (status != kLogRead) report.append("\n").append(runMessage(status, ReportLanguage::Japanese)).append("\n");
    return report;
}

}  // namespace

HWND logCheckShow(HWND owner, const std::wstring& path, const StagedUpdate& update) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const std::string name = shownName(path);
    const std::string report = reportOf(path, name, update);
    SetCursor(previous);
    return textWindowOpen(owner, kLogReportTextWindow, kReportTitle + name, report);
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
