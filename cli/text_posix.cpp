#include "cli/text.h"

namespace orvetta::cli {

std::vector<std::string> commandArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool argumentsAreBytes() { return true; }

void prepareConsole() {}

const char kPrintableLineEnd[] = "\n";

}  // namespace orvetta::cli
