// The one text boundary: Shift-JIS (code page 932) bytes, the program's own
// text, against UTF-8 and UTF-16, for the program, the command line and the
// build tools alike.
//
// Walking. A Shift-JIS character is one byte, or a lead byte followed by a
// trail byte:
//   0x00-0x7F  one byte (ASCII)
//   0xA1-0xDF  one byte (half-width katakana)
//   0x81-0x9F, 0xE0-0xFC  lead byte; the character is whole only when a
//              trail byte 0x40-0x7E or 0x80-0xFC follows inside the text
//   0x80, 0xA0, 0xFD-0xFF  start no character
// A lead byte without its trail (at the end of the text, or before a byte
// that is no trail byte, a NUL among them) is one bad byte; the next byte
// starts afresh. So a walk never reads past `end` and never swallows the NUL
// or the ASCII byte behind a broken character.
//
// Conversion, one rule for every caller:
// - Out of Shift-JIS (for display, the console, a report) never fails: each
//   bad byte becomes one U+FFFD, and so does a whole double-byte character
//   that code page 932 does not map. Everything else converts as code page
//   932 maps it, NUL bytes included.
// - Into Shift-JIS (typed or given text) is all or nothing: false when the
//   input is not well-formed UTF-8 or UTF-16, or holds a character that code
//   page 932 has not; the output is then empty.
// convert_posix.cpp (iconv) and convert_win.cpp (code page 932 and
// MB_ERR_INVALID_CHARS) do the mapping itself; this rule sits above them, so
// both platforms give the same answer for broken input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvetta {

constexpr char16_t kReplacementCharacter = 0xFFFD;

inline bool isSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool isSjisTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// One step of a walk: the character at p (p < end).
struct SjisChar {
    size_t length;  // 1 or 2 bytes
    bool whole;     // false for a bad byte (length 1)
};

inline SjisChar sjisCharAt(const char* p, const char* end) {
    const auto c = static_cast<unsigned char>(*p);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) return {1, true};
    if (isSjisLeadByte(c) && end - p >= 2 && isSjisTrailByte(static_cast<unsigned char>(p[1]))) return {2, true};
    return {1, false};
}

// Bytes of the character at p (p < end): 2 for a whole double-byte
// character, else 1.
inline size_t sjisCharLength(const char* p, const char* end) { return sjisCharAt(p, end).length; }

// Shift-JIS to UTF-8 or UTF-16; bad bytes become U+FFFD.
std::string utf8FromSjis(const char* sjis, size_t cb);
std::u16string utf16FromSjis(const char* sjis, size_t cb);

// UTF-8 or UTF-16 to Shift-JIS; false (and `sjis` empty) when some character
// has no Shift-JIS form or the input is malformed.
bool sjisFromUtf8(std::string_view utf8, std::string& sjis);
bool sjisFromUtf16(std::u16string_view text, std::string& sjis);

// UTF-8 to Shift-JIS that keeps going: each character with no Shift-JIS form
// becomes `substitute`. False (and `sjis` empty) only when the input is not
// well-formed UTF-8.
bool sjisFromUtf8Substituting(std::string_view utf8, std::string_view substitute, std::string& sjis);

}  // namespace orvetta
