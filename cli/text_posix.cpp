#include <iconv.h>

#include <cerrno>

#include "cli/text.h"

namespace orvetta::cli {

namespace {

// Converts with iconv; on a bad sequence either substitutes U+FFFD and skips
// one byte (substitute) or gives up.
bool convert(const char* to, const char* from, const char* text, size_t size, bool substitute, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char* in = const_cast<char*>(text);
    size_t inLeft = size;
    char buffer[256];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!substitute) {
            ok = false;
            break;
        }
        out += "\xef\xbf\xbd";  // U+FFFD
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return ok;
}

}  // namespace

std::string utf8FromSjis(const char* text, size_t size) {
    std::string out;
    convert("UTF-8", "CP932", text, size, true, out);
    return out;
}

bool sjisFromUtf8(const std::string& text, std::string& sjis) {
    return convert("CP932", "UTF-8", text.data(), text.size(), false, sjis);
}

std::vector<std::string> commandArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool argumentsAreBytes() { return true; }

void prepareConsole() {}

}  // namespace orvetta::cli
