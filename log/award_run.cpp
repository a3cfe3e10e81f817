#include "log/award_run.h"

#include "log/award_data_builder.h"

namespace orvetta {

namespace {

// What each outcome says. A new status is one row. In English "%s" stands
// for the log's name; the Japanese sentences stand under a window title
// that names it already.
struct RunText {
    int status;
    const char* english;
    const char* japanese;
};

constexpr RunText kRunTexts[] = {
    {kLogCannotOpen, "the log '%s' cannot be opened (no such file, no permission, or not a regular file)",
     // ログを開けませんでした。ファイルがないか、読めません。
     "\x83\x8d\x83O\x82\xf0\x8aJ\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\x83t\x83@\x83\x43"
     "\x83\x8b\x82\xaa\x82\xc8\x82\xa2\x82\xa9\x81\x41\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42"},
    {kLogReadError, "the log '%s' could not be read to its end",
     // ログを最後まで読めませんでした。
     "\x83\x8d\x83O\x82\xf0\x8d\xc5\x8c\xe3\x82\xdc\x82\xc5\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5"
     "\x82\xbd\x81\x42"},
    {kLogNotALog, "the log '%s' is neither an ADIF log nor a HAMLOG CSV: none of its records could be read",
     // ADIF のログでも HAMLOG の CSV でもありません。読める記録が一つもありません。
     "ADIF \x82\xcc\x83\x8d\x83O\x82\xc5\x82\xe0 HAMLOG \x82\xcc CSV \x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
     "\x82\xf1\x81\x42\x93\xc7\x82\xdf\x82\xe9\x8bL\x98^\x82\xaa\x88\xea\x82\xc2\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82"
     "\xb9\x82\xf1\x81\x42"},
    {kLogUtf16, "the log '%s' is UTF-16 text, which cannot be read: save it as UTF-8 or Shift-JIS",
     // ログは UTF-16 で書かれていて読めません。UTF-8 か Shift-JIS で保存してください。
     "\x83\x8d\x83O\x82\xcd UTF-16 \x82\xc5\x8f\x91\x82\xa9\x82\xea\x82\xc4\x82\xa2\x82\xc4\x93\xc7\x82\xdf\x82\xdc\x82\xb9"
     "\x82\xf1\x81\x42UTF-8 \x82\xa9 Shift-JIS \x82\xc5\x95\xdb\x91\xb6\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42"},
    {kLogNotHamlog,
     "the log '%s' is neither an ADIF log nor a HAMLOG CSV: no line has a HAMLOG date (yy/mm/dd) in its second column",
     // ADIF のログでも HAMLOG の CSV でもありません。2 列目に日付 (yy/mm/dd) のある行がありません。
     "ADIF \x82\xcc\x83\x8d\x83O\x82\xc5\x82\xe0 HAMLOG \x82\xcc CSV \x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
     "\x82\xf1\x81\x42\x32 \x97\xf1\x96\xda\x82\xc9\x93\xfa\x95t (yy/mm/dd) \x82\xcc\x82\xa0\x82\xe9\x8ds\x82\xaa\x82\xa0"
     "\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42"},
    {kRunNoList, "today's place list could not be loaded",
     // 今日の地名を用意できませんでした。
     "\x8d\xa1\x93\xfa\x82\xcc\x92n\x96\xbc\x82\xf0\x97p\x88\xd3\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82"
     "\xb5\x82\xbd\x81\x42"},
    {kRunNoJapanese, "the logs hold no Japanese contact",
     // ログに日本局との交信がありません。
     "\x83\x8d\x83O\x82\xc9\x93\xfa\x96{\x8b\xc7\x82\xc6\x82\xcc\x8c\xf0\x90M\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
     "\x82\xf1\x81\x42"},
};

const RunText* rowOf(int status) {
    for (const RunText& row : kRunTexts)
        if (row.status == status) return &row;
    return nullptr;
}

}  // namespace

AwardRun::AwardRun(const PlaceList& today, const Edition& history, CheckOptions options)
    : data_(buildAwardData(today, history)), check_(data_, std::move(options)) {}

int AwardRun::readLogs(const std::vector<LogFile>& logs) {
    failed_ = false;
    for (const LogFile& log : logs) {
        if (const int status = checkLogFile(check_, log.path, log.shownName); status != kLogRead) {
            failed_ = true;
            failedLog_ = log;
            return status;
        }
    }
    return check_.counts().japanese > 0 ? kLogRead : kRunNoJapanese;
}

std::string runMessage(int status, ReportLanguage language, std::string_view logName) {
    if (status == kLogRead) return "";
    // A status without a row is told as a log that could not be read.
    const RunText* text = rowOf(status);
    if (!text) text = rowOf(kLogReadError);
    if (language == ReportLanguage::Japanese) return text->japanese;
    std::string sentence = text->english;
    if (const size_t at = sentence.find("%s"); at != std::string::npos) sentence.replace(at, 2, logName);
    return sentence;
}

}  // namespace orvetta
