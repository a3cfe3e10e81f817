// Log file seam: a log arrives as a stream of bytes from a LogSource. The
// readers see nothing else, so they run on memory in the tests and on files
// in the programs. log_source_win.cpp opens files on Windows (wide file API,
// so Japanese file names open), log_source_portable.cpp everywhere else.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace orvetta {

class LogSource {
public:
    virtual ~LogSource() = default;
    // Copies up to `size` bytes into `buffer`. Returns the count, 0 at the
    // end of the data, -1 when reading failed.
    virtual long long read(char* buffer, size_t size) = 0;
};

// Bytes held in memory (not copied: `bytes` must outlive the source), handed
// out at most `chunk` at a time, so tests can split a log anywhere.
class MemorySource : public LogSource {
public:
    explicit MemorySource(std::string_view bytes, size_t chunk = static_cast<size_t>(-1))
        : bytes_(bytes), chunk_(chunk == 0 ? 1 : chunk) {}
    long long read(char* buffer, size_t size) override;

private:
    std::string_view bytes_;
    size_t chunk_;
    size_t at_ = 0;
};

// Opens the regular file `utf8Name` for reading, shared with writers (a logger
// may hold its log open). Null when it cannot be opened.
std::unique_ptr<LogSource> openLogFile(const std::string& utf8Name);

}  // namespace orvetta
