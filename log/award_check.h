// The award check: which contacts of a log count for JARL's awards JCC, JCG,
// KU (wards) and WAJA (prefectures), and which do not and why.
//
// Contacts arrive one at a time from the log readers; the check keeps one
// credit per awarded number and the problem contacts (mostly on disk, see
// ProblemList), nothing else.
// A number counts only if it was valid on the day of the contact.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "log/award_data.h"
#include "log/log_reader.h"
#include "log/problem_list.h"

namespace orvetta {

// The awards, in report order.
enum class Award { Jcc, Jcg, Ku, Waja };
constexpr int kAwardCount = 4;
constexpr int kPrefectureCount = 47;

// A contact as a credit keeps it: what an application list names.
struct CreditContact {
    std::string date;  // "YYYY-MM-DD"
    std::string time;  // "HH:MM" as the log writes it; "" when it has none
    std::string call;
    std::string band;  // ADIF band name, "" when unknown
    std::string mode;
};

struct Credit {
    CreditContact first;           // the earliest contact that counts; the first in file order on a tie
    CreditContact firstConfirmed;  // the earliest confirmed one; its date is "" while none is
    bool confirmed = false;        // some crediting contact is confirmed
    bool uncertain = true;         // every crediting contact rests on a JARL "before" bound

    // The contact that proves the number: the earliest confirmed one, else the earliest.
    const CreditContact& proof() const { return confirmed ? firstConfirmed : first; }
};

using CreditKey = std::pair<Award, std::string>;  // award, number ("01".."47" for WAJA)

struct CheckCounts {
    long records = 0;        // records read, malformed ones included
    long japanese = 0;       // Japanese contacts that passed the band and mode filters
    long malformed = 0;      // bad-record and bad-date
    long withoutNumber = 0;  // Japanese contacts with no number: they credit nothing
    long skippedVia = 0;     // Japanese contacts left out by their QSL via mark (CheckOptions::skipVia)
    long filteredOut = 0;    // Japanese contacts of another band or mode
};

struct CheckOptions {
    std::string band;     // ADIF band name to keep ("40m"), any case; "" keeps all
    std::string mode;     // mode to keep ("CW"), any case; "" keeps all
    std::string skipVia;  // HAMLOG QSL via marks whose contacts count for nothing, as written
};

// The outcome of one number on one day.
struct Validity {
    bool valid = false;
    Reason reason = Reason::Unknown;  // when not valid: Unknown, NotYet or Ended
    bool uncertain = false;           // valid only by JARL's "before" bound
    const NumberFacts* facts = nullptr;
    NumberKind kind = NumberKind::Jcc;  // facts->kind, from the index without reading the record
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
    const ProblemList& problems() const { return problems_; }
    const std::map<CreditKey, Credit>& credits() const { return credits_; }
    const CheckCounts& counts() const { return counts_; }
    // Current numbers of an award's list (47 for WAJA).
    int currentTotal(Award award) const;

private:
    void credit(Award award, const NumberFacts* facts, int prefecture, const LogContact& contact, bool uncertain);
    Problem problemOf(const LogContact& contact, Reason reason) const;

    // One number of the index: its bytes packed in a word, and what validOn
    // needs of it, so a lookup and its day test read one 24-byte slot
    // instead of a hash node and the strings of a NumberFacts record.
    struct Slot {
        uint64_t key = 0;  // packed number (packNumber); 0: empty slot
        int32_t firstDay = kNoDay;
        int32_t lastDay = kNoDay;
        int32_t endsBefore = kNoDay;
        uint32_t info = 0;  // index in data_.numbers << 8 | kind << 4 | kSlot* flags
    };
    static constexpr int32_t kNoDay = INT32_MIN;  // a day the facts do not give: every test against it fails
    static constexpr uint32_t kSlotCurrent = 1;
    static constexpr uint32_t kSlotUncertainEnd = 2;
    static constexpr uint32_t kSlotReserved = 4;  // a JARL number that never counted
    static constexpr uint32_t kSlotByText = 8;    // a day of the facts is not YYYY-MM-DD: compared as text

    // `number` as a nonzero word: up to 7 bytes and its length; 0 when longer.
    static uint64_t packNumber(std::string_view number);
    const Slot* findSlot(uint64_t key) const;
    const NumberFacts* findFacts(std::string_view number) const;
    Validity validOnDay(std::string_view number, int32_t day, const std::string& text) const;

    const AwardData& data_;
    CheckOptions options_;
    // Open addressing with linear probing; a power of two at most half full.
    std::vector<Slot> slots_;
    uint64_t slotMask_ = 0;
    // Numbers too long to pack (none in JARL's lists), looked up by text.
    std::unordered_map<std::string_view, const NumberFacts*> longNumbers_;
    // Each credit once found: by the index of its number in data_.numbers
    // (a number credits only its own award), and by prefecture for WAJA.
    std::vector<Credit*> creditOfNumber_;
    std::array<Credit*, kPrefectureCount> creditOfPrefecture_{};
    std::vector<std::string> files_;
    ProblemList problems_;
    std::map<CreditKey, Credit> credits_;
    CheckCounts counts_;
};

// Reads the log file `utf8Name` into `check` (format by name, else by
// content); its problems name it as `shownName` (Shift-JIS). Returns kLogRead,
// kLogCannotOpen (nothing read), kLogReadError (what came before the failure
// was read and counts) or kLogNotALog: the file has records but not one of
// them could be read, so it is neither an ADIF log nor a HAMLOG CSV (its
// records were counted as malformed); kLogUtf16: the file is UTF-16 text
// (nothing read); kLogNotHamlog: a CSV none of whose lines has a HAMLOG date;
// kLogNotAdif: a file taken for ADIF that holds no field, <EOH> or <EOR>.
constexpr int kLogRead = 0;
constexpr int kLogCannotOpen = 1;
constexpr int kLogReadError = 2;
constexpr int kLogNotALog = 3;
constexpr int kLogUtf16 = 4;
constexpr int kLogNotHamlog = 5;
constexpr int kLogNotAdif = 6;
int checkLogFile(AwardCheck& check, const std::string& utf8Name, const std::string& shownName);

}  // namespace orvetta
