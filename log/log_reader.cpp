// The format choice: by the file's name, else by its first bytes; then the
// reader of that format (adif_reader.cpp, csv_reader.cpp).
#include "log/log_reader.h"

#include <algorithm>
#include <cstring>

#include "log/format_readers.h"

namespace orvetta {

long long MemorySource::read(char* buffer, size_t size) {
    const size_t n = std::min({size, chunk_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return static_cast<long long>(n);
}

namespace {

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool containsNoCase(std::string_view text, std::string_view what) {
    return std::search(text.begin(), text.end(), what.begin(), what.end(),
                       [](char x, char y) { return upperAscii(x) == upperAscii(y); }) != text.end();
}

// True when `head` begins as UTF-16 text does: with a byte order mark, or
// with two ASCII characters each beside a NUL byte (little or big endian).
bool looksUtf16(std::string_view head) {
    const auto byte = [&](size_t k) { return k < head.size() ? static_cast<unsigned char>(head[k]) : 0x100u; };
    if ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)) return true;
    const auto ascii = [](unsigned c) { return c > 0 && c < 0x80; };
    return (ascii(byte(0)) && byte(1) == 0 && ascii(byte(2)) && byte(3) == 0) ||
           (byte(0) == 0 && ascii(byte(1)) && byte(2) == 0 && ascii(byte(3)));
}

// Serves the head read for choosing the format, then the rest of the source.
class HeadSource : public LogSource {
public:
    HeadSource(std::string_view head, LogSource& rest) : head_(head), rest_(rest) {}
    long long read(char* buffer, size_t size) override {
        if (at_ == head_.size()) return rest_.read(buffer, size);
        const size_t n = std::min(size, head_.size() - at_);
        std::memcpy(buffer, head_.data() + at_, n);
        at_ += n;
        return static_cast<long long>(n);
    }

private:
    std::string_view head_;
    LogSource& rest_;
    size_t at_ = 0;
};

}  // namespace

LogFormat chooseLogFormat(std::string_view fileName, std::string_view head) {
    if (endsWithNoCase(fileName, ".adi") || endsWithNoCase(fileName, ".adif")) return LogFormat::Adif;
    if (endsWithNoCase(fileName, ".csv")) return LogFormat::Csv;
    head = head.substr(0, kFormatProbeSize);
    return containsNoCase(head, "<EOH>") || containsNoCase(head, "<EOR>") ? LogFormat::Adif : LogFormat::Csv;
}

ReadResult readLog(LogSource& source, LogFormat format, const ContactSink& sink) {
    return format == LogFormat::Adif ? readAdif(source, sink) : readHamlogCsv(source, sink);
}

ReadResult readLogChoosingFormat(LogSource& source, std::string_view fileName, const ContactSink& sink,
                                 LogFormat* chosen) {
    std::string head(kFormatProbeSize, '\0');
    size_t got = 0;
    bool readError = false;
    while (got < head.size()) {
        const long long n = source.read(head.data() + got, head.size() - got);
        if (n < 0) readError = true;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    head.resize(got);
    const LogFormat format = chooseLogFormat(fileName, head);
    if (chosen) *chosen = format;
    if (looksUtf16(head)) {
        ReadResult result;
        result.utf16 = true;
        result.readError = readError;
        return result;
    }
    if (readError) {
        // Read what arrived; the failure is still reported.
        MemorySource partial(head);
        ReadResult result = readLog(partial, format, sink);
        result.readError = true;
        return result;
    }
    HeadSource whole(head, source);
    return readLog(whole, format, sink);
}

}  // namespace orvetta
