// UTF-8 and UTF-16, for file names, command-line arguments and messages: the
// programs hold names as UTF-8 and the Windows API takes them as UTF-16.
//
// Conversion, one rule for every caller:
// - Into UTF-16 (a name to open) is all or nothing: false when the input is
//   not well-formed UTF-8 (a stray or cut sequence, an overlong form, an
//   encoded surrogate, a value past U+10FFFF); the output is then empty. A
//   malformed name is never opened as some other name.
// - Into UTF-8 (a name or text the system gave) never fails: each unpaired
//   surrogate becomes one U+FFFD; everything else converts as it stands, NUL
//   units included.
// convert_win.cpp (CP_UTF8) and convert_posix.cpp (iconv) do the conversion
// itself; this rule sits above them, as for Shift-JIS (text/sjis.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvetta {

// Bytes of the well-formed UTF-8 character at p (p < end), 0 when there is
// none: the second byte's range depends on the first, which rules out
// overlong forms, surrogates and values past U+10FFFF.
size_t utf8CharLength(const char* p, const char* end);

bool utf16FromUtf8(std::string_view utf8, std::u16string& text);
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace orvetta
