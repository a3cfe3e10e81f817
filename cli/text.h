// Platform seam of the command-line lookup: code-page conversion, arguments
// and the console. text_posix.cpp and text_win.cpp are the two twins.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orvetta::cli {

// Shift-JIS (code page 932) to UTF-8. A byte that starts no Shift-JIS
// character becomes U+FFFD, so output never stops at a bad record.
std::string utf8FromSjis(const char* text, size_t size);

// UTF-8 to Shift-JIS. False when the text is not UTF-8 or holds a character
// that Shift-JIS has not.
bool sjisFromUtf8(const std::string& text, std::string& sjis);

// The program's arguments after its name: UTF-8 on Windows (taken from the
// Unicode command line), the bytes as given elsewhere.
std::vector<std::string> commandArguments(int argc, char** argv);

// True where arguments arrive as bytes that --sjis can take unchanged.
bool argumentsAreBytes();

// Standard output and error write bytes as given (no LF to CR LF), and a
// console shows them as UTF-8.
void prepareConsole();

}  // namespace orvetta::cli
