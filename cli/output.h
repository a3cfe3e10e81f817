// Standard output and standard error of orvetta-lookup: converted output,
// usage messages, and the check that everything written arrived.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace orvetta::cli {

// Writes Shift-JIS text to standard output, converted to UTF-8 unless raw.
// A failed write is remembered for finishOutput.
class Output {
public:
    explicit Output(bool raw) : raw_(raw) {}
    void write(const char* text, size_t size);
    void write(const char* text) { write(text, std::strlen(text)); }
    // A fixed-width record field: up to its first NUL byte.
    void field(const char* text, size_t width) { write(text, strnlen(text, width)); }
    void number(long value);
    void tab() { write("\t", 1); }
    void endLine() { write("\n", 1); }

private:
    bool raw_;
};

// Writes Shift-JIS text and a line end to standard error, always as UTF-8.
void complain(const char* sjisText);

// "orvetta-lookup: WHAT" and the pointer to --help, on standard error.
void complainUsage(const std::string& what);

// An argument as a message quotes it: cut after 40 characters, with "...".
std::string shownArgument(const std::string& argument);

// Flushes standard output and returns `status`, or 4 with a message when
// anything written did not arrive.
int finishOutput(int status);

}  // namespace orvetta::cli
