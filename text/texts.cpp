// Filling in a text's arguments.
#include "text/texts.h"

#include <cstdarg>
#include <cstdio>

namespace orvetta {

std::string formatText(TextId id, Language language, ...) {
    const char* format = textOf(id, language);
    va_list arguments;
    va_start(arguments, language);
    va_list measure;
    va_copy(measure, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}

}  // namespace orvetta
