#include "search/fold.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "search/fold_tables.h"
#include "text/sjis.h"

namespace orvetta {

namespace {

// Half-width katakana that take a voiced or semi-voiced mark (ｦ..ﾝ), and the
// two marks ﾞ and ﾟ.
bool isHalfWidthBase(unsigned char b) { return b >= 0xA6 && b <= 0xDD; }
bool isHalfWidthMark(unsigned char b) { return b == 0xDE || b == 0xDF; }

// The folded bytes of a character code, or null when it folds to itself.
const char* foldedOf(uint16_t code) {
    const FoldRow* end = kFoldRows + kFoldRowCount;
    const FoldRow* row =
        std::lower_bound(kFoldRows, end, code, [](const FoldRow& r, uint16_t c) { return r.code < c; });
    return row != end && row->code == code ? row->folded : nullptr;
}

}  // namespace

void appendFolded(const char* text, size_t length, std::string& out) {
    const char* const end = text + length;
    for (size_t i = 0; i < length;) {
        const auto b = static_cast<unsigned char>(text[i]);
        // A half-width kana and its mark fold together where they make one kana.
        if (isHalfWidthBase(b) && i + 1 < length && isHalfWidthMark(static_cast<unsigned char>(text[i + 1]))) {
            if (const char* folded =
                    foldedOf(static_cast<uint16_t>(b << 8 | static_cast<unsigned char>(text[i + 1])))) {
                out += folded;
                i += 2;
                continue;
            }
        }
        const size_t n = sjisCharLength(text + i, end);
        if (n == 1 && i + 1 == length && isSjisLeadByte(b)) break;  // cut off by the end
        const uint16_t code = n == 2 ? static_cast<uint16_t>(b << 8 | static_cast<unsigned char>(text[i + 1])) : b;
        if (const char* folded = foldedOf(code))
            out += folded;
        else
            out.append(text + i, n);
        i += n;
    }
}

std::string foldQuery(const char* text) {
    std::string folded;
    appendFolded(text, std::strlen(text), folded);
    const size_t first = folded.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return folded.substr(first, folded.find_last_not_of(' ') - first + 1);
}

}  // namespace orvetta
