// The history command of the result list and the tree.
#include "ui/history_window.h"

#include <cstring>
#include <string>

#include "dict/history_text.h"
#include "search/romaji_name.h"
#include "ui/language.h"
#include "ui/text_window.h"

namespace orvetta {

namespace {

// The place the history window shows, for showing it again in another face.
PlaceRecord gShownPlace;

std::string numberOf(const PlaceRecord& place) {
    return std::string(place.number, strnlen(place.number, sizeof place.number));
}

std::string titleOf(const PlaceRecord& place, Language language) {
    return historyTitle(place, language, placeName(place, language).c_str());
}

}  // namespace

void historyOpen(HWND owner, const PlaceRecord& place) {
    gShownPlace = place;
    const Language language = uiLanguage();
    textWindowOpen(owner, kHistoryTextWindow, titleOf(place, language), historyText(numberOf(place).c_str(), language));
}

void historyApplyLanguage() {
    const Language language = uiLanguage();
    textWindowReplace(kHistoryTextWindow, titleOf(gShownPlace, language),
                      historyText(numberOf(gShownPlace).c_str(), language));
}

}  // namespace orvetta
