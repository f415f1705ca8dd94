#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace vexel {

// One file of the send list: its name, for messages, and its lines joined
// without line ends.
struct FileText {
    QString name;

    std::string hex;
};

// The DATA message that carries the send list to the board:
// "\r\nDATA=" LLLL "," SSSS "\r\n" and the binary block
// (file count, then per file a 2-byte count and its bytes).
class DataMessage {
public:
    // The widths of the count and length fields.
    static constexpr int MaxFiles = 0xFF;
    static constexpr int MaxFileBytes = 0xFFFF;
    static constexpr int MaxBlockBytes = 0xFFFF;
    static constexpr int HeaderLength = 18;

    // Refuses what the fields cannot carry, and files whose text is not
    // whole hex pairs, naming the file or the limit; nothing half-built.
    static Expected<DataMessage> build(const std::vector<FileText>& files);

    // The block without its count byte: the sum of 2 + byte count per file.
    // Counts beyond the limits too, so the user sees how far over they are.
    static Expected<int> payloadLength(const std::vector<FileText>& files);

    // Whether a file's text can travel: whole hex pairs within the length field.
    static Status checkFile(const FileText& file);
    // Only that the text is whole hex pairs.
    static Status checkPairs(const FileText& file);

    // Byte sum of a block, wrapping at 65536.
    static std::uint16_t checksum(const QByteArray& block);

    // How a message's size is named wherever it is shown: the data block,
    // which the header's length field counts and the board checks, and the
    // whole message, header included, which is what goes down the line.
    // "data block 789 bytes, checksum 1A2B" (no checksum when it is -1).
    static QString blockFigure(long long blockLength, int checksum = -1);
    // "whole message 807 bytes".
    static QString messageFigure(long long blockLength);

    // "\r\nREAD=\r\n", the same nine bytes every time.
    static QByteArray readMessage();

    const QByteArray& bytes() const { return bytes_; }
    int length() const { return static_cast<int>(bytes_.size()); }
    int blockLength() const { return length() - HeaderLength; }
    QByteArray block() const { return bytes_.mid(HeaderLength); }
    std::uint16_t checksum() const { return checksum_; }
    // The message with the data hex text in place of the block, for the log.
    const QByteArray& hexView() const { return hexView_; }

private:
    QByteArray bytes_;
    QByteArray hexView_;
    std::uint16_t checksum_ = 0;
};

} // namespace vexel
