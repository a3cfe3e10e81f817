#include "cli/output.h"

#include <cerrno>
#include <cstdio>

#include "cli/command.h"
#include "cli/text.h"
#include "text/sjis.h"

namespace orvetta::cli {
namespace {

// The cause of the first failed write to standard output; 0 while none failed.
int gWriteErrno;

void writeOut(const char* bytes, size_t size) {
    if (std::fwrite(bytes, 1, size, stdout) != size && gWriteErrno == 0) gWriteErrno = errno ? errno : EIO;
}

// Enough to recognise an argument; a pasted file would bury the message.
constexpr size_t kShownCharacters = 40;

}  // namespace

void Output::write(const char* text, size_t size) {
    if (raw_) {
        writeOut(text, size);
    } else {
        std::string utf8 = utf8FromSjis(text, size);
        writeOut(utf8.data(), utf8.size());
    }
}

void Output::number(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    write(text);
}

void complain(const char* sjisText) {
    std::string utf8 = utf8FromSjis(sjisText, std::strlen(sjisText));
    std::fprintf(stderr, "%s\n", utf8.c_str());
}

void complainUsage(const std::string& what) {
    std::fprintf(stderr, "orvetta-lookup: %s\nTry 'orvetta-lookup --help'.\n", what.c_str());
}

// Counts UTF-8 lead bytes (anything but 10xxxxxx), so the cut never splits a
// character.
std::string shownArgument(const std::string& argument) {
    size_t characters = 0;
    for (size_t i = 0; i < argument.size(); ++i) {
        if ((static_cast<unsigned char>(argument[i]) & 0xC0) == 0x80) continue;
        if (characters++ == kShownCharacters) return argument.substr(0, i) + "...";
    }
    return argument;
}

// A failed write anywhere, or in the final flush, turns any status into 4.
int finishOutput(int status) {
    if (std::fflush(stdout) != 0 && gWriteErrno == 0) gWriteErrno = errno ? errno : EIO;
    if (gWriteErrno == 0 && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "orvetta-lookup: cannot write to standard output: %s\n",
                 std::strerror(gWriteErrno ? gWriteErrno : EIO));
    return kExitWriteFailed;
}

}  // namespace orvetta::cli
