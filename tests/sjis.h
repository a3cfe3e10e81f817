// Test helper: UTF-8 literals to the Shift-JIS bytes the program works in.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace orvetta::test {

inline std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) throw std::runtime_error("not convertible: " + text);
    out.resize(out.size() - outLeft);
    return out;
}

// UTF-8 -> Shift-JIS (code page 932).
inline std::string sjis(const std::string& utf8) { return convert(utf8, "CP932", "UTF-8"); }
// Shift-JIS (code page 932) -> UTF-8, for readable failure messages.
inline std::string utf8(const std::string& sjisText) { return convert(sjisText, "UTF-8", "CP932"); }

}  // namespace orvetta::test
