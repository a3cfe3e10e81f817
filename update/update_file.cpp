// Reading and checking the update file.
//
// The whole file is read into a zero-filled buffer with spare zero bytes
// behind the data, so every line, the last one too, ends at an LF or a NUL.
// A legitimate file is a few KB; one over 1 MiB is turned away by its size
// before anything is allocated. Each data line becomes one record in the
// staging area; only when every line has passed are the staged records handed
// to the merge, so a bad file leaves the dictionary exactly as it was. The
// first failing check is kept with its line number for the error message.
#include "update/update_file.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "dict/heap.h"
#include "update/merge.h"
#include "update/update_source.h"

namespace orvetta {

const char kUpdateFileName[] = "velkarad.txt";

namespace {

constexpr size_t kNumberLimit = sizeof(PlaceRecord::number) - 1;
constexpr size_t kKanjiLimit = sizeof(PlaceRecord::kanji) - 1;
constexpr size_t kReadingLimit = sizeof(PlaceRecord::reading) - 1;

// The first two bytes are a prefecture code "01".."47". Anything else would
// have no prefecture row: a city could not be placed, and any other kind would
// leave every later range one off against the records.
bool startsWithPrefectureCode(const char* line) { return prefectureCodeOf({line, strnlen(line, 2)}) != 0; }

bool isLowerCaseLetter(char c) { return c >= 'a' && c <= 'z'; }
bool isUpperCaseLetter(char c) { return c >= 'A' && c <= 'Z'; }

int reject(UpdateError* error, const UpdateError& found) {
    if (error) *error = found;
    return kUpdateRejected;
}

// The reasons' rows of the table are in the order of UpdateFault, from its
// first fault on.
static_assert(static_cast<int>(TextId::UpdateFaultCurrentMark) - static_cast<int>(TextId::UpdateFaultFileEmpty) ==
              static_cast<int>(UpdateFault::CurrentMark) - static_cast<int>(UpdateFault::FileEmpty));

}  // namespace

bool readUpdateLine(const char* fileBuffer, size_t* position, char* line) {
    const char* from = fileBuffer + *position;
    int length = 0;
    while (from[length] != '\n' && from[length] != '\0') {
        if (length == kUpdateLineLimit) return false;
        line[length] = from[length];
        ++length;
    }
    *position += static_cast<size_t>(length) + 1;
    if (length > 0) {
        line[length - 1] = '\0';  // the CR in a CR LF file
    } else {
        // Nothing to drop: a NUL gives an empty line, a lone LF a line of
        // itself that no rule accepts.
        line[0] = from[0];
        line[1] = '\0';
    }
    return true;
}

UpdateFault checkUpdateLine(const char* line, PlaceRecord* slot) {
    if (!startsWithPrefectureCode(line)) return UpdateFault::NumberPrefecture;
    const char* numberEnd = std::strchr(line, ',');
    if (!numberEnd) return UpdateFault::Fields;
    const size_t numberLength = static_cast<size_t>(numberEnd - line);
    if (numberLength > kNumberLimit) return UpdateFault::NumberTooLong;
    if (std::any_of(line, numberEnd, isLowerCaseLetter)) return UpdateFault::NumberLetter;

    const char* name = numberEnd + 1;
    const char* nameEnd = std::strchr(name, ',');
    if (!nameEnd) return UpdateFault::Fields;
    const size_t nameLength = static_cast<size_t>(nameEnd - name);
    if (nameLength > kKanjiLimit) return UpdateFault::NameTooLong;
    const char kind = kindOfNameSuffix(name, nameLength);
    if (!kind) return UpdateFault::NameSuffix;
    // A town or village takes its district's number plus one letter.
    const bool townOrVillage = kind == kKindTown || kind == kKindVillage;
    if (townOrVillage && numberLength == kNumberLimit && !isUpperCaseLetter(line[kNumberLimit - 1]))
        return UpdateFault::NumberLetter;

    const char* reading = nameEnd + 1;
    const char* readingEnd = std::strchr(reading, ',');
    if (!readingEnd) return UpdateFault::Fields;
    const size_t readingLength = static_cast<size_t>(readingEnd - reading);
    if (readingLength > kReadingLimit) return UpdateFault::ReadingTooLong;
    const char* mark = readingEnd + 1;
    if (mark[0] == '\0' || mark[1] != '\0') return UpdateFault::CurrentMark;

    PlaceRecord record{};
    std::memcpy(record.number, line, numberLength);
    std::memcpy(record.kanji, name, nameLength);
    std::memcpy(record.reading, reading, readingLength);
    record.kind = kind;
    record.current = mark[0];
    *slot = record;
    return UpdateFault::None;
}

int parseUpdateLine(const char* line, PlaceRecord* slot) { return checkUpdateLine(line, slot) == UpdateFault::None; }

int stageUpdateText(const char* fileBuffer, size_t fileSize, std::vector<PlaceRecord>& staged, UpdateError* error) {
    staged.clear();
    UpdateError found;
    if (fileSize == 0) return reject(error, {0, UpdateFault::FileEmpty});
    PlaceRecord* staging = static_cast<PlaceRecord*>(heapAllocZeroed(kUpdateStagingSlots * sizeof(PlaceRecord)));
    if (!staging) return reject(error, {0, UpdateFault::FileUnreadable});

    char line[kUpdateLineBufferSize];
    size_t position = 0;
    int count = 0;
    for (int lineNumber = 1; position < fileSize && found.fault == UpdateFault::None; ++lineNumber) {
        found.line = lineNumber;
        if (!readUpdateLine(fileBuffer, &position, line)) {
            found.fault = UpdateFault::LineTooLong;
        } else if (line[0] == '\0' || line[0] == ';') {
            continue;
        } else if (count == kUpdateStagingSlots) {
            found.fault = UpdateFault::TooManyLines;
        } else {
            found.fault = checkUpdateLine(line, &staging[count]);
            if (found.fault == UpdateFault::None) ++count;
        }
    }
    const bool accepted = found.fault == UpdateFault::None;
    if (accepted) staged.assign(staging, staging + count);
    heapFree(staging);
    return accepted ? kUpdateMerged : reject(error, found);
}

int stageUpdateFile(const char* name, const UpdateNotifier& notifier, std::vector<PlaceRecord>& staged,
                    UpdateError* error) {
    staged.clear();
    UpdateSource source;
    switch (readUpdateSource(name, kUpdateSizeLimit, &source)) {
    case kSourceRead: break;
    case kSourceCannotOpen:
        if (notifier.inform) notifier.inform(notifier.context, kUpdateMissingText, kUpdateMissingCaption);
        return kUpdateNoFile;
    case kSourceEmpty: return reject(error, {0, UpdateFault::FileEmpty});
    case kSourceTooLarge: return reject(error, {0, UpdateFault::FileTooLarge});
    default:  // no size, or no memory for the buffer
        return reject(error, {0, UpdateFault::FileUnreadable});
    }
    const int result = stageUpdateText(source.buffer, source.size, staged, error);
    heapFree(source.buffer);
    return result;
}

void mergeStaged(const std::vector<PlaceRecord>& staged, PlaceList& places) {
    markChanged(places);
    if (!staged.empty())
        mergeUpdates(places.records, places.areaTable, places.prefectureTable, staged.data(),
                     static_cast<int>(staged.size()));
}

namespace {

// The one-step readers: the staged lines of an accepted file merged at once.
int mergeAccepted(int result, const std::vector<PlaceRecord>& staged, PlaceRecord* records, AreaRow* areaTable,
                  PrefectureRow* prefectureTable) {
    if (result == kUpdateMerged && !staged.empty())
        mergeUpdates(records, areaTable, prefectureTable, staged.data(), static_cast<int>(staged.size()));
    return result;
}

}  // namespace

int readUpdateText(const char* fileBuffer, size_t fileSize, PlaceRecord* records, AreaRow* areaTable,
                   PrefectureRow* prefectureTable, UpdateError* error) {
    std::vector<PlaceRecord> staged;
    return mergeAccepted(stageUpdateText(fileBuffer, fileSize, staged, error), staged, records, areaTable,
                         prefectureTable);
}

int readUpdateFile(const UpdateNotifier& notifier, PlaceRecord* records, AreaRow* areaTable,
                   PrefectureRow* prefectureTable, UpdateError* error) {
    std::vector<PlaceRecord> staged;
    return mergeAccepted(stageUpdateFile(kUpdateFileName, notifier, staged, error), staged, records, areaTable,
                         prefectureTable);
}

const char* updateFaultReason(UpdateFault fault, Language language) {
    if (fault < UpdateFault::FileEmpty || fault > UpdateFault::CurrentMark) return "";
    const int row = static_cast<int>(TextId::UpdateFaultFileEmpty) + static_cast<int>(fault) -
                    static_cast<int>(UpdateFault::FileEmpty);
    return textOf(static_cast<TextId>(row), language);
}

std::string updateErrorText(const UpdateError& error, Language language) {
    std::string text = textOf(TextId::UpdateErrorText, language);
    if (error.fault == UpdateFault::None) return text;
    const char* reason = updateFaultReason(error.fault, language);
    const std::string detail =
        error.line > 0 ? formatText(TextId::UpdateErrorLine, language, error.line, reason) : reason;
    // After the first two lines, before the blank line.
    text.insert(text.find("\n\n"), "\n" + detail);
    return text;
}

}  // namespace orvetta
