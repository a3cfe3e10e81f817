// Name-path searches over the whole dictionary in reading mode, each beside a
// straightforward baseline: the same fields held as std::string in a
// std::vector, matched with std::string::find, lines built by concatenation.
//
// Cases (ward/town/village field, 2767 candidate records):
//   OneCharacter  "か": about a third of the records match;
//   NoMatch       "ぽぽぽ": nothing matches, but its lead byte is in every
//                 reading, so every candidate is really scanned;
//   EmptyText     "": every candidate matches and every line is formatted.
//
// The engine runs each case folded (the default) and exact; the folded rule
// has three more cases of its own, which the exact rule finds nothing for:
//   Variant       "竜ケ崎" in kanji mode on the city/district field, which
//                 finds 龍ケ崎市;
//   Katakana      "カワ" (reading mode, ward field);
//   Romaji        "kawa" (reading mode, ward field).
// Both find the lines that "かわ" (Hiragana) finds, which is what they are
// measured against.
// FoldIndex measures the one-time folding of the whole list; AllLines builds
// the line of every record of today's list (4453), Japanese and English.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "dict/program_places.h"
#include "search/engine.h"
#include "search/folded_index.h"
#include "search/result_line.h"

namespace {

using namespace orvetta;

const char kOneCharacter[] = "\x82\xa9";             // か
const char kNoMatch[] = "\x82\xdb\x82\xdb\x82\xdb";  // ぽぽぽ
const char kEmpty[] = "";
const char kVariant[] = "\x97\xb3\x83P\x8d\xe8";  // 竜ケ崎
const char kKatakana[] = "\x83J\x83\x8f";         // カワ
const char kRomaji[] = "kawa";
const char kHiragana[] = "\x82\xa9\x82\xed";  // かわ: the same hits, unfolded

void loadOnce() {
    static bool loaded = false;
    if (loaded) return;
    if (loadDictionary(gPlaces) != decodedDictionarySize()) std::abort();
    loaded = true;
}

// ----- baseline -----

struct Place {
    std::string number, kanji, reading;
    char kind, current;
};
struct Prefecture {
    std::string code, name;
};

struct Baseline {
    std::vector<Place> places;
    std::vector<Prefecture> prefectures;

    Baseline() {
        for (int i = 0; i < gPlaces.count(); ++i) {
            const PlaceRecord& r = gPlaces.records[i];
            places.push_back({r.number, r.kanji, r.reading, r.kind, r.current});
        }
        for (int row = 0; row < kPrefectureRows; ++row)
            prefectures.push_back({gPlaces.prefectureTable[row].code, gPlaces.prefectureTable[row].name});
    }

    std::string line(size_t i) const {
        const Place& p = places[i];
        size_t row = 47;
        for (size_t k = 0; k < 47; ++k)
            if (p.number.substr(0, 2) == prefectures[k].code) {
                row = k;
                break;
            }
        std::string marker = isCurrentForLine(p.current) ? "" : kOldMarker;
        if (p.kind == '4' || p.kind == '5' || (p.kind == '6' && row == 10))
            return p.number + "\t" + prefectures[row].name + p.kanji + "(" + p.reading + ")" + marker;
        std::string key = p.number.substr(0, p.kind == '6' ? 4 : 5);
        for (size_t j = i + 1; j-- > 0;)
            if (places[j].number == key)
                return p.number + "\t" + prefectures[row].name + places[j].kanji + "(" + places[j].reading + ")" +
                       p.kanji + "(" + p.reading + ")" + marker;
        return kNoMatchText;
    }

    int search(const std::string& text, std::vector<std::string>& results) const {
        int count = 0;
        for (size_t i = 0; i < places.size(); ++i) {
            const Place& p = places[i];
            if (p.kind != '6' && p.kind != '7' && p.kind != '8') continue;
            if (p.reading.find(text) == std::string::npos) continue;
            results.push_back(line(i));
            ++count;
        }
        return count;
    }
};

// ----- cases -----

void runEngine(benchmark::State& state, SearchRequest request) {
    loadOnce();
    ResultList results;
    runSearch(gPlaces, request, results);  // folds the list once, outside the timing
    int hits = 0;
    for (auto _ : state) {
        results.clear();
        hits = runSearch(gPlaces, request, results);
        benchmark::DoNotOptimize(results);
    }
    state.counters["hits"] = hits;
}

SearchRequest wardRequest(const char* text, bool exact) {
    SearchRequest request;
    request.searchMode = SearchMode::Reading;
    request.wardGiven = true;
    request.setWardText(text);
    request.exact = exact;
    return request;
}

void engineSearch(benchmark::State& state, const char* text) { runEngine(state, wardRequest(text, false)); }
void exactSearch(benchmark::State& state, const char* text) { runEngine(state, wardRequest(text, true)); }

void variantSearch(benchmark::State& state, bool exact) {
    SearchRequest request;
    request.cityGiven = true;
    request.setCityText(kVariant);
    request.exact = exact;
    runEngine(state, request);
}

void foldIndex(benchmark::State& state) {
    loadOnce();
    size_t bytes = 0;
    for (auto _ : state) {
        FoldedIndex index = buildFoldedIndex(gPlaces.records, gPlaces.count());
        bytes = index.bytes();
        benchmark::DoNotOptimize(index);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void allLines(benchmark::State& state, Language language) {
    static PlaceList today;
    if (!today.records && loadEditionList(today, kEditionCurrent) != kEditionCurrent.recordCount * kRecordSize)
        std::abort();
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (int i = 0; i < today.count(); ++i) bytes += std::strlen(resultLine(today, i, language));
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["lines"] = today.count();
    state.counters["bytes"] = static_cast<double>(bytes);
}

void baselineSearch(benchmark::State& state, const char* text) {
    loadOnce();
    const Baseline baseline;
    const std::string needle = text;
    std::vector<std::string> results;
    int hits = 0;
    for (auto _ : state) {
        results.clear();
        hits = baseline.search(needle, results);
        benchmark::DoNotOptimize(results);
    }
    state.counters["hits"] = hits;
}

BENCHMARK_CAPTURE(engineSearch, OneCharacter, kOneCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactSearch, OneCharacter, kOneCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(baselineSearch, OneCharacter, kOneCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, NoMatch, kNoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactSearch, NoMatch, kNoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(baselineSearch, NoMatch, kNoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, EmptyText, kEmpty)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactSearch, EmptyText, kEmpty)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(baselineSearch, EmptyText, kEmpty)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(variantSearch, Variant, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(variantSearch, VariantExact, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, Hiragana, kHiragana)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactSearch, Hiragana, kHiragana)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(baselineSearch, Hiragana, kHiragana)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, Katakana, kKatakana)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, Romaji, kRomaji)->Unit(benchmark::kMicrosecond);
BENCHMARK(foldIndex)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(allLines, Japanese, Language::Japanese)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(allLines, English, Language::English)->Unit(benchmark::kMicrosecond);

}  // namespace
