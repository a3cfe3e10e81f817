// The table of texts: every text the windows show has an id and a Japanese
// and an English form, written once in text/texts.tsv and generated into
// text_table.h at build time (the build stops on a row without both forms).
// Windows ask the table for the form of the face they show; they never
// branch on the language themselves.
#pragma once

#include <string>

#include "text/language.h"
#include "text_table.h"

namespace orvetta {

// The Shift-JIS form of `id` in `language`.
constexpr const char* textOf(TextId id, Language language) {
    return kTextForms[static_cast<int>(id)][language == Language::English ? 1 : 0];
}

// The form of `id` with its printf arguments filled in (Shift-JIS).
std::string formatText(TextId id, Language language, ...);

}  // namespace orvetta
