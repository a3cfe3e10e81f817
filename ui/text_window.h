// Text windows: resizable windows owned by the main window, each showing one
// text in a read-only multi-line edit control, so it can be selected and
// copied. Help, a place's history and the log report each have one window of
// their own; asking again for a kind that is open replaces its title and text
// and brings it to the front. Esc in the text and the close box close it.
#pragma once

#include <windows.h>

#include <string_view>

namespace orvetta {

enum TextWindowKind { kHelpTextWindow, kHistoryTextWindow, kLogReportTextWindow, kTextWindowKinds };

// The open window of each kind; null while it is closed.
extern HWND gTextWindows[kTextWindowKinds];

// A button below the text, such as the log report's 「申請リストを保存」.
struct TextWindowButton {
    const char* label;           // Shift-JIS
    bool enabled;                // false: shown greyed
    void (*press)(HWND window);  // called with the text window
};

// Opens the window of `kind` owned by `owner`, or takes the open one, shows
// `title` and `text` (Shift-JIS; lines end in LF or CR LF) and brings it to
// the front, with `button` below the text (none when null). Returns the
// window, or null when it could not be created.
HWND textWindowOpen(HWND owner, TextWindowKind kind, std::string_view title, std::string_view text,
                    const TextWindowButton* button = nullptr);

// Shows `title` and `text` in the open window of `kind`, where it lies; nothing
// when it is closed.
void textWindowReplace(TextWindowKind kind, std::string_view title, std::string_view text);

// Release step: closes every text window still open.
void textWindowsClose();

}  // namespace orvetta
