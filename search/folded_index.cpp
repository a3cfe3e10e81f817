#include "search/folded_index.h"

#include <cstring>
#include <string>

#include "search/fold.h"
#include "search/romaji.h"

namespace orvetta {

namespace {

void appendEntry(FoldedColumn& column, const std::string& text) {
    for (char c : text) ++column.frequency[static_cast<unsigned char>(c)];
    column.text.insert(column.text.end(), text.begin(), text.end());
    column.text.push_back('\0');
    column.start.push_back(static_cast<uint32_t>(column.text.size()));
}

size_t columnBytes(const FoldedColumn& column) {
    return column.text.capacity() + column.start.capacity() * sizeof(uint32_t);
}

}  // namespace

size_t FoldedIndex::bytes() const {
    return columnBytes(kanji) + columnBytes(reading) + columnBytes(romaji) + changed.capacity();
}

FoldedIndex buildFoldedIndex(const PlaceRecord* records, int count) {
    FoldedIndex index;
    index.records = records;
    index.count = count;
    for (FoldedColumn* column : {&index.kanji, &index.reading, &index.romaji}) {
        column->start.reserve(static_cast<size_t>(count) + 1);
        column->start.assign(1, 0);
    }
    index.changed.assign(static_cast<size_t>(count), 0);
    std::string kanji, reading, romaji;
    for (int i = 0; i < count; ++i) {
        const PlaceRecord& r = records[i];
        const size_t kanjiLength = strnlen(r.kanji, sizeof r.kanji);
        const size_t readingLength = strnlen(r.reading, sizeof r.reading);
        kanji.clear();
        reading.clear();
        romaji.clear();
        appendFolded(r.kanji, kanjiLength, kanji);
        appendFolded(r.reading, readingLength, reading);
        appendRomaji(reading.data(), reading.size(), romaji);
        if (kanji.compare(0, std::string::npos, r.kanji, kanjiLength) != 0) index.changed[i] |= kKanjiChanged;
        if (reading.compare(0, std::string::npos, r.reading, readingLength) != 0) index.changed[i] |= kReadingChanged;
        appendEntry(index.kanji, kanji);
        appendEntry(index.reading, reading);
        appendEntry(index.romaji, romaji);
    }
    for (FoldedColumn* column : {&index.kanji, &index.reading, &index.romaji}) column->text.shrink_to_fit();
    return index;
}

}  // namespace orvetta
