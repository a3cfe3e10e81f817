// Code page 932 and UTF-8 through the Windows code-page API, strictly: code
// page 932 itself, never the system's ANSI code page, MB_ERR_INVALID_CHARS on
// the way in and no best-fit or default character on the way out.
#include <windows.h>

#include <climits>

#include "text/convert.h"

namespace orvetta::text {

namespace {

constexpr UINT kShiftJis = 932;

// Size first, then convert; `cb` counts bytes, `cch` UTF-16 units.
bool appendWide(UINT codePage, const char* text, size_t cb, std::wstring& out) {
    if (cb == 0) return true;
    if (cb > INT_MAX) return false;
    const int cch = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, static_cast<int>(cb), nullptr, 0);
    if (cch <= 0) return false;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(cch));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, static_cast<int>(cb), out.data() + at, cch);
    return true;
}

bool appendMultiByte(UINT codePage, const wchar_t* text, size_t cch, std::string& out) {
    if (cch == 0) return true;
    if (cch > INT_MAX) return false;
    // CP_UTF8 takes neither flag nor default character; it cannot miss.
    const bool sjis = codePage == kShiftJis;
    const DWORD flags = sjis ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* missed = sjis ? &usedDefault : nullptr;
    const int cb = WideCharToMultiByte(codePage, flags, text, static_cast<int>(cch), nullptr, 0, nullptr, missed);
    if (cb <= 0 || usedDefault) return false;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(cb));
    WideCharToMultiByte(codePage, flags, text, static_cast<int>(cch), out.data() + at, cb, nullptr, missed);
    return true;
}

// The same for UTF-16 in char16_t, copied unit by unit from wchar_t.
bool appendUtf16(UINT codePage, const char* text, size_t cb, std::u16string& out) {
    std::wstring wide;
    if (!appendWide(codePage, text, cb, wide)) return false;
    out.append(wide.begin(), wide.end());
    return true;
}

bool appendFromUtf16(UINT codePage, const char16_t* text, size_t cch, std::string& out) {
    const std::wstring wide(text, text + cch);
    return appendMultiByte(codePage, wide.data(), wide.size(), out);
}

}  // namespace

bool appendUtf8FromSjis(const char* sjis, size_t cb, std::string& out) {
    std::wstring wide;
    return appendWide(kShiftJis, sjis, cb, wide) && appendMultiByte(CP_UTF8, wide.data(), wide.size(), out);
}

bool appendUtf16FromSjis(const char* sjis, size_t cb, std::u16string& out) {
    return appendUtf16(kShiftJis, sjis, cb, out);
}

bool appendSjisFromUtf8(const char* utf8, size_t cb, std::string& out) {
    std::wstring wide;
    return appendWide(CP_UTF8, utf8, cb, wide) && appendMultiByte(kShiftJis, wide.data(), wide.size(), out);
}

bool appendSjisFromUtf16(const char16_t* text, size_t cch, std::string& out) {
    return appendFromUtf16(kShiftJis, text, cch, out);
}

bool appendUtf16FromUtf8(const char* utf8, size_t cb, std::u16string& out) {
    return appendUtf16(CP_UTF8, utf8, cb, out);
}

bool appendUtf8FromUtf16(const char16_t* text, size_t cch, std::string& out) {
    return appendFromUtf16(CP_UTF8, text, cch, out);
}

}  // namespace orvetta::text
