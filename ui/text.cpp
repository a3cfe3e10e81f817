// Shift-JIS <-> UTF-16, always through code page 932.
#include "ui/text.h"

#include <windows.h>

#include <cstring>

namespace orvetta {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring sjisToWide(const char* sjis, size_t cb) {
    if (!sjis || cb == 0) return {};
    // Size first, then convert. Without MB_ERR_INVALID_CHARS a stray byte
    // becomes U+FFFD instead of failing the whole text.
    int cch = MultiByteToWideChar(kShiftJis, 0, sjis, static_cast<int>(cb), nullptr, 0);
    std::wstring wide(static_cast<size_t>(cch), L'\0');
    if (cch > 0) MultiByteToWideChar(kShiftJis, 0, sjis, static_cast<int>(cb), wide.data(), cch);
    return wide;
}

std::wstring sjisToWide(const char* sjis) { return sjis ? sjisToWide(sjis, strlen(sjis)) : std::wstring(); }

std::wstring sjisToWideJoined(const char* const* texts, size_t count) {
    std::string joined;
    for (size_t i = 0; i < count; ++i) {
        if (texts[i]) joined += texts[i];
        joined += '\0';
    }
    std::wstring wide = sjisToWide(joined.data(), joined.size());
    // A text ending in a lone lead byte could take its NUL as the second
    // byte; then the texts no longer fall apart at the NULs, so convert them
    // one by one.
    size_t nuls = 0;
    for (wchar_t c : wide) nuls += c == L'\0';
    if (nuls == count) return wide;
    wide.clear();
    for (size_t i = 0; i < count; ++i) {
        wide += sjisToWide(texts[i]);
        wide += L'\0';
    }
    return wide;
}

std::string wideToSjis(const wchar_t* text, size_t cbMax) {
    std::string out;
    if (!text) return out;
    // Convert one UTF-16 unit (or surrogate pair) at a time so the limit
    // falls between characters.
    for (const wchar_t* p = text; *p;) {
        int cch = (p[0] >= 0xD800 && p[0] <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) ? 2 : 1;
        char bytes[8];
        int cb = WideCharToMultiByte(kShiftJis, 0, p, cch, bytes, sizeof bytes, nullptr, nullptr);
        if (cb <= 0) {
            bytes[0] = '?';
            cb = 1;
        }
        if (out.size() + static_cast<size_t>(cb) > cbMax) break;
        out.append(bytes, static_cast<size_t>(cb));
        p += cch;
    }
    return out;
}

}  // namespace orvetta
