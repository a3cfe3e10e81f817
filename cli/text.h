// Platform seam of the command-line lookup: arguments and the console.
// text_posix.cpp and text_win.cpp are the two twins; Shift-JIS conversion
// is the text module's (text/sjis.h).
#pragma once

#include <string>
#include <vector>

namespace orvetta::cli {

// The program's arguments after its name: UTF-8 on Windows (taken from the
// Unicode command line), the bytes as given elsewhere.
std::vector<std::string> commandArguments(int argc, char** argv);

// True where arguments arrive as bytes that --sjis can take unchanged.
bool argumentsAreBytes();

// Standard output and error write bytes as given (no LF to CR LF), and a
// console shows them as UTF-8.
void prepareConsole();

// The line end of a text meant for printing (awards --list): CR LF on
// Windows, where editors expect it, LF elsewhere.
extern const char kPrintableLineEnd[];

}  // namespace orvetta::cli
