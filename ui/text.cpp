// UTF-16 of the wide API over the text module's conversions.
#include "ui/text.h"

#include <cstring>

#include "text/sjis.h"

namespace orvetta {

namespace {

// wchar_t is a UTF-16 unit on Windows; copied unit by unit, not reinterpreted.
std::wstring wideFrom(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring sjisToWide(const char* sjis, size_t cb) { return wideFrom(utf16FromSjis(sjis, cb)); }

std::wstring sjisToWide(const char* sjis) { return sjis ? sjisToWide(sjis, strlen(sjis)) : std::wstring(); }

std::wstring sjisToWideJoined(const char* const* texts, size_t count) {
    // A NUL is never a trail byte, so a lone lead byte at a text's end stays
    // one bad byte and the texts still fall apart at their NULs.
    std::string joined;
    for (size_t i = 0; i < count; ++i) {
        if (texts[i]) joined += texts[i];
        joined += '\0';
    }
    return sjisToWide(joined.data(), joined.size());
}

std::string wideToSjis(const wchar_t* text, size_t cbMax) {
    std::string out, bytes;
    if (!text) return out;
    // One UTF-16 unit (or surrogate pair) at a time, so the limit falls
    // between characters.
    for (const wchar_t* p = text; *p;) {
        const size_t cch = isHighSurrogate(p[0]) && isLowSurrogate(p[1]) ? 2 : 1;
        const std::u16string one(p, p + cch);
        if (!sjisFromUtf16(one, bytes)) bytes.assign(1, '?');
        if (out.size() + bytes.size() > cbMax) break;
        out += bytes;
        p += cch;
    }
    return out;
}

}  // namespace orvetta
