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

const char kUpdateMissingText[] =
    "velkarad.txt \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\n"
    "\x8dX\x90V\x8f\x88\x97\x9d\x82\xf0\x8ds\x82\xc8\x82\xed\x82\xb8\x82\xc9\x8bN\x93\xae\x82\xb5\x82\xdc\x82\xb7";  // velkarad.txt が見つかりませんでした\n更新処理を行なわずに起動します
const char kUpdateMissingCaption[] = "Orvetta";
const char kUpdateErrorText[] =
    "\x92n\x96\xbc\x82\xcc\x95\xcf\x8dX\x81\x45\x93o\x98^\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\n"
    "velkarad.txt \x82\xcc\x93\xe0\x97\x65\x82\xf0\x83`\x83\x46\x83\x62\x83N\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42\n"
    "\n"
    "\x8dX\x90V\x8f\x88\x97\x9d\x82\xf0\x8ds\x82\xc8\x82\xed\x82\xb8\x82\xc9\x8bN\x93\xae\x82\xb5\x82\xdc\x82\xb7";  // 地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n\n更新処理を行なわずに起動します
const char kUpdateErrorCaption[] = "Orvetta\x81\x46\x8dX\x90V\x83G\x83\x89\x81[";  // Orvetta：更新エラー

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

// " 行目: ": the line number goes in front.
const char kLineSuffix[] = " \x8ds\x96\xda: ";

// The reasons, in the order of UpdateFault.
const char* const kFaultReasons[] = {
    "",
    "\x83t\x83@\x83\x43\x83\x8b\x82\xaa\x8b\xf3\x82\xc5\x82\xb7",  // ファイルが空です
    "\x83t\x83@\x83\x43\x83\x8b\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1",  // ファイルを読み込めません
    "\x83t\x83@\x83\x43\x83\x8b\x82\xaa 1 MiB \x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // ファイルが 1 MiB を超えています
    "\x8ds\x82\xaa 248 \x83o\x83\x43\x83g\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // 行が 248 バイトを超えています
    "\x83\x66\x81[\x83^\x8ds\x82\xaa 100 \x8ds\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // データ行が 100 行を超えています
    "\x94\xd4\x8d\x86,\x92n\x96\xbc,\x93\xc7\x82\xdd,\x8c\xbb\x91\xb6 \x82\xcc 4 \x8d\x80\x96\xda\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // 番号,地名,読み,現存 の 4 項目がありません
    "\x94\xd4\x8d\x86\x82\xcc\x90\xe6\x93\xaa 2 \x95\xb6\x8e\x9a\x82\xaa 01\x81`47 \x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // 番号の先頭 2 文字が 01～47 ではありません
    "\x94\xd4\x8d\x86\x82\xaa 6 \x95\xb6\x8e\x9a\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // 番号が 6 文字を超えています
    "\x94\xd4\x8d\x86\x82\xcc\x89p\x8e\x9a\x82\xaa\x91\xe5\x95\xb6\x8e\x9a A\x81`Z \x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // 番号の英字が大文字 A～Z ではありません
    "\x92n\x96\xbc\x82\xaa 16 \x83o\x83\x43\x83g(\x91S\x8ap 8 \x95\xb6\x8e\x9a)\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // 地名が 16 バイト(全角 8 文字)を超えています
    "\x92n\x96\xbc\x82\xaa \x8es\x81\x45\x8cS\x81\x45\x8b\xe6\x81\x45\x92\xac\x81\x45\x91\xba \x82\xc5\x8fI\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1",  // 地名が 市・郡・区・町・村 で終わっていません
    "\x93\xc7\x82\xdd\x82\xaa 28 \x83o\x83\x43\x83g(\x91S\x8ap 14 \x95\xb6\x8e\x9a)\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7",  // 読みが 28 バイト(全角 14 文字)を超えています
    "\x8c\xbb\x91\xb6\x82\xaa 1 \x95\xb6\x8e\x9a\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",  // 現存が 1 文字ではありません
};
static_assert(std::size(kFaultReasons) == static_cast<size_t>(UpdateFault::CurrentMark) + 1);

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

const char* updateFaultReason(UpdateFault fault) {
    const auto index = static_cast<size_t>(fault);
    return index < std::size(kFaultReasons) ? kFaultReasons[index] : "";
}

std::string updateErrorText(const UpdateError& error) {
    std::string text = kUpdateErrorText;
    if (error.fault == UpdateFault::None) return text;
    std::string detail;
    if (error.line > 0) detail = std::to_string(error.line) + kLineSuffix;
    detail += updateFaultReason(error.fault);
    // After the first two lines, before the blank line.
    text.insert(text.find("\n\n"), "\n" + detail);
    return text;
}

}  // namespace orvetta
