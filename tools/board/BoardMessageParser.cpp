#include "BoardMessageParser.h"

#include "BoardImage.h"
#include "document/HexConvert.h"

#include <algorithm>
#include <cstdio>

namespace board {

namespace {

int hexValue(char c) { return vexel::hexDigitValue(c); }

// Four hex digits, either case; -1 otherwise.
int field4(const std::string& text, std::size_t at)
{
    int value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

} // namespace

QByteArray BoardMessageParser::Message::reply() const
{
    switch (kind) {
    case Kind::Read:
    case Kind::Data:
        return QByteArrayLiteral("OK\r\n");
    case Kind::BadChecksum:
        return QByteArrayLiteral("CS\r\n");
    case Kind::ShortBlock:
    case Kind::BadCounts:
    case Kind::BadImage:
        break;
    }
    return QByteArrayLiteral("LN\r\n");
}

std::string BoardMessageParser::Message::describe() const
{
    const std::string answer = reply().left(2).toStdString();
    switch (kind) {
    case Kind::Read:
        return "READ -> " + answer;
    case Kind::Data:
        return "DATA " + std::to_string(declaredLength) + " bytes, " + std::to_string(files.size()) +
               " files, checksum " + hex4(declaredChecksum) + " -> " + answer;
    case Kind::BadChecksum:
        return "DATA " + std::to_string(declaredLength) + " bytes, checksum " + hex4(declaredChecksum) +
               " but the block sums to " + hex4(blockChecksum) + " -> " + answer;
    case Kind::ShortBlock:
        return "DATA " + std::to_string(receivedLength) + " of " + std::to_string(declaredLength) +
               " bytes, then silence -> " + answer;
    case Kind::BadCounts:
    case Kind::BadImage:
        break;
    }
    return "DATA " + std::to_string(declaredLength) + " bytes: " + detail + " -> " + answer;
}

std::vector<BoardMessageParser::Message> BoardMessageParser::feed(const char* data, std::size_t size)
{
    std::vector<Message> out;
    std::size_t i = 0;
    while (i < size) {
        if (state_ == State::Block) {
            const std::size_t wanted = static_cast<std::size_t>(expected_) - static_cast<std::size_t>(block_.size());
            const std::size_t taken = std::min(wanted, size - i);
            block_.append(data + i, static_cast<qsizetype>(taken));
            i += taken;
            if (block_.size() == expected_)
                out.push_back(finishBlock());
            continue;
        }
        const char c = data[i++];
        if (c == '\n') {
            endLine(out);
            continue;
        }
        if (c == '\r')
            continue;
        if (line_.size() < MaxLineLength)
            line_ += c;
        else
            lineTooLong_ = true;
    }
    return out;
}

void BoardMessageParser::endLine(std::vector<Message>& out)
{
    const std::string line = line_;
    const bool tooLong = lineTooLong_;
    line_.clear();
    lineTooLong_ = false;
    if (tooLong)
        return;
    if (line == "READ=") {
        out.push_back(Message{});
        return;
    }
    // DATA=LLLL,SSSS
    if (line.size() != 14 || line.compare(0, 5, "DATA=") != 0 || line[9] != ',')
        return;
    const int length = field4(line, 5);
    const int sum = field4(line, 10);
    if (length < 0 || sum < 0)
        return;
    expected_ = length;
    declaredChecksum_ = static_cast<std::uint16_t>(sum);
    block_.clear();
    state_ = State::Block;
    if (expected_ == 0)
        out.push_back(finishBlock());
}

std::optional<BoardMessageParser::Message> BoardMessageParser::expire()
{
    line_.clear();
    lineTooLong_ = false;
    if (state_ != State::Block)
        return std::nullopt;
    Message message;
    message.kind = Kind::ShortBlock;
    message.declaredLength = expected_;
    message.receivedLength = static_cast<int>(block_.size());
    message.declaredChecksum = declaredChecksum_;
    state_ = State::Line;
    block_.clear();
    return message;
}

namespace {

// The block's files: a count byte, then each file after its two-byte
// length. False, with the detail said and no files kept, when the counts
// do not add up to the block.
bool splitFiles(const QByteArray& block, BoardMessageParser::Message& message)
{
    if (block.isEmpty()) {
        message.detail = "no file count";
        return false;
    }
    const int count = static_cast<unsigned char>(block[0]);
    qsizetype pos = 1;
    for (int f = 0; f < count; ++f) {
        if (block.size() - pos < 2) {
            message.detail = "file " + std::to_string(f + 1) + " of " + std::to_string(count) + " has no byte count";
            message.files.clear();
            return false;
        }
        const int length = static_cast<unsigned char>(block[pos]) * 256 + static_cast<unsigned char>(block[pos + 1]);
        pos += 2;
        if (block.size() - pos < length) {
            message.detail = "file " + std::to_string(f + 1) + " says " + std::to_string(length) + " bytes, " +
                             std::to_string(block.size() - pos) + " are left";
            message.files.clear();
            return false;
        }
        message.files.push_back(block.mid(pos, length));
        pos += length;
    }
    if (pos != block.size()) {
        message.detail = std::to_string(block.size() - pos) + " bytes left over after " + std::to_string(count) +
                         " files";
        message.files.clear();
        return false;
    }
    return true;
}

// Each file read as an image; false, with the detail said and no images
// kept, at the first that is not one.
bool decodeImages(BoardMessageParser::Message& message)
{
    for (std::size_t f = 0; f < message.files.size(); ++f) {
        vexel::Expected<vexel::ImageRecord> image = decodeImage(message.files[f]);
        if (!image) {
            message.detail = "file " + std::to_string(f + 1) + " is not an image: " + image.error().toStdString();
            message.images.clear();
            return false;
        }
        message.images.push_back(std::move(image).value());
    }
    return true;
}

} // namespace

BoardMessageParser::Message BoardMessageParser::finishBlock()
{
    state_ = State::Line;
    Message message;
    message.declaredLength = expected_;
    message.receivedLength = static_cast<int>(block_.size());
    message.declaredChecksum = declaredChecksum_;
    std::uint16_t sum = 0;
    for (char c : block_)
        sum = static_cast<std::uint16_t>(sum + static_cast<unsigned char>(c));
    message.blockChecksum = sum;
    const QByteArray block = block_;
    block_.clear();

    if (sum != declaredChecksum_) {
        message.kind = Kind::BadChecksum;
        return message;
    }
    if (!splitFiles(block, message)) {
        message.kind = Kind::BadCounts;
        return message;
    }
    if (!decodeImages(message)) {
        message.kind = Kind::BadImage;
        return message;
    }
    message.kind = Kind::Data;
    return message;
}

} // namespace board
