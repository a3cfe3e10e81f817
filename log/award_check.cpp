#include "log/award_check.h"

#include <algorithm>
#include <memory>

#include "dict/place.h"

namespace orvetta {

namespace {

bool isJarlNumber(NumberKind kind) { return kind != NumberKind::Town; }

// The prefecture an ADIF STATE names: one or two digits; 0 for anything else.
int prefectureOfState(std::string_view state) {
    if (state.empty() || state.size() > 2 ||
        !std::all_of(state.begin(), state.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int code = state.size() == 1 ? state[0] - '0' : (state[0] - '0') * 10 + (state[1] - '0');
    return code >= 1 && code <= kPrefectureCount ? code : 0;
}

// Whether `contact` came before `known`: by day, then by time where both
// have one; otherwise the one read first stays.
bool earlier(const LogContact& contact, const CreditContact& known) {
    if (contact.date != known.date) return contact.date < known.date;
    return !contact.time.empty() && !known.time.empty() && contact.time < known.time;
}

void keep(CreditContact& into, const LogContact& contact) {
    into.date = contact.date;
    into.time = contact.time;
    into.call = contact.call;
    into.band = contact.band;
    into.mode = contact.mode;
}

std::string twoDigits(int code) { return {static_cast<char>('0' + code / 10), static_cast<char>('0' + code % 10)}; }

// A day "YYYY-MM-DD" as the number YYYYMMDD, which orders as the text
// does; kNoDay for "" and anything else.
int32_t packedDay(std::string_view day) {
    if (day.size() != 10 || day[4] != '-' || day[7] != '-') return INT32_MIN;
    int32_t value = 0;
    for (size_t i = 0; i < day.size(); ++i) {
        if (i == 4 || i == 7) continue;
        if (day[i] < '0' || day[i] > '9') return INT32_MIN;
        value = value * 10 + (day[i] - '0');
    }
    return value;
}

// The validity of `f` on `day`, comparing the days as text.
Validity validByText(const NumberFacts& f, std::string_view day) {
    Validity v;
    v.facts = &f;
    v.kind = f.kind;
    const bool hasEnd = !f.lastDay.empty() || !f.endsBefore.empty();
    if (!f.current && !hasEnd && isJarlNumber(f.kind)) return v;  // reserved: never counted
    if (!f.firstDay.empty() && day < f.firstDay) {
        v.reason = Reason::NotYet;
        return v;
    }
    if (f.current || (!f.lastDay.empty() && day <= f.lastDay)) {
        v.valid = true;
    } else if (!f.endsBefore.empty() && day < f.endsBefore) {
        v.valid = true;
        v.uncertain = f.uncertainEnd;
    } else {
        v.reason = Reason::Ended;
    }
    return v;
}

}  // namespace

uint64_t AwardCheck::packNumber(std::string_view number) {
    if (number.size() > 7) return 0;
    uint64_t key = static_cast<uint64_t>(number.size() + 1) << 56;
    for (size_t i = 0; i < number.size(); ++i)
        key |= static_cast<uint64_t>(static_cast<unsigned char>(number[i])) << (8 * i);
    return key;
}

AwardCheck::AwardCheck(const AwardData& data, CheckOptions options)
    : data_(data), options_(std::move(options)), creditOfNumber_(data.numbers.size(), nullptr) {
    size_t size = 16;
    while (size < 2 * data_.numbers.size()) size *= 2;
    slots_.resize(size);
    slotMask_ = size - 1;
    // Days are compared as numbers only when every day of a record is a
    // well-formed one; any other record keeps the comparison of its texts.
    const auto day = [](const std::string& text, uint32_t& info) {
        if (text.empty()) return kNoDay;
        const int32_t packed = packedDay(text);
        if (packed == INT32_MIN) info |= kSlotByText;
        return packed;
    };
    for (size_t i = 0; i < data_.numbers.size(); ++i) {
        const NumberFacts& f = data_.numbers[i];
        const uint64_t key = packNumber(f.number);
        if (key == 0 || i >= (1u << 24)) {
            longNumbers_.emplace(f.number, &f);
            continue;
        }
        Slot* slot = &slots_[(key * 0x9E3779B97F4A7C15u >> 40) & slotMask_];
        while (slot->key != 0 && slot->key != key)
            slot = &slots_[static_cast<size_t>(slot - slots_.data() + 1) & slotMask_];
        if (slot->key == key) continue;  // the first record of a number is the one found
        uint32_t info = static_cast<uint32_t>(i) << 8 | static_cast<uint32_t>(f.kind) << 4;
        slot->key = key;
        slot->firstDay = day(f.firstDay, info);
        slot->lastDay = day(f.lastDay, info);
        slot->endsBefore = day(f.endsBefore, info);
        const bool hasEnd = !f.lastDay.empty() || !f.endsBefore.empty();
        if (f.current) info |= kSlotCurrent;
        if (f.uncertainEnd) info |= kSlotUncertainEnd;
        if (!f.current && !hasEnd && isJarlNumber(f.kind)) info |= kSlotReserved;
        slot->info = info;
    }
}

const AwardCheck::Slot* AwardCheck::findSlot(uint64_t key) const {
    size_t at = (key * 0x9E3779B97F4A7C15u >> 40) & slotMask_;
    for (;; at = (at + 1) & slotMask_) {
        const Slot& slot = slots_[at];
        if (slot.key == key) return &slot;
        if (slot.key == 0) return nullptr;
    }
}

const NumberFacts* AwardCheck::findFacts(std::string_view number) const {
    const uint64_t key = packNumber(number);
    if (key == 0) {
        const auto it = longNumbers_.find(number);
        return it == longNumbers_.end() ? nullptr : it->second;
    }
    const Slot* slot = findSlot(key);
    return slot ? &data_.numbers[slot->info >> 8] : nullptr;
}

const NumberFacts* AwardCheck::find(std::string_view number) const { return findFacts(number); }

Validity AwardCheck::validOn(std::string_view number, const std::string& day) const {
    return validOnDay(number, packedDay(day), day);
}

// `day` is `text` packed (kNoDay when it is not YYYY-MM-DD).
Validity AwardCheck::validOnDay(std::string_view number, int32_t day, const std::string& text) const {
    const uint64_t key = packNumber(number);
    const Slot* slot = key != 0 ? findSlot(key) : nullptr;
    if (key != 0 && !slot) return {};
    if (!slot || day == kNoDay || (slot->info & kSlotByText)) {
        const NumberFacts* f = slot ? &data_.numbers[slot->info >> 8] : findFacts(number);
        if (!f) return {};
        return validByText(*f, text);
    }
    Validity v;
    const uint32_t info = slot->info;
    v.facts = &data_.numbers[info >> 8];
    v.kind = static_cast<NumberKind>(info >> 4 & 3);
    if (info & kSlotReserved) return v;
    if (day < slot->firstDay) {
        v.reason = Reason::NotYet;
    } else if ((info & kSlotCurrent) || day <= slot->lastDay) {
        v.valid = true;
    } else if (day < slot->endsBefore) {
        v.valid = true;
        v.uncertain = (info & kSlotUncertainEnd) != 0;
    } else {
        v.reason = Reason::Ended;
    }
    return v;
}

int AwardCheck::currentTotal(Award award) const {
    if (award == Award::Waja) return kPrefectureCount;
    const NumberKind kind = award == Award::Jcc   ? NumberKind::Jcc
                            : award == Award::Jcg ? NumberKind::Jcg
                                                  : NumberKind::Ku;
    return static_cast<int>(std::count_if(data_.numbers.begin(), data_.numbers.end(),
                                          [&](const NumberFacts& f) { return f.kind == kind && f.current; }));
}

void AwardCheck::beginFile(std::string name) { files_.push_back(std::move(name)); }

Problem AwardCheck::problemOf(const LogContact& contact, Reason reason) const {
    Problem p;
    p.file = files_.empty() ? 0 : static_cast<int>(files_.size()) - 1;
    p.record = contact.record;
    p.offset = contact.offset;
    p.call = contact.call;
    p.date = contact.date.empty() ? contact.writtenDate : contact.date;
    p.number = contact.number;
    p.reason = reason;
    p.fault = contact.fault;
    p.columns = contact.columns;
    return p;
}

void AwardCheck::add(const LogContact& contact) {
    ++counts_.records;
    if (contact.fault != RecordFault::None) {
        ++counts_.malformed;
        problems_.push_back(problemOf(contact, Reason::BadRecord));
        return;
    }
    if (!contact.japanese) return;
    if ((!options_.band.empty() && !equalsIgnoringCase(contact.band, options_.band)) ||
        (!options_.mode.empty() && !equalsIgnoringCase(contact.mode, options_.mode))) {
        ++counts_.filteredOut;
        return;
    }
    ++counts_.japanese;
    if (contact.date.empty()) {
        ++counts_.malformed;
        problems_.push_back(problemOf(contact, Reason::BadDate));
        return;
    }
    // A via mark the user keeps out of the awards (HAMLOG's QSL column).
    if (contact.via != 0 && options_.skipVia.find(contact.via) != std::string::npos) {
        ++counts_.skippedVia;
        return;
    }
    const int stated = prefectureOfState(contact.state);
    if (contact.number.empty()) {
        // A prefecture without a number (LoTW asks for the prefecture, the
        // city only optionally) still proves the prefecture.
        if (stated != 0)
            credit(Award::Waja, nullptr, stated, contact, false);
        else
            ++counts_.withoutNumber;
        return;
    }

    const Validity v = validOn(contact.number, contact.date);
    if (!v.valid) {
        Problem p = problemOf(contact, v.reason);
        p.facts = v.facts;
        problems_.push_back(p);
        return;
    }
    // The contact's number is the found record's, byte for byte; the kinds
    // come with the validity, so the records themselves are not read here.
    const std::string_view number = contact.number;
    switch (v.kind) {
    case NumberKind::Jcc: {
        // One of Tokyo's wards counts as the city-level number above it
        // (1001) while that number counted, up to JARL's last day of it.
        if (number.size() == 6) {
            const Validity city = validOn(number.substr(0, 4), contact.date);
            if (city.valid && city.kind == NumberKind::Jcc) {
                credit(Award::Jcc, city.facts, 0, contact, v.uncertain || city.uncertain);
                break;
            }
        }
        credit(Award::Jcc, v.facts, 0, contact, v.uncertain);
        break;
    }
    case NumberKind::Jcg: credit(Award::Jcg, v.facts, 0, contact, v.uncertain); break;
    case NumberKind::Ku: {
        // A ward also counts for its city, when the city counted that day.
        credit(Award::Ku, v.facts, 0, contact, v.uncertain);
        const Validity city = validOn(number.substr(0, 4), contact.date);
        if (city.valid && city.kind == NumberKind::Jcc)
            credit(Award::Jcc, city.facts, 0, contact, v.uncertain || city.uncertain);
        break;
    }
    case NumberKind::Town: {
        // A town or village counts for its district, when the district counted that day.
        const Validity district = validOn(number.substr(0, 5), contact.date);
        if (district.valid && district.kind == NumberKind::Jcg)
            credit(Award::Jcg, district.facts, 0, contact, v.uncertain || district.uncertain);
        break;
    }
    }
    const int prefecture = prefectureCodeOf(number);
    if (prefecture != 0) credit(Award::Waja, nullptr, prefecture, contact, v.uncertain);

    if (stated != 0 && stated != prefecture) {
        Problem p = problemOf(contact, Reason::PrefMismatch);
        p.facts = v.facts;
        p.state = contact.state;
        problems_.push_back(p);
    }
}

// The credit of `facts` for `award`, or of prefecture `prefecture` for WAJA.
void AwardCheck::credit(Award award, const NumberFacts* facts, int prefecture, const LogContact& contact,
                        bool uncertain) {
    Credit*& known = facts ? creditOfNumber_[static_cast<size_t>(facts - data_.numbers.data())]
                           : creditOfPrefecture_[static_cast<size_t>(prefecture - 1)];
    const bool added = known == nullptr;
    if (added) known = &credits_[CreditKey(award, facts ? facts->number : twoDigits(prefecture))];
    Credit& c = *known;
    if (added || earlier(contact, c.first)) keep(c.first, contact);
    if (contact.confirmed && (!c.confirmed || earlier(contact, c.firstConfirmed))) keep(c.firstConfirmed, contact);
    c.confirmed = c.confirmed || contact.confirmed;
    c.uncertain = c.uncertain && uncertain;
}

int checkLogFile(AwardCheck& check, const std::string& utf8Name, const std::string& shownName) {
    std::unique_ptr<LogSource> source = openLogFile(utf8Name);
    if (!source) return kLogCannotOpen;
    check.beginFile(shownName);
    long readable = 0;
    const ReadResult result = readLogChoosingFormat(*source, utf8Name, [&](const LogContact& contact) {
        if (contact.fault == RecordFault::None) ++readable;
        check.add(contact);
    });
    if (result.utf16) return kLogUtf16;
    if (result.readError) return kLogReadError;
    if (result.notHamlog) return kLogNotHamlog;
    if (result.notAdif) return kLogNotAdif;
    return result.records > 0 && readable == 0 ? kLogNotALog : kLogRead;
}

}  // namespace orvetta
