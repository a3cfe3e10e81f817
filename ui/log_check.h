// The log check of the desktop programs: a log chosen in the open dialog is
// checked against the numbers valid on each contact's day, and the report is
// shown in the report window, the same text `orvetta-lookup awards` prints.
#pragma once

#include <windows.h>

#include <string>

#include "log/award_check.h"
#include "update/startup.h"

namespace orvetta {

// 「ファイル」→「ログを調べる」: the open dialog (ADIF, HAMLOG CSV, all files),
// then logCheckShow for the file chosen. `update` is the update file as read
// at start-up; its lines count, as on the command line.
void logCheckOpen(HWND owner, const StagedUpdate& update);

// Checks the log at `path` against today's list (with `update` merged) and
// shows the report, or why the log could not be read, in the report window
// owned by `owner`, titled 「ログの集計 - FILENAME」. A wait cursor shows while
// it works. Below the report, 「申請リストを保存」 asks for an award and a
// file (gAskListFile) and writes that award's application list there in
// Shift-JIS with CR LF; it is greyed when there is no report. Returns the
// window, or null when it could not be made.
HWND logCheckShow(HWND owner, const std::wstring& path, const StagedUpdate& update);

// How 「申請リストを保存」 asks for the award and the file to write: the
// standard save dialog, whose file types are the awards. False when the user
// cancels. Tests put their own answer here.
using AskListFile = bool (*)(HWND owner, std::wstring& path, Award& award);
extern AskListFile gAskListFile;

}  // namespace orvetta
