// Reading and checking the update file.
//
// The whole file is read into a zero-filled buffer with spare zero bytes
// behind the data, so every line, the last one too, ends at an LF or a NUL.
// Each data line becomes one record in the staging area; only when every line
// has passed are the staged records handed to the merge, so a bad file leaves
// the dictionary exactly as it was.
#include "update/update_file.h"

#include <cstring>

#include "dict/heap.h"
#include "update/merge.h"
#include "update/update_source.h"

namespace orvetta {

const char kUpdateFileName[] = "velkarad.txt";

const char kUpdateMissingText[] =
    "velkarad.txt \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\n"
    "\x8dX\x90V\x8f\x88\x97\x9d\x82\xf0\x8ds\x82\xc8\x82\xed\x82\xb8\x82\xc9\x8bN\x93\xae\x82\xb5\x82\xdc\x82\xb7";  // velkarad.txt が見つかりませんでした\n更新処理を行なわずに起動します
const char kUpdateMissingCaption[] = "Orvetta";
const char kUpdateErrorText[] =
    "\x92n\x96\xbc\x82\xcc\x95\xcf\x8dX\x81" "E\x93o\x98^\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\n"
    "velkarad.txt \x82\xcc\x93\xe0\x97" "e\x82\xf0\x83`\x83" "F\x83" "b\x83N\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81" "B\n"
    "\n"
    "\x8dX\x90V\x8f\x88\x97\x9d\x82\xf0\x8ds\x82\xc8\x82\xed\x82\xb8\x82\xc9\x8bN\x93\xae\x82\xb5\x82\xdc\x82\xb7";  // 地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n\n更新処理を行なわずに起動します
const char kUpdateErrorCaption[] = "Orvetta\x81" "F\x8dX\x90V\x83G\x83\x89\x81[";  // Orvetta：更新エラー

namespace {

// The kind follows the last two bytes of the name, wherever the Shift-JIS
// characters of the name begin.
struct KindSuffix {
    char bytes[3];
    char kind;
};
constexpr KindSuffix kKindSuffixes[] = {
    {"\x8es", kKindCity},        // 市
    {"\x8cS", kKindDistrict},    // 郡
    {"\x8b\xe6", kKindWard},     // 区
    {"\x92\xac", kKindTown},     // 町
    {"\x91\xba", kKindVillage},  // 村
};

constexpr size_t kNumberLimit = sizeof(PlaceRecord::number) - 1;
constexpr size_t kKanjiLimit = sizeof(PlaceRecord::kanji) - 1;
constexpr size_t kReadingLimit = sizeof(PlaceRecord::reading) - 1;

// The first two bytes are a prefecture code "01".."47". Anything else would
// have no prefecture row: a city could not be placed, and any other kind would
// leave every later range one off against the records.
bool startsWithPrefectureCode(const char* line) {
    const unsigned tens = static_cast<unsigned char>(line[0]) - '0';
    if (tens > 4) return false;
    const unsigned ones = static_cast<unsigned char>(line[1]) - '0';
    if (ones > 9) return false;
    const unsigned code = tens * 10 + ones;
    return code >= 1 && code <= kLastPrefectureRow;
}

char kindFromName(const char* name, size_t length) {
    if (length < 2) return 0;
    for (const KindSuffix& suffix : kKindSuffixes)
        if (name[length - 2] == suffix.bytes[0] && name[length - 1] == suffix.bytes[1]) return suffix.kind;
    return 0;
}

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

int parseUpdateLine(const char* line, PlaceRecord* slot) {
    if (!startsWithPrefectureCode(line)) return 0;
    const char* numberEnd = std::strchr(line, ',');
    if (!numberEnd) return 0;
    const char* name = numberEnd + 1;
    const char* nameEnd = std::strchr(name, ',');
    if (!nameEnd) return 0;
    const char* reading = nameEnd + 1;
    const char* readingEnd = std::strchr(reading, ',');
    if (!readingEnd) return 0;
    const char* mark = readingEnd + 1;
    if (mark[0] == '\0' || mark[1] != '\0') return 0;

    const size_t numberLength = static_cast<size_t>(numberEnd - line);
    const size_t nameLength = static_cast<size_t>(nameEnd - name);
    const size_t readingLength = static_cast<size_t>(readingEnd - reading);
    if (numberLength > kNumberLimit || nameLength > kKanjiLimit || readingLength > kReadingLimit) return 0;
    const char kind = kindFromName(name, nameLength);
    if (!kind) return 0;

    PlaceRecord record{};
    std::memcpy(record.number, line, numberLength);
    std::memcpy(record.kanji, name, nameLength);
    std::memcpy(record.reading, reading, readingLength);
    record.kind = kind;
    record.current = mark[0];
    *slot = record;
    return 1;
}

int readUpdateText(const char* fileBuffer, size_t fileSize, PlaceRecord* records, AreaRow* areaTable,
                   PrefectureRow* prefectureTable) {
    if (fileSize == 0) return kUpdateRejected;
    PlaceRecord* staging =
        static_cast<PlaceRecord*>(heapAllocZeroed(kUpdateStagingSlots * sizeof(PlaceRecord)));
    if (!staging) return kUpdateRejected;

    char line[kUpdateLineBufferSize];
    size_t position = 0;
    int staged = 0;
    bool accepted = true;
    while (position < fileSize) {
        if (!readUpdateLine(fileBuffer, &position, line)) {
            accepted = false;
            break;
        }
        if (line[0] == '\0' || line[0] == ';') continue;
        // A 101st data line has no staging slot and no spare slot to go to.
        if (staged == kUpdateStagingSlots || !parseUpdateLine(line, &staging[staged])) {
            accepted = false;
            break;
        }
        ++staged;
    }
    if (accepted) mergeUpdates(records, areaTable, prefectureTable, staging, staged);
    heapFree(staging);
    return accepted ? kUpdateMerged : kUpdateRejected;
}

int readUpdateFile(const UpdateNotifier& notifier, PlaceRecord* records, AreaRow* areaTable,
                   PrefectureRow* prefectureTable) {
    UpdateSource source;
    switch (readUpdateSource(kUpdateFileName, &source)) {
    case kSourceRead:
        break;
    case kSourceCannotOpen:
        if (notifier.inform) notifier.inform(notifier.context, kUpdateMissingText, kUpdateMissingCaption);
        return kUpdateNoFile;
    default:  // no size, empty, or no memory for the buffer
        return kUpdateRejected;
    }
    const int result = readUpdateText(source.buffer, source.size, records, areaTable, prefectureTable);
    heapFree(source.buffer);
    return result;
}

}  // namespace orvetta
