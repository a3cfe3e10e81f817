// Fuzz target for the update file: file contents through the line reader, the
// parser and the merge, into the shipped dictionary.
//
// Input layout: byte 0 picks the mode.
//   even: the rest is the file as it stands;
//   odd:  the rest drives a builder that writes mostly well-formed lines
//         (comments, blank lines, data lines of every kind with numbers that
//         often exist already), so the merge sees many insertions.
// The record array is the exact heap block that loading allocates and the
// file buffer is exact too, so the address sanitizer catches any access
// outside either. After 0 every region invariant must hold; after -1 the
// array and tables must be exactly as shipped and a fault must be named.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "tests/update_invariants.h"
#include "update/update_file.h"

namespace {

using namespace orvetta;

PlaceList places;  // the fuzzer's own list, loaded once
std::vector<PlaceRecord>* gShipped;

class Builder {
public:
    Builder(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool more() const { return at_ < size_; }
    uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

    std::string build() {
        std::string file;
        while (more() && file.size() < 16384) {
            const uint8_t op = next();
            switch (op % 8) {
            case 0: file += ";" + raw(next() % 8); break;
            case 1: break;  // blank line
            case 2: file += raw(next() % 40); break;
            default: file += dataLine(op); break;
            }
            file += (next() % 16 == 0) ? "\n" : "\r\n";
        }
        return file;
    }

private:
    std::string raw(int length) {
        std::string s;
        for (int i = 0; i < length && more(); ++i) s += static_cast<char>(next());
        return s;
    }
    std::string digits(int count, int modulo) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%0*d", count, next() % modulo);
        return buffer;
    }
    std::string dataLine(uint8_t op) {
        static const char* const kSuffixes[] = {"\x8es", "\x8cS", "\x8b\xe6", "\x92\xac", "\x91\xba"};  // 市郡区町村
        const int kind = (op >> 3) % 5;
        std::string number = digits(2, 50);  // 00..49: a few codes out of range
        switch (kind) {
        case 0: number += digits(2, 40); break;
        case 1: number += digits(3, 30); break;
        case 2: number += digits(2, 20) + digits(2, 30); break;
        default: number += digits(3, 30) + static_cast<char>('A' + next() % 20); break;
        }
        if (op & 0x40) number.resize(next() % 9);  // now and then too short or too long
        std::string name = raw(next() % 18) + kSuffixes[next() % 5];
        std::string reading(next() % 32, 'a');
        const char mark = (op & 0x80) ? static_cast<char>(next()) : '1';
        return number + "," + name + "," + reading + "," + mark;
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "update_fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    check(loadDictionary(places) == decodedDictionarySize(), "dictionary did not load");
    gShipped = new std::vector<PlaceRecord>(places.records, places.records + recordArraySlots());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string file;
    if (data[0] % 2 == 0)
        file.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    else
        file = Builder(data + 1, size - 1).build();

    // The file buffer: the bytes and one NUL, nothing more.
    std::unique_ptr<char[]> buffer(new char[file.size() + 1]);
    std::memcpy(buffer.get(), file.data(), file.size());
    buffer[file.size()] = '\0';

    std::memcpy(places.records, gShipped->data(), gShipped->size() * sizeof(PlaceRecord));
    resetRegionTables(places);
    UpdateError error;
    const int result =
        readUpdateText(buffer.get(), file.size(), places.records, places.areaTable, places.prefectureTable, &error);
    // A rejection names a fault, on a line of the file where it has one.
    check((result == kUpdateMerged) == (error.fault == UpdateFault::None), "fault does not match the result");
    check(error.line >= 0 && static_cast<size_t>(error.line) <= file.size(), "fault on a line beyond the file");
    if (result == kUpdateMerged) {
        const std::string broken =
            test::checkRegionInvariants(places.records, recordArraySlots(), places.areaTable, places.prefectureTable);
        if (!broken.empty()) std::fprintf(stderr, "update_fuzz: %s\n", broken.c_str());
        check(broken.empty(), "invariant broken after a merge");
    } else {
        check(result == kUpdateRejected, "unexpected result");
        check(std::memcmp(places.records, gShipped->data(), gShipped->size() * sizeof(PlaceRecord)) == 0,
              "rejected file changed records");
        check(std::memcmp(places.areaTable, shippedAreaTable(), sizeof places.areaTable) == 0,
              "rejected file changed the area table");
        check(std::memcmp(places.prefectureTable, shippedPrefectureTable(), sizeof places.prefectureTable) == 0,
              "rejected file changed the prefecture table");
    }
    return 0;
}
