// The day box.
#include "ui/day_box.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "dict/date.h"
#include "dict/history.h"
#include "dict/history_text.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text.h"

namespace orvetta {

namespace {

// What the box works on, kept in the dialog's user data.
struct DayChoice {
    const Edition* edition;
    std::string day;  // "" for the edition's own list
};

const char kTitleGap[] = " - ";

SYSTEMTIME systemTimeOf(const char* date) {
    CalendarDay day{};
    parseCalendarDate(date, day);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(day.year);
    time.wMonth = static_cast<WORD>(day.month);
    time.wDay = static_cast<WORD>(day.day);
    return time;
}

std::string dateOf(const SYSTEMTIME& time) { return calendarDate(time.wYear, time.wMonth, time.wDay); }

DayChoice* choiceOf(HWND dialog) { return reinterpret_cast<DayChoice*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// ---- Day box messages ----

// The title names the day in force; the picker starts there and keeps to the
// days the history covers, which the line above it names.
BOOL dayOnInitDialog(HWND dialog, HWND, LPARAM lParam) {
    auto* choice = reinterpret_cast<DayChoice*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    const Edition& edition = *choice->edition;
    const Language language = uiLanguage();
    std::string caption = uiText(TextId::DayCaption);
    if (!choice->day.empty()) caption += kTitleGap + shownDate(choice->day.c_str(), language);
    SetWindowTextW(dialog, sjisToWide(caption.c_str()).c_str());
    for (auto [id, text] : {std::pair{IDC_DAY_PROMPT, TextId::DayPrompt}, std::pair{IDOK, TextId::ButtonOk},
                            std::pair{IDCANCEL, TextId::DayCancel}, std::pair{IDC_DAY_LATEST, TextId::DayLatest}})
        SetDlgItemTextW(dialog, id, uiWide(text).c_str());
    const std::string range = formatText(TextId::DayRange, language, shownDate(edition.historySince, language).c_str(),
                                         shownDate(edition.snapshotDate, language).c_str());
    SetDlgItemTextW(dialog, IDC_DAY_RANGE, sjisToWide(range.c_str()).c_str());
    HWND picker = GetDlgItem(dialog, IDC_DAY_PICKER);
    // The picker shows 2004年1月1日 or 1 January 2004 whatever the system's
    // date format.
    DateTime_SetFormat(picker, uiWide(TextId::DayPickerFormat).c_str());
    SYSTEMTIME bounds[2] = {systemTimeOf(edition.historySince), systemTimeOf(edition.snapshotDate)};
    DateTime_SetRange(picker, GDTR_MIN | GDTR_MAX, bounds);
    SYSTEMTIME shown = systemTimeOf(choice->day.empty() ? edition.snapshotDate : choice->day.c_str());
    DateTime_SetSystemtime(picker, GDT_VALID, &shown);
    // True: the platform focuses the first tab stop, the picker.
    return TRUE;
}

// OK takes the picked day if the history covers it (the picker keeps to
// those days, so anything else is refused quietly).
void dayOnOk(HWND dialog) {
    DayChoice& choice = *choiceOf(dialog);
    SYSTEMTIME picked{};
    if (DateTime_GetSystemtime(GetDlgItem(dialog, IDC_DAY_PICKER), &picked) != GDT_VALID) return;
    const std::string day = dateOf(picked);
    if (!historyCovers(*choice.edition, day.c_str())) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    choice.day = day;
    EndDialog(dialog, IDOK);
}

void dayOnCommand(HWND dialog, int id, HWND, UINT) {
    switch (id) {
    case IDOK: dayOnOk(dialog); return;
    case IDC_DAY_LATEST:
        choiceOf(dialog)->day.clear();
        EndDialog(dialog, IDOK);
        return;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return;
    }
}

}  // namespace

INT_PTR CALLBACK dayBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return HANDLE_WM_INITDIALOG(dialog, wParam, lParam, dayOnInitDialog);
    case WM_COMMAND: HANDLE_WM_COMMAND(dialog, wParam, lParam, dayOnCommand); return TRUE;
    }
    return FALSE;
}

bool chooseDay(HWND owner, const Edition& edition, std::string& day) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    DayChoice choice{&edition, day};
    if (DialogBoxParamW(gInstance, L"DAYBOX", owner, dayBoxProc, reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return false;
    day = choice.day;
    return true;
}

}  // namespace orvetta
