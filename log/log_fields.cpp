#include "log/log_fields.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "dict/date.h"
#include "text/sjis.h"

namespace orvetta {

namespace {

// "YYYY-MM-DD" from its parts (dict's calendarDate), "" when no such day
// exists; the answer for the last day asked is remembered in `memo`.
std::string dayOf(uint64_t year, uint64_t month, uint64_t day, DayMemo* memo) {
    if (year > 9999 || month > 99 || day > 99) return "";
    const uint64_t key = year * 10000 + month * 100 + day;
    if (memo && memo->day == key) return memo->text;
    std::string text = calendarDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (memo) {
        memo->day = key;
        memo->text = text;
    }
    return text;
}

// "HH:MM" from two pairs of digits, "" when they name no time of day.
std::string clockTime(std::string_view hours, std::string_view minutes) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (hours.size() != 2 || minutes.size() != 2 || !digit(hours[0]) || !digit(hours[1]) || !digit(minutes[0]) ||
        !digit(minutes[1]) || (hours[0] - '0') * 10 + (hours[1] - '0') > 23 || minutes[0] > '5')
        return "";
    const char text[5] = {hours[0], hours[1], ':', minutes[0], minutes[1]};
    return std::string(text, 5);
}

// ADIF band names by frequency range in MHz, both ends included (the ADIF
// band enumeration).
struct BandRange {
    double lowerMhz;
    double upperMhz;
    const char* band;
};
constexpr BandRange kAdifBands[] = {
    {0.1357, 0.1378, "2190m"},   {0.472, 0.479, "630m"},      {0.501, 0.504, "560m"},
    {1.8, 2.0, "160m"},          {3.5, 4.0, "80m"},           {5.06, 5.45, "60m"},
    {7.0, 7.3, "40m"},           {10.1, 10.15, "30m"},        {14.0, 14.35, "20m"},
    {18.068, 18.168, "17m"},     {21.0, 21.45, "15m"},        {24.890, 24.99, "12m"},
    {28.0, 29.7, "10m"},         {40.0, 45.0, "8m"},          {50.0, 54.0, "6m"},
    {54.000001, 69.9, "5m"},     {70.0, 71.0, "4m"},          {144.0, 148.0, "2m"},
    {222.0, 225.0, "1.25m"},     {420.0, 450.0, "70cm"},      {902.0, 928.0, "33cm"},
    {1240.0, 1300.0, "23cm"},    {2300.0, 2450.0, "13cm"},    {3300.0, 3500.0, "9cm"},
    {5650.0, 5925.0, "6cm"},     {10000.0, 10500.0, "3cm"},   {24000.0, 24250.0, "1.25cm"},
    {47000.0, 47200.0, "6mm"},   {75500.0, 81000.0, "4mm"},   {119980.0, 123000.0, "2.5mm"},
    {134000.0, 149000.0, "2mm"}, {241000.0, 250000.0, "1mm"}, {300000.0, 7500000.0, "submm"},
};

// Band figures HAMLOG writes that lie outside the ADIF range of their band.
struct BandFigure {
    double mhz;
    const char* band;
};
constexpr BandFigure kHamlogBandFigures[] = {
    {10.0, "30m"},     // "10": the 10 MHz band, 10.1-10.15
    {18.0, "17m"},     // "18": 18.068-18.168
    {24.0, "12m"},     // "24": 24.89-24.99
    {1200.0, "23cm"},  // "1200": 1240-1300
    {5600.0, "6cm"},   // "5600": 5650-5925
    {75000.0, "4mm"},  // "75G": 75.5-81 GHz
};

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool decimalValue(std::string_view digits, uint64_t& value) {
    if (!allDigits(digits)) return false;
    value = 0;
    for (char c : digits) {
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > UINT64_MAX / 10 || (value == UINT64_MAX / 10 && digit > UINT64_MAX % 10)) return false;
        value = value * 10 + digit;
    }
    return true;
}

std::string adifDate(std::string_view text, DayMemo* memo) {
    text = trimBlanks(text);
    if (text.size() != 8) return "";
    uint64_t digits = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return "";
        digits = digits * 10 + static_cast<uint64_t>(c - '0');
    }
    return dayOf(digits / 10000, digits / 100 % 100, digits % 100, memo);
}

bool readHamlogDate(std::string_view text, std::string& day, DayMemo* memo) {
    text = trimBlanks(text);
    // Three runs of digits split by "/": their values and lengths.
    uint64_t part[3] = {0, 0, 0};
    size_t digits[3] = {0, 0, 0}, at = 0;
    for (char c : text) {
        if (c == '/') {
            if (++at == 3) return false;
        } else if (c >= '0' && c <= '9' && digits[at] < 4) {
            part[at] = part[at] * 10 + static_cast<uint64_t>(c - '0');
            ++digits[at];
        } else {
            return false;
        }
    }
    if (at != 2 || (digits[0] != 2 && digits[0] != 4) || digits[1] == 0 || digits[1] > 2 || digits[2] == 0 ||
        digits[2] > 2)
        return false;
    if (digits[0] == 2) part[0] += part[0] >= 50 ? 1900 : 2000;
    day = dayOf(part[0], part[1], part[2], memo);
    return true;
}

