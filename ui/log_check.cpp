#include "ui/log_check.h"

#include <commdlg.h>

#include <iterator>
#include <string>

#include "dict/history.h"
#include "dict/load.h"
#include "log/award_check.h"
#include "log/award_data_builder.h"
#include "log/award_report.h"
#include "text/utf.h"
#include "ui/text.h"
#include "ui/text_window.h"

namespace orvetta {

namespace {

const char kReportTitle[] = "\x83\x8d\x83O\x82\xcc\x8fW\x8cv - ";  // ログの集計 -
const char kCannotOpenText[] =  // ログを開けませんでした。ファイルがないか、読めません。
    "\x83\x8d\x83O\x82\xf0\x8aJ\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\x83t\x83@\x83\x43"
    "\x83\x8b\x82\xaa\x82\xc8\x82\xa2\x82\xa9\x81\x41\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42";
const char kReadErrorText[] =  // ログを最後まで読めませんでした。
    "\x83\x8d\x83O\x82\xf0\x8d\xc5\x8c\xe3\x82\xdc\x82\xc5\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5"
    "\x82\xbd\x81\x42";
const char kNotALogText[] =  // ADIF のログでも HAMLOG の CSV でもありません。読める記録が一つもありません。
    "ADIF \x82\xcc\x83\x8d\x83O\x82\xc5\x82\xe0 HAMLOG \x82\xcc CSV \x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
    "\x82\xf1\x81\x42\x93\xc7\x82\xdf\x82\xe9\x8bL\x98^\x82\xaa\x88\xea\x82\xc2\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82"
    "\xb9\x82\xf1\x81\x42";
const char kUtf16Text[] =  // ログは UTF-16 で書かれていて読めません。UTF-8 か Shift-JIS で保存してください。
    "\x83\x8d\x83O\x82\xcd UTF-16 \x82\xc5\x8f\x91\x82\xa9\x82\xea\x82\xc4\x82\xa2\x82\xc4\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42UTF-8 \x82\xa9 Shift-JIS \x82\xc5\x95\xdb\x91\xb6\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
// ADIF のログでも HAMLOG の CSV でもありません。2 列目に日付 (yy/mm/dd) のある行がありません。
const char kNotHamlogText[] =
    "ADIF \x82\xcc\x83\x8d\x83O\x82\xc5\x82\xe0 HAMLOG \x82\xcc CSV \x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42\x32 \x97\xf1\x96\xda\x82\xc9\x93\xfa\x95t (yy/mm/dd) \x82\xcc\x82\xa0\x82\xe9\x8ds\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";
const char kNoJapaneseContactText[] =  // ログに日本局との交信がありません。
    "\x83\x8d\x83O\x82\xc9\x93\xfa\x96{\x8b\xc7\x82\xc6\x82\xcc\x8c\xf0\x90M\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
    "\x82\xf1\x81\x42";
const char kNoListText[] =  // 今日の地名を用意できませんでした。
    "\x8d\xa1\x93\xfa\x82\xcc\x92n\x96\xbc\x82\xf0\x97p\x88\xd3\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82"
    "\xb5\x82\xbd\x81\x42";

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

// The report of one log, or the sentence that says why there is none.
std::string reportOf(const std::wstring& path, const std::string& name, const StagedUpdate& update) {
    PlaceList today;
    if (loadEditionList(today, historyEdition()) != historyEdition().recordCount * kRecordSize) {
        releaseDictionary(today);
        return kNoListText;
    }
    if (update.status == kUpdateMerged) mergeStaged(update.records, today);
    const AwardData data = buildAwardData(today, historyEdition());
    releaseDictionary(today);

    AwardCheck check(data, CheckOptions{});
    switch (checkLogFile(check, utf8FromWide(path), name)) {
    case kLogRead: break;
    case kLogCannotOpen: return kCannotOpenText;
    case kLogReadError: return kReadErrorText;
    case kLogUtf16: return kUtf16Text;
    case kLogNotHamlog: return kNotHamlogText;
    default: return kNotALogText;
    }
    std::string report;
    writeReport(check, ReportLanguage::Japanese, [&](std::string_view text) { report.append(text); });
    if (check.counts().japanese == 0) report.append("\n").append(kNoJapaneseContactText).append("\n");
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
