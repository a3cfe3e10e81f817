#include "ui/log_check.h"

#include <commdlg.h>

#include <iterator>
#include <string>
#include <utility>

#include "dict/history.h"
#include "dict/load.h"
#include "log/award_check.h"
#include "log/award_data_builder.h"
#include "log/award_report.h"
#include "text/utf.h"
#include "ui/language.h"
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

std::string utf8FromWide(const std::wstring& text) { return utf8FromUtf16(std::u16string(text.begin(), text.end())); }

// The file's own name, without its folder, in Shift-JIS.
std::string shownName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return wideToSjis(name.c_str(), 255);
}

// The report of one log, or the sentence that says why there is none.
std::string reportOf(const std::wstring& path, const std::string& name, const StagedUpdate& update) {
    PlaceList today;
    if (loadEditionList(today, historyEdition()) != historyEdition().recordCount * kRecordSize) {
        releaseDictionary(today);
        return uiText(TextId::LogNoList);
    }
    if (update.status == kUpdateMerged) mergeStaged(update.records, today);
    const AwardData data = buildAwardData(today, historyEdition());
    releaseDictionary(today);

    AwardCheck check(data, CheckOptions{});
    switch (checkLogFile(check, utf8FromWide(path), name)) {
    case kLogRead: break;
    case kLogCannotOpen: return uiText(TextId::LogCannotOpen);
    case kLogReadError: return uiText(TextId::LogReadError);
    case kLogUtf16: return uiText(TextId::LogUtf16);
    case kLogNotHamlog: return uiText(TextId::LogNotHamlog);
    default: return uiText(TextId::LogNotALog);
    }
    std::string report;
    writeReport(check, kReportLanguages[static_cast<int>(uiLanguage())],
                [&](std::string_view text) { report.append(text); });
    if (check.counts().japanese == 0) report.append("\n").append(uiText(TextId::LogNoJapaneseContact)).append("\n");
    return report;
}

}  // namespace

HWND logCheckShow(HWND owner, const std::wstring& path, const StagedUpdate& update) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const std::string name = shownName(path);
    const std::string report = reportOf(path, name, update);
    SetCursor(previous);
    return textWindowOpen(owner, kLogReportTextWindow, formatText(TextId::LogReportTitle, uiLanguage(), name.c_str()),
                          report);
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
