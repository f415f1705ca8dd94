// The virtual board's side of the line fed arbitrary bytes: however the
// bytes are cut into reads, the same messages come out, and a file's
// bytes decode to an image only when they are one.
#include "FuzzCheck.h"

#include "BoardImage.h"
#include "BoardMessageParser.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

using board::BoardMessageParser;

namespace {

bool same(const BoardMessageParser::Message& a, const BoardMessageParser::Message& b)
{
    return a.kind == b.kind && a.declaredLength == b.declaredLength && a.receivedLength == b.receivedLength &&
           a.declaredChecksum == b.declaredChecksum && a.files == b.files && a.reply() == b.reply();
}

std::vector<BoardMessageParser::Message> feedInReads(const std::uint8_t* data, std::size_t size, std::size_t seed)
{
    BoardMessageParser parser;
    std::vector<BoardMessageParser::Message> out;
    std::size_t at = 0;
    std::size_t step = seed;
    while (at < size) {
        step = step * 1103515245u + 12345u;
        // Seed 0: everything in one read.
        const std::size_t chunk = seed == 0 ? size - at : std::min<std::size_t>(1 + (step >> 16) % 97, size - at);
        for (auto& m : parser.feed(reinterpret_cast<const char*>(data) + at, chunk))
            out.push_back(std::move(m));
        at += chunk;
    }
    if (auto last = parser.expire())
        out.push_back(std::move(*last));
    FUZZ_CHECK(!parser.inBlock());
    for (const auto& m : out) {
        FUZZ_CHECK(m.reply().size() == 4);
        FUZZ_CHECK(!m.describe().empty());
        FUZZ_CHECK(m.receivedLength <= m.declaredLength);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<BoardMessageParser::Message> whole = feedInReads(data, size, 0);
    const std::vector<BoardMessageParser::Message> cut = feedInReads(data, size, size | 1);
    FUZZ_CHECK(whole.size() == cut.size());
    for (std::size_t i = 0; i < whole.size(); ++i)
        FUZZ_CHECK(same(whole[i], cut[i]));

    // The same bytes as the block of a message with a right header, so the
    // counts and the files behind the checksum are reached too.
    if (size <= 0xFFFF) {
        unsigned sum = 0;
        for (std::size_t i = 0; i < size; ++i)
            sum += data[i];
        char head[32];
        std::snprintf(head, sizeof head, "\r\nDATA=%04X,%04X\r\n", unsigned(size), sum & 0xFFFF);
        QByteArray message(head);
        message.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        BoardMessageParser parser;
        const auto got = parser.feed(message.constData(), static_cast<std::size_t>(message.size()));
        FUZZ_CHECK(got.size() == 1 && !parser.inBlock());
        FUZZ_CHECK(got.front().kind != BoardMessageParser::Kind::BadChecksum &&
                   got.front().kind != BoardMessageParser::Kind::ShortBlock);
        if (got.front().kind == BoardMessageParser::Kind::Data) {
            FUZZ_CHECK(got.front().images.size() == got.front().files.size());
        }
    }

    // The same bytes as one file of a message.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const vexel::Expected<vexel::ImageRecord> image = board::decodeImage(bytes);
    if (image) {
        FUZZ_CHECK(image->check().ok());
        FUZZ_CHECK(QByteArray::fromHex(QByteArray::fromStdString(image->hexText())) == bytes);
    }
    return 0;
}
