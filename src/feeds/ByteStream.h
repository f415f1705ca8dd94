#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace vexel {

// Bytes read in pieces from a source that may be far larger than memory
// (a member of a zip, a file), each source bounding what it hands out.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Up to `capacity` bytes into `data`: how many, 0 at the end, -1 on a
    // fault (then error() says which).
    virtual qint64 read(char* data, qint64 capacity) = 0;
    virtual const QString& error() const = 0;
};

// Bytes already in memory, read as a stream; the array must outlive it.
class MemoryStream : public ByteStream {
public:
    explicit MemoryStream(const QByteArray& bytes) : bytes_(bytes) {}
    qint64 read(char* data, qint64 capacity) override
    {
        const qint64 n = std::min<qint64>(capacity, bytes_.size() - pos_);
        std::memcpy(data, bytes_.constData() + pos_, static_cast<std::size_t>(n));
        pos_ += n;
        return n;
    }
    const QString& error() const override { return error_; }

private:
    const QByteArray& bytes_;
    qint64 pos_ = 0;
    QString error_;
};

} // namespace vexel
