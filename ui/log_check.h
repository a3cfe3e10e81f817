// The log check of the desktop programs: a log chosen in the open dialog is
// checked against the numbers valid on each contact's day, and the report is
// shown in the report window, the same text `orvetta-lookup awards` prints.
#pragma once

#include <windows.h>

#include <string>

#include "update/startup.h"

namespace orvetta {

// 「ファイル」→「ログを調べる」: the open dialog (ADIF, HAMLOG CSV, all files),
// then logCheckShow for the file chosen. `update` is the update file as read
// at start-up; its lines count, as on the command line.
void logCheckOpen(HWND owner, const StagedUpdate& update);

// Checks the log at `path` against today's list (with `update` merged) and
// shows the report, or why the log could not be read, in the report window
// owned by `owner`, titled 「ログの集計 - FILENAME」. A wait cursor shows while
// it works. Returns the window, or null when it could not be made.
HWND logCheckShow(HWND owner, const std::wstring& path, const StagedUpdate& update);

}  // namespace orvetta
