// Platform seam of the text module: code page 932 as the system maps it, and
// UTF-8 against UTF-16.
// convert_posix.cpp (iconv) and convert_win.cpp (the Windows code-page API)
// are the two twins. Each call converts a whole text strictly and appends
// the result to `out`: on any sequence the mapping rejects it returns false
// and leaves `out` as it was. sjis.cpp and utf.cpp build the program's rules
// on them.
#pragma once

#include <cstddef>
#include <string>

namespace orvetta::text {

bool appendUtf8FromSjis(const char* sjis, size_t cb, std::string& out);
bool appendUtf16FromSjis(const char* sjis, size_t cb, std::u16string& out);
bool appendSjisFromUtf8(const char* utf8, size_t cb, std::string& out);
bool appendSjisFromUtf16(const char16_t* text, size_t cch, std::string& out);
bool appendUtf16FromUtf8(const char* utf8, size_t cb, std::u16string& out);
bool appendUtf8FromUtf16(const char16_t* text, size_t cch, std::string& out);

}  // namespace orvetta::text
