#include "log/award_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "dict/place.h"

namespace orvetta {

namespace {

struct ReportTexts {
    const char* title;
    const char* summaryHeader;
    const char* problemsHeading;
    const char* recordLabel;
    const char* malformed;
    const char* withoutNumber;
    const char* filteredOut;
    const char* uncertain;
    const char* skippedVia;
    const char* authorityNote;
    const char* lengthPastEnd;
    const char* badLength;
    const char* notEnded;
    const char* tooFewColumns;
    const char* quoteNotClosed;
    const char* lengthPastRecord;
    const char* noHamlogDate;
    const char* badDate;
    const char* unknown;
    const char* reserved;
    const char* notYet;
    const char* endedLast;
    const char* endedBefore;
    const char* endedOn;
    const char* endedUndated;
    const char* successor;
    const char* listSeparator;
    const char* atOffset;
    const char* prefMismatch;
    // The printable application list.
    const char* listTitle;
    const char* listCounts;
    std::array<const char*, 8> listHeader;  // number name call date time band mode QSL
    const char* listConfirmed;
    const char* listNotConfirmed;
};

constexpr ReportTexts kJapaneseTexts = {
    .title =
        "JARL \x83\x41\x83\x8f\x81[\x83h\x8fW\x8cv(\x8bL\x98^ %ld \x8c\x8f\x81\x41\x93\xfa\x96{\x8b\xc7\x82\xc6\x82\xcc\x8c\xf0\x90M %ld \x8c\x8f)",  // JARL アワード集計(記録 %ld 件、日本局との交信 %ld 件)
    .summaryHeader =
        "\x8f\xdc\t\x8c\xf0\x90M\x8d\xcf\tQSL\x8am\x94\x46\x8d\xcf\t\x8c\xbb\x91\xb6\x90\x94",  // 賞\t交信済\tQSL確認済\t現存数
    .problemsHeading = "\x96\xe2\x91\xe8\x82\xcc\x82\xa0\x82\xe9\x8c\xf0\x90M: %ld \x8c\x8f",  // 問題のある交信: %ld 件
    .recordLabel = "\x8bL\x98^ %ld",                                                           // 記録 %ld
    .malformed =
        "\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x8bL\x98^\x81\x45\x82\xa0\x82\xe8\x82\xa6\x82\xc8\x82\xa2\x93\xfa\x95t: %ld \x8c\x8f",  // 読めない記録・ありえない日付: %ld 件
    .withoutNumber =
        "\x94\xd4\x8d\x86\x82\xcc\x82\xc8\x82\xa2\x93\xfa\x96{\x8b\xc7\x82\xc6\x82\xcc\x8c\xf0\x90M(\x90\x94\x82\xa6\x82\xdc\x82\xb9\x82\xf1): %ld \x8c\x8f",  // 番号のない日本局との交信(数えません): %ld 件
    .filteredOut =
        "\x83o\x83\x93\x83h\x81\x45\x83\x82\x81[\x83h\x82\xcc\x8f\xf0\x8c\x8f\x82\xc5\x8f\x9c\x82\xa2\x82\xbd\x8c\xf0\x90M: %ld \x8c\x8f",  // バンド・モードの条件で除いた交信: %ld 件
    .uncertain =
        "JARL \x82\xaa\x81u\x81`\x82\xe6\x82\xe8\x91O\x81v\x82\xc6\x82\xb5\x82\xa9\x8fI\x97\xb9\x93\xfa\x82\xf0\x8e\xa6\x82\xb3\x82\xc8\x82\xa2\x94\xd4\x8d\x86\x82\xbe\x82\xaf\x82\xc5\x90\x94\x82\xa6\x82\xbd\x82\xe0\x82\xcc: %d \x8c\x8f(\x95s\x8am\x82\xa9)",  // JARL が「～より前」としか終了日を示さない番号だけで数えたもの: %d 件(不確か)
    .skippedVia =
        "QSL \x8co\x97R\x82\xcc\x8ew\x92\xe8\x82\xc5\x8f\x9c\x82\xa2\x82\xbd\x8c\xf0\x90M(\x90\x94\x82\xa6\x82\xdc\x82\xb9\x82\xf1): %ld \x8c\x8f",  // QSL 経由の指定で除いた交信(数えません): %ld 件
    .authorityNote =
        "\x82\xb1\x82\xcc\x8fW\x8cv\x82\xcd\x96\xda\x88\xc0\x82\xc5\x82\xb7\x81\x42\x94\x46\x92\xe8\x82\xcd JARL \x82\xcc\x83\x41\x83\x8f\x81[\x83h\x8bK\x96\xf1\x82\xc9\x82\xe6\x82\xe8\x82\xdc\x82\xb7\x81\x42",  // この集計は目安です。認定は JARL のアワード規約によります。
    .lengthPastEnd =
        "\x83t\x83\x42\x81[\x83\x8b\x83h\x82\xcc\x92\xb7\x82\xb3\x82\xaa\x83t\x83@\x83\x43\x83\x8b\x82\xcc\x8fI\x82\xed\x82\xe8\x82\xf0\x89z\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // フィールドの長さがファイルの終わりを越えています
    .badLength =
        "\x83t\x83\x42\x81[\x83\x8b\x83h\x82\xcc\x92\xb7\x82\xb3\x82\xaa\x90\x94\x8e\x9a\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // フィールドの長さが数字ではありません
    .notEnded =
        "\x8bL\x98^\x82\xaa <EOR> \x82\xc5\x8fI\x82\xed\x82\xe7\x82\xc8\x82\xa2\x82\xdc\x82\xdc\x83t\x83@\x83\x43\x83\x8b\x82\xaa\x8fI\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // 記録が <EOR> で終わらないままファイルが終わっています
    .tooFewColumns =
        "\x97\xf1\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1(%d \x97\xf1\x81\x41\x31\x34 \x97\xf1\x88\xc8\x8f\xe3\x82\xaa\x95K\x97v)",  // 列が足りません(%d 列、14 列以上が必要)
    .quoteNotClosed =
        "\x88\xf8\x97p\x95\x84\x82\xaa\x95\xc2\x82\xb6\x82\xc8\x82\xa2\x82\xdc\x82\xdc\x8ds\x82\xaa\x8fI\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // 引用符が閉じないまま行が終わっています
    .lengthPastRecord =
        "\x83t\x83\x42\x81[\x83\x8b\x83h\x82\xcc\x92\xb7\x82\xb3\x82\xaa\x8bL\x98^\x82\xcc <EOR> \x82\xf0\x89z\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // フィールドの長さが記録の <EOR> を越えています
    .noHamlogDate =
        "2 \x97\xf1\x96\xda\x82\xc9\x93\xfa\x95t (yy/mm/dd) \x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // 2 列目に日付 (yy/mm/dd) がありません
    .badDate =
        "\x93\xfa\x95t\x81u%s\x81v\x82\xcd\x82\xa0\x82\xe8\x82\xa6\x82\xc8\x82\xa2\x93\xfa\x95t\x82\xc5\x82\xb7",  // 日付「%s」はありえない日付です
    .unknown =
        "%s \x82\xcd JARL \x82\xcc\x94\xd4\x8d\x86\x82\xc9\x82\xe0\x92n\x96\xbc\x82\xcc\x88\xea\x97\x97\x82\xc9\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // %s は JARL の番号にも地名の一覧にもありません
    .reserved =
        "%s \x82\xcd JARL \x82\xcc\x8c\x87\x94\xd4\x82\xc5\x81\x41\x8f\xdc\x82\xc9\x82\xcd\x90\x94\x82\xa6\x82\xdc\x82\xb9\x82\xf1",  // %s は JARL の欠番で、賞には数えません
    .notYet = "%s %s \x82\xcd %s \x82\xa9\x82\xe7",     // %s %s は %s から
    .endedLast = "%s %s \x82\xcd %s \x82\xdc\x82\xc5",  // %s %s は %s まで
    .endedBefore =
        "%s %s \x82\xcd %s \x82\xe6\x82\xe8\x91O\x82\xdc\x82\xc5(JARL \x82\xcc\x93\xfa\x95t\x82\xcd\x96\xda\x88\xc0)",  // %s %s は %s より前まで(JARL の日付は目安)
    .endedOn = "%s %s \x82\xcd %s \x82\xc9\x8f\xc1\x96\xc5",                       // %s %s は %s に消滅
    .endedUndated = "%s %s \x82\xcd\x8f\xc1\x96\xc5(\x93\xfa\x95t\x95s\x96\xbe)",  // %s %s は消滅(日付不明)
    .successor = "\x81\x42\x8c\xe3\x8cp\x82\xcd %s",                               // 。後継は %s
    .listSeparator = "\x81\x41",                                                   // 、
    .atOffset = "(\x90\xe6\x93\xaa\x82\xa9\x82\xe7 %llu \x83o\x83\x43\x83g)",      // (先頭から %llu バイト)
    .prefMismatch =
        "STATE %s \x82\xcd\x94\xd4\x8d\x86\x82\xcc\x93s\x93\xb9\x95{\x8c\xa7 %s \x82\xc6\x88\xe1\x82\xa2\x82\xdc\x82\xb7(\x8c\xf0\x90M\x82\xcd\x90\x94\x82\xa6\x82\xdc\x82\xb7)",  // STATE %s は番号の都道府県 %s と違います(交信は数えます)
    .listTitle =
        "JARL %s \x90\x5c\x90\xbf\x83\x8a\x83X\x83g(\x92n\x96\xbc\x88\xea\x97\x97 %s \x8c\xbb\x8d\xdd)",  // JARL %s 申請リスト(地名一覧 %s 現在)
    .listCounts =
        "\x8c\xf0\x90M\x8d\xcf %d\x81\x41QSL\x8am\x94\x46\x8d\xcf %d\x81\x41\x8c\xbb\x91\xb6\x90\x94 %d",  // 交信済 %d、QSL確認済 %d、現存数 %d
    .listHeader = {"\x94\xd4\x8d\x86",                                                                     // 番号
                   "\x92n\x96\xbc",                                                                        // 地名
                   "\x83R\x81[\x83\x8b\x83T\x83\x43\x83\x93",  // コールサイン
                   "\x93\xfa\x95t",                            // 日付
                   "\x8e\x9e\x8d\x8f",                         // 時刻
                   "\x83o\x83\x93\x83h",                       // バンド
                   "\x83\x82\x81[\x83h",                       // モード
                   "QSL"},
    .listConfirmed = "\x8d\xcf",     // 済
    .listNotConfirmed = "\x96\xa2",  // 未
};

constexpr ReportTexts kEnglishTexts = {
    .title = "JARL award check (%ld records, %ld Japanese contacts)",
    .summaryHeader = "award\tworked\tconfirmed\tcurrent",
    .problemsHeading = "Problem contacts: %ld",
    .recordLabel = "record %ld",
    .malformed = "Malformed records and impossible dates: %ld",
    .withoutNumber = "Japanese contacts without a number (they count for nothing): %ld",
    .filteredOut = "Contacts left out by band or mode: %ld",
    .uncertain = "Credits resting only on a JARL end date given as \x22\x62\x65\x66ore\x22: %d (uncertain)",
    .skippedVia = "Contacts left out by their QSL via mark (they count for nothing): %ld",
    .authorityNote = "This check is a guide; JARL's award rules are the authority.",
    .lengthPastEnd = "a field's length runs past the end of the file",
    .badLength = "a field's length is not a number",
    .notEnded = "the file ends inside a record (no <EOR>)",
    .tooFewColumns = "too few columns (%d; 14 needed)",
    .quoteNotClosed = "the line ends inside a quoted field",
    .lengthPastRecord = "a field's length runs past the record's <EOR>",
    .noHamlogDate = "no date (yy/mm/dd) in the second column",
    .badDate = "impossible date \x22%s\x22",
    .unknown = "%s is neither a JARL number nor in the place list",
    .reserved = "%s is a reserved JARL number that never counts",
    .notYet = "%s %s counts from %s",
    .endedLast = "%s %s counted until %s",
    .endedBefore = "%s %s counted only before %s (JARL gives no exact day)",
    .endedOn = "%s %s ended on %s",
    .endedUndated = "%s %s has ended (day unknown)",
    .successor = "; successor %s",
    .listSeparator = ", ",
    .atOffset = " (at byte offset %llu)",
    .prefMismatch = "STATE %s is not the number's prefecture %s (the contact still counts)",
    .listTitle = "JARL %s application list (place list of %s)",
    .listCounts = "worked %d, confirmed %d, current %d",
    .listHeader = {"number", "name", "call", "date", "time", "band", "mode", "QSL"},
    .listConfirmed = "yes",
    .listNotConfirmed = "no",
};

const ReportTexts& textsFor(ReportLanguage language) {
    return language == ReportLanguage::English ? kEnglishTexts : kJapaneseTexts;
}

// English names of the prefectures, JARL's spelling, by code.
constexpr const char* kPrefectureRomaji[kPrefectureCount] = {
    "Hokkaido",   // 01 北海道
    "Aomori",     // 02 青森県
    "Iwate",      // 03 岩手県
    "Akita",      // 04 秋田県
    "Yamagata",   // 05 山形県
    "Miyagi",     // 06 宮城県
    "Fukushima",  // 07 福島県
    "Niigata",    // 08 新潟県
    "Nagano",     // 09 長野県
    "Tokyo",      // 10 東京都
    "Kanagawa",   // 11 神奈川県
    "Chiba",      // 12 千葉県
    "Saitama",    // 13 埼玉県
    "Ibaraki",    // 14 茨城県
    "Tochigi",    // 15 栃木県
    "Gunma",      // 16 群馬県
    "Yamanashi",  // 17 山梨県
    "Shizuoka",   // 18 静岡県
    "Gifu",       // 19 岐阜県
    "Aichi",      // 20 愛知県
    "Mie",        // 21 三重県
    "Kyoto",      // 22 京都府
    "Shiga",      // 23 滋賀県
    "Nara",       // 24 奈良県
    "Osaka",      // 25 大阪府
    "Wakayama",   // 26 和歌山県
    "Hyogo",      // 27 兵庫県
    "Toyama",     // 28 富山県
    "Fukui",      // 29 福井県
    "Ishikawa",   // 30 石川県
    "Okayama",    // 31 岡山県
    "Shimane",    // 32 島根県
    "Yamaguchi",  // 33 山口県
    "Tottori",    // 34 鳥取県
    "Hiroshima",  // 35 広島県
    "Kagawa",     // 36 香川県
    "Tokushima",  // 37 徳島県
    "Ehime",      // 38 愛媛県
    "Kochi",      // 39 高知県
    "Fukuoka",    // 40 福岡県
    "Saga",       // 41 佐賀県
    "Nagasaki",   // 42 長崎県
    "Kumamoto",   // 43 熊本県
    "Oita",       // 44 大分県
    "Miyazaki",   // 45 宮崎県
    "Kagoshima",  // 46 鹿児島県
    "Okinawa",    // 47 沖縄県
};

std::string format(const char* pattern, ...) {
    va_list args, again;
    va_start(args, pattern);
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(text.data(), text.size() + 1, pattern, again);
    va_end(again);
    return text;
}

// A log's bytes inside a line of a table: tabs and line breaks become spaces.
std::string cell(std::string_view text) {
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return out;
}

// The same in the text report, where an empty field shows as "-".
std::string shown(std::string_view text) { return text.empty() ? "-" : cell(text); }

int prefectureIndex(std::string_view code) { return code.size() == 2 ? prefectureCodeOf(code) - 1 : -1; }

std::string factsName(const NumberFacts& facts, ReportLanguage language) {
    return language == ReportLanguage::English && !facts.romaji.empty() ? facts.romaji : facts.kanji;
}

// "1017 保谷市": a number with its name, or the number alone when unknown.
std::string numberWithName(const AwardCheck& check, std::string_view number, ReportLanguage language) {
    const NumberFacts* facts = check.find(number);
    std::string text(number);
    if (facts) text.append(" ").append(factsName(*facts, language));
    return text;
}

std::string successorText(const AwardCheck& check, const NumberFacts& facts, const ReportTexts& texts,
                          ReportLanguage language) {
    std::string list;
    size_t at = 0;
    while (at < facts.successors.size()) {
        size_t end = facts.successors.find(' ', at);
        if (end == std::string::npos) end = facts.successors.size();
        if (end > at) {
            if (!list.empty()) list += texts.listSeparator;
            list += numberWithName(check, std::string_view(facts.successors).substr(at, end - at), language);
        }
        at = end + 1;
    }
    return list.empty() ? "" : format(texts.successor, list.c_str());
}

std::string faultMessage(const Problem& problem, const ReportTexts& texts) {
    std::string text;
    switch (problem.fault) {
    case RecordFault::LengthPastEnd: text = texts.lengthPastEnd; break;
    case RecordFault::BadLength: text = texts.badLength; break;
    case RecordFault::NotEnded: text = texts.notEnded; break;
    case RecordFault::TooFewColumns: text = format(texts.tooFewColumns, problem.columns); break;
    case RecordFault::QuoteNotClosed: text = texts.quoteNotClosed; break;
    case RecordFault::LengthPastRecord: text = texts.lengthPastRecord; break;
    case RecordFault::NoHamlogDate: text = texts.noHamlogDate; break;
    case RecordFault::None: break;
    }
    return text + format(texts.atOffset, static_cast<unsigned long long>(problem.offset));
}

std::string endedMessage(const AwardCheck& check, const NumberFacts& facts, const ReportTexts& texts,
                         ReportLanguage language) {
    const std::string name = factsName(facts, language);
    std::string text;
    if (!facts.lastDay.empty())
        text = format(texts.endedLast, facts.number.c_str(), name.c_str(), facts.lastDay.c_str());
    else if (!facts.endsBefore.empty())
        text = format(facts.uncertainEnd ? texts.endedBefore : texts.endedOn, facts.number.c_str(), name.c_str(),
                      facts.endsBefore.c_str());
    else
        text = format(texts.endedUndated, facts.number.c_str(), name.c_str());
    return text + successorText(check, facts, texts, language);
}

}  // namespace

const char* awardName(Award award) {
    constexpr const char* kNames[kAwardCount] = {"JCC", "JCG", "KU", "WAJA"};
    return kNames[static_cast<int>(award)];
}

bool awardOfName(std::string_view name, Award& award) {
    for (int a = 0; a < kAwardCount; ++a) {
        if (equalsIgnoringCase(name, awardName(static_cast<Award>(a)))) {
            award = static_cast<Award>(a);
            return true;
        }
    }
    return false;
}

const char* reasonName(Reason reason) {
    constexpr const char* kNames[] = {"bad-record", "bad-date", "unknown", "not-yet", "ended", "pref-mismatch"};
    return kNames[static_cast<int>(reason)];
}

std::array<SummaryRow, kAwardCount> summarize(const AwardCheck& check) {
    std::array<SummaryRow, kAwardCount> rows;
    for (int a = 0; a < kAwardCount; ++a)
        rows[a] = {static_cast<Award>(a), 0, 0, check.currentTotal(static_cast<Award>(a))};
    for (const auto& [key, credit] : check.credits()) {
        SummaryRow& row = rows[static_cast<int>(key.first)];
        ++row.worked;
        if (credit.confirmed) ++row.confirmed;
    }
    return rows;
}

std::vector<CreditKey> neededNumbers(const AwardCheck& check, bool confirmed) {
    const auto done = [&](Award award, const std::string& number) {
        const auto it = check.credits().find(CreditKey(award, number));
        return it != check.credits().end() && (!confirmed || it->second.confirmed);
    };
    std::vector<CreditKey> needed;
    for (const NumberFacts& facts : check.data().numbers) {
        if (!facts.current || facts.kind == NumberKind::Town) continue;
        const Award award = facts.kind == NumberKind::Jcc   ? Award::Jcc
                            : facts.kind == NumberKind::Jcg ? Award::Jcg
                                                            : Award::Ku;
        if (!done(award, facts.number)) needed.emplace_back(award, facts.number);
    }
    for (int p = 1; p <= kPrefectureCount; ++p) {
        const std::string code = format("%02d", p);
        if (!done(Award::Waja, code)) needed.emplace_back(Award::Waja, code);
    }
    std::sort(needed.begin(), needed.end());
    return needed;
}

std::string placeName(const AwardCheck& check, Award award, std::string_view number, ReportLanguage language) {
    if (award == Award::Waja) {
        const int p = prefectureIndex(number);
        if (p < 0) return "";
        return language == ReportLanguage::English ? kPrefectureRomaji[p] : check.data().prefectureKanji[p];
    }
    const NumberFacts* facts = check.find(number);
    return facts ? factsName(*facts, language) : "";
}

std::string problemMessage(const AwardCheck& check, const Problem& problem, ReportLanguage language) {
    const ReportTexts& texts = textsFor(language);
    const NumberFacts* facts = problem.facts;
    switch (problem.reason) {
    case Reason::BadRecord: return faultMessage(problem, texts);
    case Reason::BadDate: return format(texts.badDate, cell(problem.date).c_str());
    case Reason::Unknown: return format(facts ? texts.reserved : texts.unknown, cell(problem.number).c_str());
    case Reason::NotYet:
        return format(texts.notYet, facts->number.c_str(), factsName(*facts, language).c_str(),
                      facts->firstDay.c_str());
    case Reason::Ended: return endedMessage(check, *facts, texts, language);
    case Reason::PrefMismatch: {
        const std::string prefecture = facts->number.substr(0, 2);
        const std::string name = placeName(check, Award::Waja, prefecture, language);
        const std::string named = name.empty() ? prefecture : prefecture + " " + name;
        return format(texts.prefMismatch, cell(problem.state).c_str(), named.c_str());
    }
    }
    return "";
}

int uncertainCredits(const AwardCheck& check) {
    return static_cast<int>(std::count_if(check.credits().begin(), check.credits().end(),
                                          [](const auto& entry) { return entry.second.uncertain; }));
}

bool writeReport(const AwardCheck& check, ReportLanguage language, const TextSink& sink) {
    const ReportTexts& texts = textsFor(language);
    const CheckCounts& counts = check.counts();
    std::string out = format(texts.title, counts.records, counts.japanese) + "\n\n";
    out += std::string(texts.summaryHeader) + "\n";
    for (const SummaryRow& row : summarize(check))
        out += format("%s\t%d\t%d\t%d\n", awardName(row.award), row.worked, row.confirmed, row.total);

    out += "\n" + format(texts.problemsHeading, check.problems().size()) + "\n";
    sink(out);
    const bool whole = check.problems().forEach([&](const Problem& p) {
        std::string line = "  ";
        if (check.files().size() > 1) line += cell(check.files()[p.file]) + "  ";
        line += format(texts.recordLabel, p.record) + "  " + shown(p.call) + "  " + shown(p.date) + "  " +
                shown(p.number) + "  " + reasonName(p.reason) + "  " + problemMessage(check, p, language) + "\n";
        sink(line);
    });

    out = "\n" + format(texts.malformed, counts.malformed) + "\n";
    out += format(texts.withoutNumber, counts.withoutNumber) + "\n";
    if (counts.skippedVia > 0) out += format(texts.skippedVia, counts.skippedVia) + "\n";
    if (counts.filteredOut > 0) out += format(texts.filteredOut, counts.filteredOut) + "\n";
    if (const int uncertain = uncertainCredits(check); uncertain > 0) out += format(texts.uncertain, uncertain) + "\n";
    out += std::string(texts.authorityNote) + "\n";
    sink(out);
    return whole;
}

std::string writeReport(const AwardCheck& check, ReportLanguage language) {
    std::string out;
    writeReport(check, language, [&](std::string_view text) { out += text; });
    return out;
}

std::string writeSummaryTsv(const AwardCheck& check) {
    std::string out;
    for (const SummaryRow& row : summarize(check))
        out += format("%s\t%d\t%d\t%d\n", awardName(row.award), row.worked, row.confirmed, row.total);
    return out;
}

std::string writeCreditsTsv(const AwardCheck& check, ReportLanguage language) {
    std::string out;
    for (const auto& [key, credit] : check.credits()) {
        out += std::string(awardName(key.first)) + "\t" + key.second + "\t" +
               placeName(check, key.first, key.second, language) + "\t" + credit.first.date + "\t" +
               cell(credit.first.call) + "\t" + (credit.confirmed ? "1" : "0") + "\n";
    }
    return out;
}

bool writeProblemsTsv(const AwardCheck& check, ReportLanguage language, const TextSink& sink) {
    return check.problems().forEach([&](const Problem& p) {
        std::string line;
        if (check.files().size() > 1) line += cell(check.files()[p.file]) + "\t";
        line += format("%ld\t", p.record) + cell(p.call) + "\t" + cell(p.date) + "\t" + cell(p.number) + "\t" +
                reasonName(p.reason) + "\t" + problemMessage(check, p, language) + "\n";
        sink(line);
    });
}

std::string writeProblemsTsv(const AwardCheck& check, ReportLanguage language) {
    std::string out;
    writeProblemsTsv(check, language, [&](std::string_view text) { out += text; });
    return out;
}

std::string writeNeededTsv(const AwardCheck& check, bool confirmed, ReportLanguage language) {
    std::string out;
    for (const CreditKey& key : neededNumbers(check, confirmed))
        out += std::string(awardName(key.first)) + "\t" + key.second + "\t" +
               placeName(check, key.first, key.second, language) + "\n";
    return out;
}

namespace {

// What the application list gives of a credited number: number, name,
// call, date, time, band, mode; then whether it is confirmed.
constexpr size_t kApplicationFields = 7;
using ApplicationFields = std::array<std::string, kApplicationFields>;
using ApplicationVisit = std::function<void(Award, const ApplicationFields&, bool confirmed)>;

// Each credited number of `award` (every award when null) that the list
// names, with the contact that proves it, by award then number.
void forEachApplication(const AwardCheck& check, const Award* award, bool confirmed, ReportLanguage language,
                        const ApplicationVisit& visit) {
    for (const auto& [key, credit] : check.credits()) {
        if ((award && key.first != *award) || (confirmed && !credit.confirmed)) continue;
        const CreditContact& proof = credit.proof();
        visit(key.first,
              {key.second, placeName(check, key.first, key.second, language), cell(proof.call), proof.date,
               cell(proof.time), cell(proof.band), cell(proof.mode)},
              credit.confirmed);
    }
}

}  // namespace

std::string writeApplicationTsv(const AwardCheck& check, bool confirmed, ReportLanguage language) {
    std::string out;
    forEachApplication(check, nullptr, confirmed, language,
                       [&](Award award, const ApplicationFields& fields, bool yes) {
                           out += awardName(award);
                           for (const std::string& field : fields) out += "\t" + field;
                           out += yes ? "\t1\n" : "\t0\n";
                       });
    return out;
}

std::string writeApplicationList(const AwardCheck& check, Award award, bool confirmed, ReportLanguage language,
                                 std::string_view lineEnd) {
    const ReportTexts& texts = textsFor(language);
    using Line = std::array<std::string, kApplicationFields + 1>;
    std::vector<Line> lines(1);
    std::copy(texts.listHeader.begin(), texts.listHeader.end(), lines[0].begin());
    forEachApplication(check, &award, confirmed, language, [&](Award, const ApplicationFields& fields, bool yes) {
        Line& line = lines.emplace_back();
        std::copy(fields.begin(), fields.end(), line.begin());
        line.back() = yes ? texts.listConfirmed : texts.listNotConfirmed;
    });
    // Shift-JIS takes one byte per half-width column and two per full-width
    // one, so byte counts align the columns on a fixed-width font.
    std::array<size_t, kApplicationFields + 1> width{};
    for (const Line& line : lines)
        for (size_t i = 0; i < line.size(); ++i) width[i] = std::max(width[i], line[i].size());

    const SummaryRow row = summarize(check)[static_cast<int>(award)];
    std::string out = format(texts.listTitle, awardName(award), check.data().listDay.c_str());
    out.append(lineEnd).append(format(texts.listCounts, row.worked, row.confirmed, row.total));
    out.append(lineEnd).append(lineEnd);
    for (const Line& line : lines) {
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            text += line[i];
            if (i + 1 < line.size()) text.append(width[i] - line[i].size() + 2, ' ');
        }
        // An empty last column leaves no trailing blanks.
        text.erase(text.find_last_not_of(' ') + 1);
        out.append(text).append(lineEnd);
    }
    return out;
}

}  // namespace orvetta
