// The UTF-8/UTF-16 rule over the platform's conversion: malformed UTF-8 is
// found here, and unpaired surrogates never reach the platform.
#include "text/utf.h"

#include "text/convert.h"

namespace orvetta {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Well-formed UTF-8 as Unicode defines it, character by character.
bool isWellFormedUtf8(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const size_t n = utf8CharLength(p, end);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

}  // namespace

size_t utf8CharLength(const char* p, const char* end) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(p[k]); };
    const unsigned char c = byte(0);
    if (c < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
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
        return 0;
    }
    if (static_cast<size_t>(end - p) < length || byte(1) < low || byte(1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
    return length;
}

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