std::string adifTime(std::string_view text) {
    text = trimBlanks(text);
    if ((text.size() != 4 && text.size() != 6) || !allDigits(text)) return "";
    return clockTime(text.substr(0, 2), text.substr(2, 2));
}

std::string hamlogTime(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && upperAscii(text.back()) >= 'A' && upperAscii(text.back()) <= 'Z') text.remove_suffix(1);
    if (text.size() != 5 || text[2] != ':') return "";
    return clockTime(text.substr(0, 2), text.substr(3, 2));
}

std::string foldNumberText(std::string_view text) {
    text = trimBlanks(text);
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string ascii(text);
        for (char& c : ascii) c = upperAscii(c);
        return ascii;
    }
    std::string out;
    const char* const end = text.data() + text.size();
    for (const char* p = text.data(); p < end;) {
        const SjisChar c = sjisCharAt(p, end);
        if (c.length == 1) {
            out += upperAscii(*p++);
            continue;
        }
        // Full width: digits 82 4F-58, A-Z 82 60-79, a-z 82 81-9A.
        const auto lead = static_cast<unsigned char>(p[0]), trail = static_cast<unsigned char>(p[1]);
        char folded = 0;
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
            folded = static_cast<char>('0' + trail - 0x4F);
        else if (lead == 0x82 && trail >= 0x60 && trail <= 0x79)
            folded = static_cast<char>('A' + trail - 0x60);
        else if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A)
            folded = static_cast<char>('A' + trail - 0x81);
        if (folded)
            out += folded;
        else
            out.append(p, 2);
        p += 2;
    }
    return std::string(trimBlanks(out));
}

std::string bandOfFrequency(std::string_view text) {
    const std::string folded = foldNumberText(text);
    std::string_view digits = folded;
    double scale = 1.0;  // to MHz
    if (!digits.empty() && (digits.back() == 'G' || digits.back() == 'M' || digits.back() == 'K')) {
        scale = digits.back() == 'G' ? 1000.0 : digits.back() == 'K' ? 0.001 : 1.0;
        digits.remove_suffix(1);
    }
    const size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == digits.npos ? std::string_view() : digits.substr(point + 1);
    if ((!whole.empty() && !allDigits(whole)) || (!fraction.empty() && !allDigits(fraction)) ||
        whole.size() + fraction.size() == 0 || whole.size() > 9 || fraction.size() > 9)
        return "";
    // The value in billionths, exactly (at most 18 digits), without the
    // locale a library conversion would follow.
    uint64_t units = 0;
    if (!whole.empty()) decimalValue(whole, units);
    for (size_t k = 0; k < 9; ++k)
        units = units * 10 + (k < fraction.size() ? static_cast<uint64_t>(fraction[k] - '0') : 0);
    const double mhz = static_cast<double>(units) / 1e9 * scale;
    for (const BandRange& range : kAdifBands)
        if (mhz >= range.lowerMhz && mhz <= range.upperMhz) return range.band;
    for (const BandFigure& figure : kHamlogBandFigures)
        if (std::fabs(mhz - figure.mhz) < 1e-9) return figure.band;
    return "";
}

const std::string& BandCache::bandOf(std::string_view text) {
    for (size_t k = 0; k < size_; ++k)
        if (entries_[k].text == text) return entries_[k].band;
    Entry& entry = entries_[size_ < kEntries ? size_++ : next_++ % kEntries];
    entry.text.assign(text);
    entry.band = bandOfFrequency(text);
    return entry.band;
}

bool isAdifBand(std::string_view name) {
    return std::any_of(std::begin(kAdifBands), std::end(kAdifBands),
                       [&](const BandRange& range) { return equalsIgnoringCase(name, range.band); });
}

bool hasJapanesePrefix(std::string_view call) {
    call = trimBlanks(call);
    if (call.size() < 2) return false;
    const char first = upperAscii(call[0]), second = upperAscii(call[1]);
    if (first == 'J') return second >= 'A' && second <= 'S';
    if (first == '7' || first == '8') return second >= 'J' && second <= 'N';
    return false;
}

void safeFieldText(std::string_view value, bool mayBeUtf8, std::string& out) {
    value = trimBlanks(value);
    bool plain = true;  // printable ASCII only: nothing to do
    for (char c : value) plain = plain && c >= 0x20 && c < 0x7F;
    if (plain) {
        out.assign(value);
        return;
    }
    std::string converted;
    if (mayBeUtf8 && sjisFromUtf8Substituting(value, kMissingCharacter, converted)) value = converted;
    out.clear();
    const char* const end = value.data() + value.size();
    for (const char* p = value.data(); p < end;) {
        const SjisChar c = sjisCharAt(p, end);
        const std::string_view shown = !c.whole                                    ? kMissingCharacter
                                       : isControl(static_cast<unsigned char>(*p)) ? std::string_view()
                                                                                   : std::string_view(p, c.length);
        if (out.size() + shown.size() > kFieldLimit) break;
        out.append(shown);
        p += c.length;
    }
    const std::string_view trimmed = trimBlanks(out);
    const size_t from = static_cast<size_t>(trimmed.data() - out.data());
    out.erase(from + trimmed.size());
    out.erase(0, from);
}

}  // namespace orvetta
