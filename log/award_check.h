// The award check: which contacts of a log count for JARL's awards JCC, JCG,
// KU (wards) and WAJA (prefectures), and which do not and why.
//
// Contacts arrive one at a time from the log readers; the check keeps one
// credit per awarded number and one entry per problem contact, nothing else.
// A number counts only if it was valid on the day of the contact.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "log/award_data.h"
#include "log/log_reader.h"

namespace orvetta {

// The awards, in report order.
enum class Award { Jcc, Jcg, Ku, Waja };
constexpr int kAwardCount = 4;
constexpr int kPrefectureCount = 47;

// Why a contact counts for nothing (or, for PrefMismatch, only a warning).
// A contact gets the first reason that applies, in this order.
enum class Reason {
    BadRecord,     // the record could not be read
    BadDate,       // no possible date
    Unknown,       // not a number of JARL's lists or of the place list
    NotYet,        // the number did not exist yet on that day
    Ended,         // the number no longer counted on that day
    PrefMismatch,  // STATE names another prefecture; the contact still counts
};

struct Problem {
    int file = 0;          // index into AwardCheck::files()
    long record = 0;       // 1-based in its file
    uint64_t offset = 0;   // byte offset of the record or its fault
    std::string call;
    std::string date;      // "YYYY-MM-DD", or the date as written when it is impossible
    std::string number;    // folded, as the log gives it
    Reason reason = Reason::BadRecord;
    RecordFault fault = RecordFault::None;  // BadRecord: what is wrong
    int columns = 0;                        // BadRecord of CSV: columns found
    const NumberFacts* facts = nullptr;     // the number's facts, where the data has them
    std::string state;                      // PrefMismatch: the STATE written
};

struct Credit {
    std::string firstDate;   // "YYYY-MM-DD" of the earliest valid contact
    std::string firstCall;   // its call; the first in file order on a tie
    bool confirmed = false;  // some crediting contact is confirmed
    bool uncertain = true;   // every crediting contact rests on a JARL "before" bound
};

using CreditKey = std::pair<Award, std::string>;  // award, number ("01".."47" for WAJA)

struct CheckCounts {
    long records = 0;        // records read, malformed ones included
    long japanese = 0;       // Japanese contacts that passed the band and mode filters
    long malformed = 0;      // bad-record and bad-date
    long withoutNumber = 0;  // Japanese contacts with no number: they credit nothing
    long csvContacts = 0;    // Japanese contacts read from HAMLOG CSV: worked only
    long filteredOut = 0;    // Japanese contacts of another band or mode
};

struct CheckOptions {
    std::string band;  // ADIF band name to keep ("40m"), any case; "" keeps all
    std::string mode;  // mode to keep ("CW"), any case; "" keeps all
};

// The outcome of one number on one day.
struct Validity {
    bool valid = false;
    Reason reason = Reason::Unknown;  // when not valid: Unknown, NotYet or Ended
    bool uncertain = false;           // valid only by JARL's "before" bound
    const NumberFacts* facts = nullptr;
};

class AwardCheck {
public:
    // `data` must outlive the check.
    explicit AwardCheck(const AwardData& data, CheckOptions options = {});

    // Names the file the following contacts come from (problems carry it).
    void beginFile(std::string name);
    // Takes one record from a reader.
    void add(const LogContact& contact);

    Validity validOn(std::string_view number, const std::string& day) const;
    const NumberFacts* find(std::string_view number) const;

    const AwardData& data() const { return data_; }
    const std::vector<std::string>& files() const { return files_; }
    const std::vector<Problem>& problems() const { return problems_; }
    const std::map<CreditKey, Credit>& credits() const { return credits_; }
    const CheckCounts& counts() const { return counts_; }
    // Current numbers of an award's list (47 for WAJA).
    int currentTotal(Award award) const;

private:
    void credit(Award award, const std::string& number, const LogContact& contact, bool uncertain);
    Problem problemOf(const LogContact& contact, Reason reason) const;

    const AwardData& data_;
    CheckOptions options_;
    std::unordered_map<std::string_view, const NumberFacts*> index_;
    std::vector<std::string> files_;
    std::vector<Problem> problems_;
    std::map<CreditKey, Credit> credits_;
    CheckCounts counts_;
};

// Reads the log file `utf8Name` into `check` (format by name, else by
// content); its problems name it as `shownName` (Shift-JIS). Returns kLogRead,
// kLogCannotOpen (nothing read), kLogReadError (what came before the failure
// was read and counts) or kLogNotALog: the file has records but not one of
// them could be read, so it is neither an ADIF log nor a HAMLOG CSV (its
// records were counted as malformed).
constexpr int kLogRead = 0;
constexpr int kLogCannotOpen = 1;
constexpr int kLogReadError = 2;
constexpr int kLogNotALog = 3;
int checkLogFile(AwardCheck& check, const std::string& utf8Name, const std::string& shownName);

}  // namespace orvetta
