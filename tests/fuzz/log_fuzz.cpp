// Fuzz target for the log readers: any bytes through the ADIF or the CSV
// reader, fed in pieces of any size, into the award check and every report.
//
// Input layout: byte 0 picks the reader (bit 0: CSV) and the piece size
// (bits 1-7: 1..127 bytes, 0 for all at once); the rest is the log. Records
// must come numbered 1, 2, 3 ... with offsets inside the log, and the reader
// must count exactly the records it handed on, no text of a record may hold a
// control character, and every record must read the same fed in one piece.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "log/award_check.h"
#include "log/award_report.h"
#include "log/log_reader.h"

namespace {

using namespace orvetta;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "log_fuzz: %s\n", what);
        std::abort();
    }
}

const AwardData& fuzzData() {
    static const AwardData data = [] {
        AwardData d;
        const auto add = [&](const char* number, NumberKind kind, bool current, const char* lastDay,
                             const char* endsBefore, const char* firstDay) {
            NumberFacts f;
            f.number = number;
            f.kind = kind;
            f.current = current;
            f.lastDay = lastDay;
            f.endsBefore = endsBefore;
            f.uncertainEnd = endsBefore[0] != '\0';
            f.firstDay = firstDay;
            f.kanji = number;
            f.successors = "1030 0101";
            d.numbers.push_back(f);
        };
        add("1017", NumberKind::Jcc, false, "2001-01-20", "", "");
        add("1030", NumberKind::Jcc, true, "", "", "2001-01-21");
        add("0101", NumberKind::Jcc, true, "", "", "");
        add("010101", NumberKind::Ku, true, "", "", "");
        add("010102", NumberKind::Ku, false, "", "1989-02-12", "");
        add("01001", NumberKind::Jcg, true, "", "", "");
        add("01001A", NumberKind::Town, false, "", "2005-10-11", "");
        add("09013", NumberKind::Jcg, false, "", "", "");
        return d;
    }();
    return data;
}

// A record's every field in one string.
std::string summary(const LogContact& c) {
    return std::to_string(c.record) + "@" + std::to_string(c.offset) + "/" + std::to_string(static_cast<int>(c.fault)) +
           "/" + std::to_string(c.columns) + "|" + c.call + "|" + c.date + "|" + c.writtenDate + "|" + c.number + "|" +
           c.band + "|" + c.mode + "|" + c.state + "|" + c.time + "|" + std::string(1, c.via) +
           (c.japanese ? "J" : "-") + (c.confirmed ? "Y" : "-");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const LogFormat format = data[0] & 1 ? LogFormat::Csv : LogFormat::Adif;
    const size_t piece = data[0] >> 1;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    // The same log read in one piece: what each record says must not depend
    // on where the buffer ends.
    std::vector<std::string> whole;
    MemorySource all(bytes);
    readLog(all, format, [&](const LogContact& contact) { whole.push_back(summary(contact)); });

    AwardCheck award(fuzzData());
    award.beginFile("a");
    long seen = 0;
    size_t at = 0;
    MemorySource source(bytes, piece == 0 ? bytes.size() : piece);
    const ReadResult result = readLog(source, format, [&](const LogContact& contact) {
        check(at < whole.size() && whole[at++] == summary(contact), "records differ with the pieces read");
        check(contact.record > seen, "records out of order");
        check(format == LogFormat::Csv || contact.record == seen + 1, "ADIF records not numbered 1, 2, 3 ...");
        check(contact.offset <= bytes.size(), "offset beyond the log");
        check(contact.number.size() <= kFieldLimit && contact.call.size() <= kFieldLimit, "field beyond its limit");
        for (const std::string* text : {&contact.call, &contact.writtenDate, &contact.number, &contact.band,
                                        &contact.mode, &contact.state, &contact.time})
            for (char c : *text) check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a control character kept");
        seen = contact.record;
        award.add(contact);
    });
    check(at == whole.size(), "records differ with the pieces read");
    check(!result.readError, "memory never fails");
    check(result.records == award.counts().records, "records counted and handed on differ");

    for (ReportLanguage language : {ReportLanguage::Japanese, ReportLanguage::English}) {
        writeReport(award, language);
        writeCreditsTsv(award, language);
        writeProblemsTsv(award, language);
        writeNeededTsv(award, true, language);
    }
    writeSummaryTsv(award);
    return 0;
}
