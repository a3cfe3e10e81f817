// Log file seam, portable: open(2), fstat for the type, read(2). File names
// are bytes here, so a UTF-8 name opens as it is.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "log/log_source.h"

namespace orvetta {

namespace {

class FileSource : public LogSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override { close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    long long read(char* buffer, size_t size) override {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n < 0 && errno == EINTR) continue;
            return n < 0 ? -1 : static_cast<long long>(n);
        }
    }

private:
    int fd_;
};

}  // namespace

std::unique_ptr<LogSource> openLogFile(const std::string& utf8Name) {
    // Non-blocking open, so a FIFO of that name is turned away, not waited on.
    const int fd = open(utf8Name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<FileSource>(fd);
}

}  // namespace orvetta
