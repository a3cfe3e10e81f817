// The two readers behind readLog, one per format, and the loop that feeds
// either from a source through the one buffer.
#pragma once

#include <memory>

#include "log/log_reader.h"

namespace orvetta {

ReadResult readAdif(LogSource& source, const ContactSink& sink);
ReadResult readHamlogCsv(LogSource& source, const ContactSink& sink);

// Feeds the whole of `source` to `parser` (feed(bytes, size), finish(),
// records()) through one buffer of kLogBufferSize bytes.
template <typename Parser>
ReadResult readWith(LogSource& source, Parser& parser) {
    ReadResult result;
    std::unique_ptr<char[]> buffer(new char[kLogBufferSize]);
    for (;;) {
        const long long got = source.read(buffer.get(), kLogBufferSize);
        if (got < 0) result.readError = true;
        if (got <= 0) break;
        parser.feed(buffer.get(), static_cast<size_t>(got));
    }
    parser.finish();
    result.records = parser.records();
    return result;
}

}  // namespace orvetta
