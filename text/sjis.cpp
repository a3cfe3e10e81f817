// The conversion rule over the platform's code page 932: whole characters go
// to the platform in runs, broken ones never reach it.
#include "text/sjis.h"

#include "text/convert.h"
#include "text/utf.h"

namespace orvetta {

namespace {

void appendReplacement(std::string& out) { out += "\xef\xbf\xbd"; }  // U+FFFD in UTF-8
void appendReplacement(std::u16string& out) { out += kReplacementCharacter; }

// Converts the longest runs of whole characters in one call each. A run the
// platform rejects holds a double-byte character it does not map; that run
// goes again a character at a time, so only that character is replaced.
template <typename String, bool (*append)(const char*, size_t, String&)>
String fromSjis(const char* sjis, size_t cb) {
    String out;
    if (!sjis) return out;
    const char* const end = sjis + cb;
    const char* p = sjis;
    while (p < end) {
        const char* const run = p;
        for (SjisChar c; p < end && (c = sjisCharAt(p, end)).whole;) p += c.length;
        if (run < p && !append(run, static_cast<size_t>(p - run), out)) {
            for (const char* q = run; q < p;) {
                const size_t n = sjisCharLength(q, p);
                if (!append(q, n, out)) appendReplacement(out);
                q += n;
            }
        }
        if (p < end) {  // a bad byte
            appendReplacement(out);
            ++p;
        }
    }
    return out;
}

// The platform may map a character to a byte that starts no Shift-JIS
// character (0x80, 0xA0, 0xFD-0xFF); such text would not read back.
bool isWholeSjis(const std::string& sjis) {
    const char* const end = sjis.data() + sjis.size();
    for (const char* p = sjis.data(); p < end;) {
        const SjisChar c = sjisCharAt(p, end);
        if (!c.whole) return false;
        p += c.length;
    }
    return true;
}

bool keepIfWhole(bool converted, std::string& sjis) {
    if (converted && isWholeSjis(sjis)) return true;
    sjis.clear();
    return false;
}

}  // namespace

std::string utf8FromSjis(const char* sjis, size_t cb) {
    return fromSjis<std::string, text::appendUtf8FromSjis>(sjis, cb);
}

std::u16string utf16FromSjis(const char* sjis, size_t cb) {
    return fromSjis<std::u16string, text::appendUtf16FromSjis>(sjis, cb);
}

bool sjisFromUtf8(std::string_view utf8, std::string& sjis) {
    sjis.clear();
    return keepIfWhole(text::appendSjisFromUtf8(utf8.data(), utf8.size(), sjis), sjis);
}

bool sjisFromUtf8Substituting(std::string_view utf8, std::string_view substitute, std::string& sjis) {
    if (sjisFromUtf8(utf8, sjis)) return true;
    const char* const end = utf8.data() + utf8.size();
    for (const char* p = utf8.data(); p < end;) {
        const size_t n = utf8CharLength(p, end);
        if (n == 0) {
            sjis.clear();
            return false;
        }
        std::string one;
        if (keepIfWhole(text::appendSjisFromUtf8(p, n, one), one))
            sjis += one;
        else
            sjis.append(substitute);
        p += n;
    }
    return true;
}

bool sjisFromUtf16(std::u16string_view text, std::string& sjis) {
    sjis.clear();
    return keepIfWhole(text::appendSjisFromUtf16(text.data(), text.size(), sjis), sjis);
}

}  // namespace orvetta
