// Reports of the award check, shared by the command line and the Windows
// program: the default text report and the four TSV tables. All output is
// Shift-JIS with LF line ends; TSV tables have no header.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "log/award_check.h"

namespace orvetta {

// Japanese uses the place list's kanji; English JARL's romaji.
enum class ReportLanguage { Japanese, English };

const char* awardName(Award award);  // "JCC", "JCG", "KU", "WAJA"
// The award `name` names, in any case; false for any other word.
bool awardOfName(std::string_view name, Award& award);
const char* reasonName(Reason reason);  // "bad-record", "bad-date", "unknown", "not-yet", "ended", "pref-mismatch"

struct SummaryRow {
    Award award;
    int worked;     // numbers credited (deleted ones included)
    int confirmed;  // of those, confirmed
    int total;      // current numbers of the list; 47 for WAJA
};
std::array<SummaryRow, kAwardCount> summarize(const AwardCheck& check);

// Current numbers of each award not yet worked (or, with `confirmed`, not yet
// confirmed), by award then number; WAJA's are prefecture codes "01".."47".
std::vector<CreditKey> neededNumbers(const AwardCheck& check, bool confirmed);

// A credited or needed number's name: the place (a prefecture for WAJA).
std::string placeName(const AwardCheck& check, Award award, std::string_view number, ReportLanguage language);

// The one-line explanation of a problem contact.
std::string problemMessage(const AwardCheck& check, const Problem& problem, ReportLanguage language);

// Credits that rest only on JARL's "before" bounds.
int uncertainCredits(const AwardCheck& check);

// Where a report goes as it is written, a line or a few whole lines at a
// time, so a long list of problems is never held in memory.
using TextSink = std::function<void(std::string_view text)>;

// Summary, problem contacts, counts and notes. The streaming form returns
// false when the problems could not be read back (the report is cut short).
std::string writeReport(const AwardCheck& check, ReportLanguage language);
bool writeReport(const AwardCheck& check, ReportLanguage language, const TextSink& out);
// award, worked, confirmed, total: JCC, JCG, KU, WAJA.
std::string writeSummaryTsv(const AwardCheck& check);
// award, number, name, first date, first call, confirmed (0/1).
std::string writeCreditsTsv(const AwardCheck& check, ReportLanguage language);
// [file,] record, call, date, number, reason, message; the file only when
// more than one file was read.
std::string writeProblemsTsv(const AwardCheck& check, ReportLanguage language);
bool writeProblemsTsv(const AwardCheck& check, ReportLanguage language, const TextSink& out);
// award, number, name.
std::string writeNeededTsv(const AwardCheck& check, bool confirmed, ReportLanguage language);

// What an application to JARL lists: each credited number (with `confirmed`,
// each confirmed one) with the contact that proves it, the earliest confirmed
// contact that counts, else the earliest; by award then number.
// award, number, name, call, date, time, band, mode, confirmed (0/1).
std::string writeApplicationTsv(const AwardCheck& check, bool confirmed, ReportLanguage language);
// The same for one award as a printable list: a heading with the award, its
// counts and the place list's day, then a header row and aligned columns
// (Shift-JIS, so the text aligns on a fixed-width font). Lines end in
// `lineEnd`.
std::string writeApplicationList(const AwardCheck& check, Award award, bool confirmed, ReportLanguage language,
                                 std::string_view lineEnd);

}  // namespace orvetta
