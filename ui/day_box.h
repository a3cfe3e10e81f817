// The day box: a modal dialog that picks the day the program's list
// describes, within the days the edition's history covers, or goes back to
// the edition's own list.
#pragma once

#include <windows.h>

#include <string>

#include "dict/edition.h"

namespace orvetta {

// Opens the day box owned by `owner`. `day` is the day in force ("" for the
// edition's own list) and receives the choice: "YYYY-MM-DD" after OK, "" after
// 最新に戻す. Returns false when the box was cancelled (`day` unchanged).
bool chooseDay(HWND owner, const Edition& edition, std::string& day);

INT_PTR CALLBACK dayBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orvetta
