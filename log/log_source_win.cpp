// Log file seam, Windows: the UTF-8 name becomes UTF-16 for CreateFileW, so
// names outside the ANSI code page (Japanese names on any system) open.
#include <windows.h>

#include <string>

#include "log/log_source.h"
#include "text/utf.h"

namespace orvetta {

namespace {

class FileSource : public LogSource {
public:
    explicit FileSource(HANDLE file) : file_(file) {}
    ~FileSource() override { CloseHandle(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    long long read(char* buffer, size_t size) override {
        const DWORD ask = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!ReadFile(file_, buffer, ask, &got, nullptr)) return -1;
        return got;
    }

private:
    HANDLE file_;
};

// UTF-8 to UTF-16; false when the name is empty or not UTF-8.
bool wideName(const std::string& utf8, std::wstring& wide) {
    std::u16string name;
    if (utf8.empty() || !utf16FromUtf8(utf8, name)) return false;
    wide.assign(name.begin(), name.end());
    return true;
}

}  // namespace

std::unique_ptr<LogSource> openLogFile(const std::string& utf8Name) {
    std::wstring name;
    if (!wideName(utf8Name, name)) return nullptr;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    // Only a file on disk: a pipe or a device of that name is no log.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<FileSource>(file);
}

}  // namespace orvetta
