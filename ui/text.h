// Shift-JIS data meets the screen's UTF-16.
//
// Every text the program holds is Shift-JIS (code page 932) bytes; every
// window call takes UTF-16 through the wide API. These adapters hand the
// conversion to the text module (text/sjis.h), so the screen shows correct
// Japanese whatever the system's ANSI code page, and a bad byte shows as
// U+FFFD as everywhere else.
#pragma once

#include <string>

namespace orvetta {

// Shift-JIS bytes (NUL-terminated) to UTF-16. Bad bytes become U+FFFD.
std::wstring sjisToWide(const char* sjis);
// Shift-JIS bytes of a given length to UTF-16.
std::wstring sjisToWide(const char* sjis, size_t cb);

// Many NUL-terminated Shift-JIS texts to UTF-16 in one conversion: the
// result holds them in order, each followed by a NUL.
std::wstring sjisToWideJoined(const char* const* texts, size_t count);

// Typed UTF-16 text to Shift-JIS, at most cbMax bytes of text (not counting a
// NUL): a double-byte character that would not fit whole is dropped, never
// cut. A character with no Shift-JIS form becomes "?", which no place name
// holds, so a search for it finds nothing rather than everything.
std::string wideToSjis(const wchar_t* text, size_t cbMax);

}  // namespace orvetta
