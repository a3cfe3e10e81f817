// Test helper: UTF-8 literals to the Shift-JIS bytes the program works in.
#pragma once

#include <stdexcept>
#include <string>

#include "text/sjis.h"

namespace orvetta::test {

// UTF-8 -> Shift-JIS (code page 932).
inline std::string sjis(const std::string& utf8) {
    std::string out;
    if (!sjisFromUtf8(utf8, out)) throw std::runtime_error("not convertible: " + utf8);
    return out;
}
// Shift-JIS (code page 932) -> UTF-8, for readable failure messages.
inline std::string utf8(const std::string& sjisText) { return utf8FromSjis(sjisText.data(), sjisText.size()); }

}  // namespace orvetta::test
