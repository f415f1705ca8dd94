// The virtual board's parser, fed with what the editor's message builder
// makes: the two sides must agree byte for byte.
#include "BoardMessageParser.h"
#include "transfer/DataMessage.h"

#include "document/HexConvert.h"

#include <gtest/gtest.h>

using board::BoardMessageParser;
using Kind = BoardMessageParser::Kind;

namespace {

// Frame 0 covers a 96 x 24 board; later frames a 16 x 2 window at X 8,
// whose rows are two bytes.
vexel::ImageRecord image(int frames)
{
    std::vector<std::string> lines{vexel::toHex(static_cast<unsigned>(frames), 4), "000001F4000000000060" "0018"};
    for (int r = 0; r < 24; ++r)
        lines.push_back(r % 2 ? "F0F0F0F0F0F0F0F0F0F0F0F0" : "000000000000000000000001");
    for (int f = 1; f < frames; ++f) {
        lines.push_back(vexel::toHex(static_cast<unsigned>(f), 2) + "12" "03E8" "0008" "0004" "0010" "0002");
        lines.push_back("ABCD");
        lines.push_back("1234");
    }
    return vexel::ImageRecord(lines);
}

QByteArray dataMessage(const std::vector<std::string>& hexTexts)
{
    std::vector<vexel::FileText> files;
    for (const auto& hex : hexTexts)
        files.push_back({"f.img", hex});
    const auto message = vexel::DataMessage::build(files);
    return message.ok() ? message->bytes() : QByteArray();
}

std::vector<BoardMessageParser::Message> feedAll(BoardMessageParser& parser, const QByteArray& bytes, int chunk)
{
    std::vector<BoardMessageParser::Message> out;
    for (qsizetype at = 0; at < bytes.size(); at += chunk) {
        const auto size = static_cast<std::size_t>(std::min<qsizetype>(chunk, bytes.size() - at));
        for (auto& m : parser.feed(bytes.constData() + at, size))
            out.push_back(std::move(m));
    }
    return out;
}

} // namespace

class BoardParserChunks : public ::testing::TestWithParam<int> {};

TEST_P(BoardParserChunks, FilesComeBackAsTheImagesThatWereSent)
{
    const std::vector<vexel::ImageRecord> sent = {image(1), image(3), image(2)};
    std::vector<std::string> hex;
    for (const auto& r : sent)
        hex.push_back(r.hexText());
    BoardMessageParser parser;
    const QByteArray stream = vexel::DataMessage::readMessage() + dataMessage(hex) + vexel::DataMessage::readMessage();
    const auto messages = feedAll(parser, stream, GetParam());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].kind, Kind::Read);
    EXPECT_EQ(messages[2].kind, Kind::Read);
    ASSERT_EQ(messages[1].kind, Kind::Data) << messages[1].describe();
    ASSERT_EQ(messages[1].images.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(messages[1].images[i].lines(), sent[i].lines()) << "file " << i;
    EXPECT_EQ(messages[1].reply(), QByteArray("OK\r\n"));
    EXPECT_FALSE(parser.inBlock());
}

INSTANTIATE_TEST_SUITE_P(Chunks, BoardParserChunks, ::testing::Values(1, 3, 17, 4096));

struct Damage {
    const char* what;
    QByteArray message;
    Kind kind;
    const char* reply;
};

class BoardParserDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(BoardParserDamage, Answers)
{
    BoardMessageParser parser;
    auto messages = parser.feed(GetParam().message.constData(), static_cast<std::size_t>(GetParam().message.size()));
    if (messages.empty()) {
        auto expired = parser.expire();
        ASSERT_TRUE(expired.has_value());
        messages.push_back(*expired);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, GetParam().kind) << messages[0].describe();
    EXPECT_EQ(messages[0].reply(), QByteArray(GetParam().reply));
}

namespace {

QByteArray withBlock(const QByteArray& lengthField, const QByteArray& block)
{
    const QByteArray sum = QByteArray::number(vexel::DataMessage::checksum(block), 16).rightJustified(4, '0');
    return "\r\nDATA=" + lengthField + "," + sum + "\r\n" + block;
}

QByteArray goodMessage() { return dataMessage({image(1).hexText()}); }

QByteArray flipped(QByteArray bytes, int at)
{
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, BoardParserDamage,
    ::testing::Values(
        Damage{"BitFlipInBlock", flipped(goodMessage(), 40), Kind::BadChecksum, "CS\r\n"},
        Damage{"Short", goodMessage().chopped(5), Kind::ShortBlock, "LN\r\n"},
        Damage{"CountsOverrunBlock", withBlock("0004", QByteArray::fromHex("01000500")), Kind::BadCounts, "LN\r\n"},
        Damage{"BytesLeftOver", withBlock("0004", QByteArray::fromHex("00AABBCC")), Kind::BadCounts, "LN\r\n"},
        Damage{"EmptyBlock", withBlock("0000", QByteArray()), Kind::BadCounts, "LN\r\n"},
        Damage{"NotAnImage", withBlock("0005", QByteArray::fromHex("0100020001")), Kind::BadImage, "LN\r\n"},
        Damage{"NoFiles", withBlock("0001", QByteArray::fromHex("00")), Kind::Data, "OK\r\n"}),
    [](const auto& row) { return std::string(row.param.what); });

TEST(BoardParser, IgnoresNoiseAndOverlongLines)
{
    BoardMessageParser parser;
    const QByteArray noise = QByteArray(500, 'x') + "READ=\r\n" + "\r\nDATA=zz\r\n" + "\r\nREAD=\r\n";
    const auto messages = parser.feed(noise.constData(), static_cast<std::size_t>(noise.size()));
    // The overlong line ends with the first LF, READ= with it; only the last request counts.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Kind::Read);
    EXPECT_FALSE(parser.expire().has_value());
}

TEST(BoardParser, ExpiryOutsideABlockDropsAPartialLine)
{
    BoardMessageParser parser;
    parser.feed("\r\nREA", 5);
    EXPECT_FALSE(parser.expire().has_value());
    EXPECT_TRUE(parser.feed("D=\r\n", 4).empty());
}
