// The history command of the result list and the tree.
#include "ui/history_window.h"

#include <cstring>
#include <string>

#include "dict/history_text.h"
#include "ui/text_window.h"

namespace orvetta {

void historyOpen(HWND owner, const PlaceRecord& place) {
    const std::string number(place.number, strnlen(place.number, sizeof place.number));
    textWindowOpen(owner, kHistoryTextWindow, historyTitle(place), historyText(number.c_str()));
}

}  // namespace orvetta
