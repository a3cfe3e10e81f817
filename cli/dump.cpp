// dump: the record array and both region tables after the merge.
#include "cli/command.h"
#include "cli/load.h"
#include "cli/output.h"
#include "dict/place.h"

namespace orvetta::cli {
namespace {

void dumpPlaces(const PlaceList& places, bool sjis) {
    Output out(sjis);
    out.write("index\tnumber\tkanji\treading\tkind\tcurrent\n");
    for (int i = 0; i < places.count(); ++i) {
        const PlaceRecord& r = places.records[i];
        out.number(i);
        out.tab();
        out.field(r.number, sizeof r.number);
        out.tab();
        out.field(r.kanji, sizeof r.kanji);
        out.tab();
        out.field(r.reading, sizeof r.reading);
        out.tab();
        out.write(&r.kind, 1);
        out.tab();
        out.write(&r.current, 1);
        out.endLine();
    }
    out.write("\nrow\tcode\tname\tarea\tfirst\tlast\n");
    for (int row = 0; row < kPrefectureRows; ++row) {
        const PrefectureRow& p = places.prefectureTable[row];
        out.number(row);
        out.tab();
        out.field(p.code, sizeof p.code);
        out.tab();
        out.field(p.name, sizeof p.name);
        out.tab();
        out.field(p.area, sizeof p.area);
        out.tab();
        out.number(p.first);
        out.tab();
        out.number(p.last);
        out.endLine();
    }
    out.write("\nrow\tfirst\tlast\n");
    for (int row = 0; row < kAreaRows; ++row) {
        out.number(row);
        out.tab();
        out.number(places.areaTable[row].first);
        out.tab();
        out.number(places.areaTable[row].last);
        out.endLine();
    }
}

}  // namespace

int runDump(const Options& options, const Edition& edition) {
    PlaceList places;
    if (const int status = loadPlaces(options, edition, places); status != kExitFound) return status;
    dumpPlaces(places, options.sjis);
    releaseDictionary(places);
    return kExitFound;
}

}  // namespace orvetta::cli
