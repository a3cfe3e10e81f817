// The UTF-8/UTF-16 rule over the platform's conversion: malformed UTF-8 is
// found here, and unpaired surrogates never reach the platform.
#include "text/utf.h"

#include "text/convert.h"

namespace orvetta {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Well-formed UTF-8 as Unicode defines it: the second byte's range depends on
// the first, which rules out overlong forms, surrogates and values past
// U+10FFFF.
bool isWellFormedUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        size_t length;
        unsigned char low = 0x80, high = 0xBF;  // range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (static_cast<size_t>(end - p) < length || p[1] < low || p[1] > high) return false;
        for (size_t i = 2; i < length; ++i)
            if (!isContinuation(p[i])) return false;
        p += length;
    }
    return true;
}

}  // namespace

bool utf16FromUtf8(std::string_view utf8, std::u16string& text) {
    text.clear();
    if (isWellFormedUtf8(utf8) && text::appendUtf16FromUtf8(utf8.data(), utf8.size(), text)) return true;
    text.clear();
    return false;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    while (p < end) {
        // The longest run of whole characters goes to the platform at once.
        const char16_t* const run = p;
        while (p < end) {
            if (isHighSurrogate(*p) && end - p >= 2 && isLowSurrogate(p[1]))
                p += 2;
            else if (!isHighSurrogate(*p) && !isLowSurrogate(*p))
                ++p;
            else
                break;
        }
        if (run < p && !text::appendUtf8FromUtf16(run, static_cast<size_t>(p - run), out))
            out += "\xef\xbf\xbd";  // not reached for a run of whole characters
        if (p < end) {              // an unpaired surrogate
            out += "\xef\xbf\xbd";  // U+FFFD
            ++p;
        }
    }
    return out;
}

}  // namespace orvetta
