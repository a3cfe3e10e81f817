// The face the windows show: Japanese or English, chosen at start from the
// command line (--lang ja, --lang en) or else the user's interface language,
// and switched while the program runs from the Settings menu. Nothing is
// saved: the program writes no settings.
#pragma once

#include <windows.h>

#include <string>

#include "dict/edition.h"
#include "text/texts.h"

namespace orvetta {

// The face in force.
Language uiLanguage();

// Sets the face for the program about to start: `--lang ja` or `--lang en`
// (also `--lang=en`) anywhere in `commandLine` wins; otherwise a Japanese user
// interface language gives the Japanese face and any other the English one.
void chooseStartLanguage(const wchar_t* commandLine);

// The language a command line names with --lang, or the one given the
// system's user interface language (a LANGID) when it names none or another.
Language startLanguageOf(const wchar_t* commandLine, LANGID systemLanguage);

// The form of `id` in the face in force: Shift-JIS, and as UTF-16.
const char* uiText(TextId id);
std::wstring uiWide(TextId id);

// An edition's two notices in the face in force (Shift-JIS).
enum EditionNotice { kAboutNotice, kStatusNotice };
const char* editionNotice(const Edition& edition, EditionNotice which);

// The menu command: the other face, at once, for every window open.
void switchLanguage(HWND mainWindow);

}  // namespace orvetta
