// Name-path searches over the whole dictionary in reading mode, each beside a
// straightforward baseline: the same fields held as std::string in a
// std::vector, matched with std::string::find, lines built by concatenation.
//
// Cases (ward/town/village field, 2767 candidate records):
//   OneCharacter  "か": about a third of the records match;
//   NoMatch       "ぽぽぽ": nothing matches, but its lead byte is in every
//                 reading, so every candidate is really scanned;
//   EmptyText     "": every candidate matches and every line is formatted.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "dict/program_places.h"
#include "search/engine.h"
#include "search/result_line.h"

namespace {

using namespace orvetta;

const char kOneCharacter[] = "\x82\xa9";                  // か
const char kNoMatch[] = "\x82\xdb\x82\xdb\x82\xdb";       // ぽぽぽ
const char kEmpty[] = "";

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

void engineSearch(benchmark::State& state, const char* text) {
    loadOnce();
    SearchRequest request;
    request.searchMode = SearchMode::Reading;
    request.wardGiven = true;
    request.setWardText(text);
    ResultList results;
    int hits = 0;
    for (auto _ : state) {
        results.clear();
        hits = runSearch(gPlaces, request, results);
        benchmark::DoNotOptimize(results);
    }
    state.counters["hits"] = hits;
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
BENCHMARK_CAPTURE(baselineSearch, OneCharacter, kOneCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, NoMatch, kNoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(baselineSearch, NoMatch, kNoMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(engineSearch, EmptyText, kEmpty)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(baselineSearch, EmptyText, kEmpty)->Unit(benchmark::kMicrosecond);

}  // namespace
