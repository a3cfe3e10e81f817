#include "log/problem_list.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace orvetta {

namespace {

// One problem, encoded: its size (4 bytes, itself included), the fixed
// fields, then call, date, number and state, each as 2 length bytes and the
// text. The file lives only as long as this process, so the facts pointer is
// stored as it is.
struct FixedFields {
    int64_t record;
    uint64_t offset;
    const NumberFacts* facts;
    int32_t file;
    int32_t columns;
    uint8_t reason;
    uint8_t fault;
};

template <typename T>
void put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(std::string& out, const std::string& text) {
    const uint16_t size = static_cast<uint16_t>(std::min<size_t>(text.size(), UINT16_MAX));
    put(out, size);
    out.append(text.data(), size);
}

void encode(const Problem& p, std::string& out) {
    const size_t start = out.size();
    put(out, uint32_t{0});
    put(out, FixedFields{p.record, p.offset, p.facts, p.file, p.columns, static_cast<uint8_t>(p.reason),
                         static_cast<uint8_t>(p.fault)});
    putText(out, p.call);
    putText(out, p.date);
    putText(out, p.number);
    putText(out, p.state);
    const uint32_t size = static_cast<uint32_t>(out.size() - start);
    std::memcpy(out.data() + start, &size, sizeof size);
}

// Reads a value at `at`, which the record's size says is inside it.
template <typename T>
T take(const char* bytes, size_t& at) {
    T value;
    std::memcpy(&value, bytes + at, sizeof value);
    at += sizeof value;
    return value;
}

std::string takeText(const char* bytes, size_t& at) {
    const uint16_t size = take<uint16_t>(bytes, at);
    std::string text(bytes + at, size);
    at += size;
    return text;
}

Problem decode(const char* bytes) {
    size_t at = sizeof(uint32_t);
    const FixedFields fixed = take<FixedFields>(bytes, at);
    Problem p;
    p.record = static_cast<long>(fixed.record);
    p.offset = fixed.offset;
    p.facts = fixed.facts;
    p.file = fixed.file;
    p.columns = fixed.columns;
    p.reason = static_cast<Reason>(fixed.reason);
    p.fault = static_cast<RecordFault>(fixed.fault);
    p.call = takeText(bytes, at);
    p.date = takeText(bytes, at);
    p.number = takeText(bytes, at);
    p.state = takeText(bytes, at);
    return p;
}

uint32_t sizeAt(const char* bytes) {
    uint32_t size;
    std::memcpy(&size, bytes, sizeof size);
    return size;
}

// Hands the whole problems in bytes[0, size) to `visit`; returns the bytes used.
size_t visitWhole(const char* bytes, size_t size, const std::function<void(const Problem&)>& visit) {
    size_t at = 0;
    while (size - at >= sizeof(uint32_t) && size - at >= sizeAt(bytes + at)) {
        visit(decode(bytes + at));
        at += sizeAt(bytes + at);
    }
    return at;
}

}  // namespace

ProblemList::~ProblemList() {
    if (file_) std::fclose(file_);
}

void ProblemList::push_back(const Problem& problem) {
    encode(problem, window_);
    ++count_;
    if (window_.size() >= kMemoryWindow && !fileFailed_) spill();
}

// Appends the window to the file; on any failure the window stays and the
// list keeps to memory from then on.
void ProblemList::spill() {
    if (!file_) file_ = std::tmpfile();
    const bool written = file_ && std::fseek(file_, 0, SEEK_END) == 0 &&
                         std::fwrite(window_.data(), 1, window_.size(), file_) == window_.size();
    if (!written) {
        fileFailed_ = true;
        return;
    }
    fileBytes_ += window_.size();
    window_.clear();
}

bool ProblemList::forEach(const std::function<void(const Problem&)>& visit) const {
    if (fileBytes_ > 0) {
        if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
        std::string chunk;
        const std::unique_ptr<char[]> buffer(new char[kMemoryWindow]);
        uint64_t left = fileBytes_;
        while (left > 0) {
            const size_t want = static_cast<size_t>(std::min<uint64_t>(left, kMemoryWindow));
            const size_t got = std::fread(buffer.get(), 1, want, file_);
            if (got == 0) return false;
            left -= got;
            chunk.append(buffer.get(), got);
            chunk.erase(0, visitWhole(chunk.data(), chunk.size(), visit));
        }
        if (!chunk.empty()) return false;
    }
    visitWhole(window_.data(), window_.size(), visit);
    return true;
}

}  // namespace orvetta
