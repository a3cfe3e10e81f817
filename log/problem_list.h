// The problem contacts of an award check, in the order they were found.
//
// A log may hold any number of them, so the list keeps only a small window
// in memory: once that fills, the entries move, encoded, to an anonymous
// temporary file, and the memory used stays the same however long the log.
// Where no temporary file can be made or written, the list keeps everything
// in memory instead; nothing is dropped.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "log/log_reader.h"

namespace orvetta {

// Why a contact counts for nothing (or, for PrefMismatch, only a warning).
// A contact gets the first reason that applies, in this order.
enum class Reason {
    BadRecord,     // the record could not be read
    BadDate,       // no possible date
    Unknown,       // not a number of JARL's lists or of the place list
    NotYet,        // the number did not exist yet on that day
    Ended,         // the number no longer counted on that day
    PrefMismatch,  // STATE names another prefecture; the contact still counts
};

struct NumberFacts;

struct Problem {
    int file = 0;         // index into AwardCheck::files()
    long record = 0;      // 1-based in its file
    uint64_t offset = 0;  // byte offset of the record or its fault
    std::string call;
    std::string date;    // "YYYY-MM-DD", or the date as written when it is impossible
    std::string number;  // folded, as the log gives it
    Reason reason = Reason::BadRecord;
    RecordFault fault = RecordFault::None;  // BadRecord: what is wrong
    int columns = 0;                        // BadRecord of CSV: columns found
    const NumberFacts* facts = nullptr;     // the number's facts, where the data has them
    std::string state;                      // PrefMismatch: the STATE written
};

class ProblemList {
public:
    // Encoded bytes kept in memory before they move to the temporary file.
    static constexpr size_t kMemoryWindow = 256 * 1024;

    ProblemList() = default;
    ~ProblemList();
    ProblemList(const ProblemList&) = delete;
    ProblemList& operator=(const ProblemList&) = delete;

    void push_back(const Problem& problem);
    long size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Hands every problem to `visit`, in order. False when the temporary file
    // could not be read back (the problems after the failure are not handed).
    bool forEach(const std::function<void(const Problem&)>& visit) const;

private:
    void spill();

    std::string window_;  // encoded problems not yet in the file
    mutable std::FILE* file_ = nullptr;
    uint64_t fileBytes_ = 0;   // bytes of whole problems written to the file
    bool fileFailed_ = false;  // no file, or a write failed: keep everything in memory
    long count_ = 0;
};

}  // namespace orvetta
