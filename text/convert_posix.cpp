// Code page 932 ("CP932") and UTF-8 against UTF-16 through iconv, for every
// system but Windows.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "text/convert.h"

namespace orvetta::text {

namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One descriptor per direction and thread, opened on first use: a dump
// converts thousands of short fields.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends the conversion of `size` bytes to `out`; unchanged on failure
    // (a rejected or cut sequence, or no converter on this system).
    template <typename String>
    bool append(const char* in, size_t size, String& out) {
        if (!ok()) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh state
        const size_t mark = out.size();
        char* inPtr = const_cast<char*>(in);
        size_t inLeft = size;
        alignas(char16_t) char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            // Whole characters only, so a whole number of units.
            const size_t units = (sizeof buffer - outLeft) / sizeof(typename String::value_type);
            const size_t at = out.size();
            out.resize(at + units);
            std::memcpy(out.data() + at, buffer, sizeof buffer - outLeft);
            // E2BIG only means the buffer is full; anything else is a
            // sequence the mapping rejects.
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
                out.resize(mark);
                return false;
            }
        }
        return true;
    }

private:
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

}  // namespace

bool appendUtf8FromSjis(const char* sjis, size_t cb, std::string& out) {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.append(sjis, cb, out);
}

bool appendUtf16FromSjis(const char* sjis, size_t cb, std::u16string& out) {
    thread_local Converter converter(kUtf16, "CP932");
    return converter.append(sjis, cb, out);
}

bool appendSjisFromUtf8(const char* utf8, size_t cb, std::string& out) {
    thread_local Converter converter("CP932", "UTF-8");
    return converter.append(utf8, cb, out);
}

bool appendSjisFromUtf16(const char16_t* text, size_t cch, std::string& out) {
    thread_local Converter converter("CP932", kUtf16);
    return converter.append(reinterpret_cast<const char*>(text), cch * sizeof(char16_t), out);
}

bool appendUtf16FromUtf8(const char* utf8, size_t cb, std::u16string& out) {
    thread_local Converter converter(kUtf16, "UTF-8");
    return converter.append(utf8, cb, out);
}

bool appendUtf8FromUtf16(const char16_t* text, size_t cch, std::string& out) {
    thread_local Converter converter("UTF-8", kUtf16);
    return converter.append(reinterpret_cast<const char*>(text), cch * sizeof(char16_t), out);
}

}  // namespace orvetta::text
