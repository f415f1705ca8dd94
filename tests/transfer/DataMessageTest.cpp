#include "transfer/DataMessage.h"
#include "transfer/ReplyMatcher.h"

#include <gtest/gtest.h>

#include <string>

using vexel::DataMessage;
using vexel::FileText;

namespace {

// A 96 x 24 one-frame image: count line, header, 24 rows of 12 bytes.
std::string exampleHex(const std::string& row = std::string(24, '0'))
{
    std::string hex = "0001";
    hex += "000001F4000000000060" "0018";
    for (int r = 0; r < 24; ++r)
        hex += row;
    return hex;
}

unsigned byteSum(const QByteArray& bytes)
{
    unsigned sum = 0;
    for (char c : bytes)
        sum += static_cast<unsigned char>(c);
    return sum;
}

} // namespace

TEST(DataMessage, ExampleFileGivesThe323ByteMessage)
{
    const auto message = DataMessage::build({{"route.img", exampleHex()}});
    ASSERT_TRUE(message.ok()) << message.error().toStdString();
    EXPECT_EQ(message->length(), 323);
    EXPECT_EQ(message->block().size(), 305);
    // 1 + 0x01 + 0x2E for the counts, 366 for the file's non-zero bytes.
    EXPECT_EQ(message->bytes().left(18), QByteArray("\r\nDATA=0131,019E\r\n"));
    EXPECT_EQ(message->checksum(), byteSum(message->block()) & 0xFFFF);
    EXPECT_EQ(message->block().left(3), QByteArray::fromHex("01012E"));
    EXPECT_EQ(message->block().mid(3), QByteArray::fromHex(QByteArray::fromStdString(exampleHex())));
}

TEST(DataMessage, HexViewCarriesTheDataHexTextInPlaceOfTheBlock)
{
    const auto message = DataMessage::build({{"a.img", "00FF"}, {"b.img", "abcdef"}});
    ASSERT_TRUE(message.ok());
    EXPECT_EQ(message->hexView(), QByteArray("\r\nDATA=000A,") +
                                      QByteArray::number(message->checksum(), 16).toUpper().rightJustified(4, '0') +
                                      "\r\n0200020" "0FF0003abcdef");
    EXPECT_EQ(message->block(), QByteArray::fromHex("02000200FF0003ABCDEF"));
}

TEST(DataMessage, ChecksumCoversCountsAndWrapsAt65536)
{
    // 1 + 0x01 + 0x01 + 256 x 0xFF + 0xFE = 65537.
    std::string hex;
    for (int i = 0; i < 256; ++i)
        hex += "FF";
    hex += "FE";
    const auto message = DataMessage::build({{"big.img", hex}});
    ASSERT_TRUE(message.ok());
    EXPECT_EQ(message->checksum(), 1);
    EXPECT_EQ(message->bytes().mid(12, 4), QByteArray("0001"));
}

TEST(DataMessage, ReadRequestIsAlwaysTheSameNineBytes)
{
    EXPECT_EQ(DataMessage::readMessage(), QByteArray::fromHex("0D0A524541443D0D0A"));
}

TEST(DataMessage, PayloadLengthLeavesOutCountByteAndHeader)
{
    EXPECT_EQ(*DataMessage::payloadLength({{"route.img", exampleHex()}}), 304);
    EXPECT_EQ(*DataMessage::payloadLength({{"a", "00"}, {"b", ""}}), 5);
    EXPECT_EQ(*DataMessage::payloadLength({}), 0);
    EXPECT_FALSE(DataMessage::payloadLength({{"a", "0G"}}).ok());
}

struct Refusal {
    const char* what;
    std::vector<FileText> files;
    const char* expected; // part of the message
};

class DataMessageRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(DataMessageRefusal, NamesTheFileOrTheLimit)
{
    const auto message = DataMessage::build(GetParam().files);
    ASSERT_FALSE(message.ok());
    EXPECT_NE(message.error().toStdString().find(GetParam().expected), std::string::npos) << message.error().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataMessageRefusal,
    ::testing::Values(Refusal{"odd", {{"ok.img", "00"}, {"odd.img", "001"}}, "\"odd.img\" has an odd number"},
                      Refusal{"non-hex", {{"bad.img", "00G1"}}, "\"bad.img\": '$G1' is not a valid integer value"},
                      Refusal{"too many files", std::vector<FileText>(256, FileText{"e.img", ""}), "at most 255 files"},
                      Refusal{"file too long", {{"huge.img", std::string(2 * 65536, '0')}}, "\"huge.img\" holds 65536"},
                      Refusal{"block too long", {{"p.img", std::string(2 * 65531, '0')}, {"q.img", ""}},
                              "come to 65536 bytes"}),
    [](const auto& row) {
        std::string name = row.param.what;
        for (char& c : name)
            if (c == ' ' || c == '-')
                c = '_';
        return name;
    });

TEST(DataMessage, LimitsThemselvesStillTravel)
{
    EXPECT_TRUE(DataMessage::build(std::vector<FileText>(255, FileText{"e.img", ""})).ok());
    // 1 + 2 + 65532 = 65535, the largest block the length field holds.
    const auto largest = DataMessage::build({{"p.img", std::string(2 * 65532, '0')}});
    ASSERT_TRUE(largest.ok());
    EXPECT_EQ(largest->bytes().mid(7, 4), QByteArray("FFFF"));
}

TEST(ReplyMatcher, OnlyTheWholeTextOfAnAcceptedReplyCounts)
{
    const struct {
        QByteArray text;
        bool accepted;
    } cases[] = {{"OK\r\n", true},  {"CS\r\n", true},       {"LN\r\n", true},   {"ok\r\n", false},
                 {"OK\n", false},   {"\r\nOK\r\n", false}, {"OK\r\nX", false}, {"OK\r", false}};
    for (const auto& c : cases) {
        vexel::ReplyMatcher matcher;
        bool last = false;
        for (char byte : c.text)
            last = matcher.append(byte);
        EXPECT_EQ(last, c.accepted) << c.text.toHex().constData();
    }
}

TEST(ReplyMatcher, StatusAndLogTexts)
{
    vexel::ReplyMatcher matcher;
    EXPECT_EQ(matcher.statusText(), QString());
    EXPECT_EQ(matcher.hexLine(), QString());
    matcher.append('\r');
    EXPECT_EQ(matcher.statusText(), QStringLiteral("\r"));
    for (char c : QByteArray("\nok\r\n"))
        matcher.append(c);
    EXPECT_EQ(matcher.statusText(), QStringLiteral("\r\n"));
    EXPECT_EQ(matcher.hexLine(), QStringLiteral("0D0A6F6B0D0A"));
}
