// One award run for orvetta-lookup and the desktop programs alike: the award
// data built from today's list, every log read into one check, and the one
// sentence each outcome is told with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dict/edition.h"
#include "dict/place.h"
#include "log/award_check.h"
#include "log/award_data.h"
#include "log/award_report.h"

namespace orvetta {

// Outcomes of a run beside checkLogFile's statuses (kLogRead: every log was
// read and a Japanese contact counted).
constexpr int kRunNoList = 100;      // today's list could not be loaded
constexpr int kRunNoJapanese = 101;  // every log was read; none holds a Japanese contact of the band and mode asked

// A log to read: the name it opens by and the name problems show.
struct LogFile {
    std::string path;       // UTF-8
    std::string shownName;  // Shift-JIS
};

class AwardRun {
public:
    // Builds the award data from `today`, the list of `history` (the edition
    // with the change history) as loadPlaces gives it for today, update file
    // merged, so the user's corrections count. The list is not kept.
    AwardRun(const PlaceList& today, const Edition& history, CheckOptions options = {});
    AwardRun(const AwardRun&) = delete;
    AwardRun& operator=(const AwardRun&) = delete;

    // Reads each log into the check in turn, stopping at the first that
    // cannot be opened, read or taken for a log, and returns its status
    // (failedLog() names it). Otherwise kRunNoJapanese when no Japanese
    // contact counted, else kLogRead.
    int readLogs(const std::vector<LogFile>& logs);

    const AwardCheck& check() const { return check_; }
    // The log readLogs stopped at; null when it read them all.
    const LogFile* failedLog() const { return failed_ ? &failedLog_ : nullptr; }

private:
    AwardData data_;  // before check_, which refers to it
    AwardCheck check_;
    bool failed_ = false;
    LogFile failedLog_;
};

// The sentence of an outcome: Shift-JIS in Japanese, ASCII in English, where
// `logName` (as the caller's output wants it) stands for the log a failure
// is about. "" for kLogRead.
std::string runMessage(int status, ReportLanguage language, std::string_view logName = {});

}  // namespace orvetta
