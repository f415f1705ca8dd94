#pragma once

#include <QtGlobal>

#include <string>

namespace vexel {

// Bytes read in pieces from a source that may be far larger than memory
// (a member of a zip, a file), each source bounding what it hands out.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Up to `capacity` bytes into `data`: how many, 0 at the end, -1 on a
    // fault (then error() says which).
    virtual qint64 read(char* data, qint64 capacity) = 0;
    virtual const std::string& error() const = 0;
};

} // namespace vexel
