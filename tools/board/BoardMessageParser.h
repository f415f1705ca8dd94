#pragma once

#include "document/ImageRecord.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace board {

// Reads the controller's side of the line: READ requests and DATA messages
// ("\r\nDATA=LLLL,SSSS\r\n" and LLLL bytes of block). Keeps no limits of
// its own beyond what the header can say, so any byte stream is safe.
class BoardMessageParser {
public:
    static constexpr std::size_t MaxLineLength = 64;

    enum class Kind {
        Read,        // "READ="
        Data,        // complete, checksum right, every file an image
        BadChecksum, // the block does not sum to the header's checksum
        ShortBlock,  // the line went quiet before the block was complete
        BadCounts,   // file count and byte counts do not fill the block
        BadImage,    // a file is not a well-formed image
    };

    struct Message {
        Kind kind = Kind::Read;
        int declaredLength = 0;
        int receivedLength = 0;
        std::uint16_t declaredChecksum = 0;
        std::uint16_t blockChecksum = 0;
        std::vector<QByteArray> files;
        std::vector<vexel::ImageRecord> images; // for Data
        std::string detail;

        // What the controller answers: "OK\r\n", "CS\r\n" or "LN\r\n".
        QByteArray reply() const;
        // One line for the log.
        std::string describe() const;
    };

    // Every message completed by these bytes, in order.
    std::vector<Message> feed(const char* data, std::size_t size);
    // The line went quiet: a block still waiting for bytes ends short.
    std::optional<Message> expire();
    bool inBlock() const { return state_ == State::Block; }

private:
    enum class State { Line, Block };

    void endLine(std::vector<Message>& out);
    Message finishBlock();

    State state_ = State::Line;
    std::string line_;
    bool lineTooLong_ = false;
    QByteArray block_;
    int expected_ = 0;
    std::uint16_t declaredChecksum_ = 0;
};

} // namespace board
