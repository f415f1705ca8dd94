#include "document/FrameHeader.h"
#include "document/HexConvert.h"
#include "document/ImageRecord.h"
#include "document/PixelArray.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

ImageRecord blankBoard(int width, int height)
{
    PixelArray bits;
    return ImageRecord::blank(0, 0, 500, width, height, bits);
}

// One frame per (width, height) entry, all placed at (0, 0).
ImageRecord framesOfHeights(std::initializer_list<int> heights)
{
    ImageRecord record;
    record.appendLine(toHex(static_cast<unsigned>(heights.size()), 4));
    PixelArray bits;
    int index = 0;
    for (int h : heights) {
        FrameHeader header;
        header.index = index++;
        header.duration = 500;
        header.rect = FrameRect{0, 0, 96, h};
        record.appendFrame(header, bits);
    }
    return record;
}

} // namespace

TEST(HexToInt, ConvertsEitherCaseAndNamesBadDigitsWithADollar)
{
    EXPECT_EQ(*Hex_To_Int("01F4"), 500);
    EXPECT_EQ(*Hex_To_Int("01f4"), 500);
    EXPECT_EQ(*Hex_To_Int("FFFF"), 65535);
    for (const char* bad : {"0G", "", "1 ", "-1", "0x1"}) {
        const Expected<int> v = Hex_To_Int(bad);
        ASSERT_FALSE(v) << bad;
        EXPECT_EQ(v.error().toStdString(), std::string("'$") + bad + "' is not a valid integer value");
    }
    EXPECT_EQ(toHex(0x1F4, 4), "01F4");
    EXPECT_EQ(toHex(0, 2), "00");
}

TEST(PixelArray, BitSevenIsTheLeftmostColumnOfEachByte)
{
    PixelArray bits;
    bits.setLit(0, 0, true);
    bits.setLit(7, 1, true);
    bits.setLit(8, 2, true);
    bits.setLit(15, 2, true);
    EXPECT_EQ(bits.byte(0, 0), 128);
    EXPECT_EQ(bits.byte(1, 0), 1);
    EXPECT_EQ(bits.byte(2, 0), 0);
    EXPECT_EQ(bits.byte(2, 1), 0x81);
    EXPECT_EQ(bits.rowLine(2, 0, 1), "0081");
    EXPECT_TRUE(bits.lit(15, 2));
    EXPECT_FALSE(bits.lit(14, 2));
}

TEST(PixelArray, AccessOutsideTheBlockIsDroppedNotWritten)
{
    PixelArray bits;
    const PixelArray before = bits;
    bits.setLit(-1, 0, true);
    bits.setLit(488, 0, true);
    bits.setLit(0, 101, true);
    bits.setByte(-1, 0, 0xFF);
    bits.setByte(0, 61, 0xFF);
    bits.clearBytes(200, 0, 60);
    EXPECT_EQ(bits, before);
    EXPECT_FALSE(bits.lit(488, 0));
    EXPECT_EQ(bits.byte(101, 0), 0);
}

TEST(PixelArray, RowLinesMustFitTheBytesLeftInTheirRow)
{
    PixelArray bits;
    EXPECT_TRUE(bits.storeRowLine(0, 59, "ABCD"));
    EXPECT_EQ(bits.byte(0, 60), 0xCD);
    EXPECT_FALSE(bits.storeRowLine(0, 60, "ABCD"));
    const Status odd = bits.storeRowLine(0, 0, "ABC");
    ASSERT_FALSE(odd);
    EXPECT_EQ(odd.error(), "'$C' is not a valid integer value");
    EXPECT_EQ(bits.storeRowLine(0, 0, "0Z").error(), "'$0Z' is not a valid integer value");
}

TEST(FrameHeader, ParsesAndFormatsTheTwentyFourCharacterLine)
{
    const Expected<FrameHeader> h = FrameHeader::parse("002301F40004000A00080003");
    ASSERT_TRUE(h);
    EXPECT_EQ(h->index, 0);
    EXPECT_EQ(h->entryEffect, 2);
    EXPECT_EQ(h->exitEffect, 3);
    EXPECT_EQ(h->duration, 500);
    EXPECT_EQ(h->rect, (FrameRect{4, 10, 8, 3}));
    EXPECT_EQ(h->format(), "002301F40004000A00080003");

    EXPECT_EQ(FrameHeader::parse("000001F4000000000060001G").error(), "'$001G' is not a valid integer value");
    EXPECT_FALSE(FrameHeader::parse("000001F400000000006000"));
}

TEST(FrameHeader, FieldsThatWouldWidenAreBroughtIntoTheirWidth)
{
    FrameHeader h;
    h.index = 300;
    h.entryEffect = -1;
    h.exitEffect = 16;
    h.duration = 70000;
    h.rect = FrameRect{-3, 0, 96, 24};
    const std::string line = h.format();
    EXPECT_EQ(line.size(), 24u);
    EXPECT_EQ(line, "FF0FFFFF0000000000600018");
}

TEST(FrameRect, RowLinesCarryWholeBytes)
{
    struct Case {
        FrameRect rect;
        int first, last, length;
    } cases[] = {
        {{0, 0, 96, 24}, 0, 11, 24},  // default board
        {{0, 0, 100, 24}, 0, 12, 26}, // last byte holds columns 96-99
        {{4, 0, 8, 3}, 0, 1, 4},      // LEDs beside the window ride along
        {{3, 0, 10, 3}, 0, 1, 4},     // X1 = 3 to X2 = 13
        {{480, 0, 8, 1}, 60, 60, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.rect.firstByte(), c.first);
        EXPECT_EQ(c.rect.lastByte(), c.last);
        EXPECT_EQ(c.rect.rowLineLength(), c.length);
    }
}

TEST(ImageRecord, NewDefaultBoardIsTheWorkedExample)
{
    const ImageRecord record = blankBoard(96, 24);
    ASSERT_EQ(record.lineCount(), 26);
    EXPECT_EQ(record.line(0), "0001");
    EXPECT_EQ(record.line(1), "000001F40000000000600018");
    for (int i = 2; i < 26; ++i)
        EXPECT_EQ(record.line(i), std::string(24, '0'));
    EXPECT_EQ(record.text().size(), 656u);
    EXPECT_TRUE(record.check());
}

TEST(ImageRecord, FramesAreLocatedThroughTheHeightsBeforeThem)
{
    const ImageRecord record = framesOfHeights({24, 8, 24});
    EXPECT_EQ(record.headerLine(0), 1);
    EXPECT_EQ(record.headerLine(1), 26);
    EXPECT_EQ(record.headerLine(2), 35);
    EXPECT_EQ(record.headerLine(3), -1);
    EXPECT_EQ(record.headerLine(-1), -1);
    EXPECT_TRUE(record.check());
}

TEST(ImageRecord, ReadFrameBitsFollowsTheLineLengthAndKeepsNeighbours)
{
    ImageRecord record({"0001", "000001F40004000000080002", "F00F", ""});
    PixelArray bits;
    bits.setByte(1, 0, 0xAA); // row 1 has an empty row line: cleared
    bits.setByte(0, 5, 0x55); // outside the window's bytes: kept
    const FrameRect window{4, 0, 8, 2};
    ASSERT_TRUE(record.readFrameBits(1, window, bits));
    EXPECT_EQ(bits.byte(0, 0), 0xF0);
    EXPECT_EQ(bits.byte(0, 1), 0x0F);
    EXPECT_EQ(bits.byte(1, 0), 0);
    EXPECT_EQ(bits.byte(0, 5), 0x55);
}

TEST(ImageRecord, StoringAWideFrameOnANarrowBoardCapsWidth)
{
    // W = 0080 on a 96-wide board: rows of 16 bytes, shown and stored as 12.
    ImageRecord record({"0001", "000001F40000000000800001", std::string(30, '0') + "FF"});
    ASSERT_TRUE(record.check());
    const FrameHeader header = *record.headerAt(1);
    EXPECT_EQ(header.cappedRect(96, 24).w, 96);
    PixelArray bits;
    ASSERT_TRUE(record.readFrameBits(1, header.cappedRect(96, 24), bits));
    EXPECT_EQ(bits.byte(0, 15), 0xFF);
    ASSERT_TRUE(record.storeFrame(1, 0, 0, 0, 500, bits, 96, 24));
    EXPECT_EQ(record.line(1), "000001F40000000000600001");
    EXPECT_EQ(record.line(2).size(), 24u);
}

TEST(ImageRecord, StoringOnALowerBoardDropsTheSurplusRowLines)
{
    ImageRecord record = framesOfHeights({24, 8});
    PixelArray bits;
    bits.setLit(0, 0, true);
    ASSERT_TRUE(record.storeFrame(1, 0, 1, 2, 1000, bits, 96, 10));
    EXPECT_EQ(record.line(1), "001203E8000000000060000A");
    EXPECT_EQ(record.line(2), "80" + std::string(22, '0'));
    EXPECT_EQ(record.lineCount(), 1 + 11 + 9); // frame 1 keeps its 8 rows
    EXPECT_TRUE(record.check());
    EXPECT_EQ(record.headerLine(1), 12);
}

struct RefusedRecord {
    const char* name;
    std::vector<std::string> lines;
    const char* reason; // part of the message
};

class RecordCheck : public ::testing::TestWithParam<RefusedRecord> {};

TEST_P(RecordCheck, RefusesWithTheLineAtFault)
{
    const RefusedRecord& c = GetParam();
    const Status s = ImageRecord(c.lines).check();
    ASSERT_FALSE(s);
    EXPECT_NE(s.error().toStdString().find(c.reason), std::string::npos) << s.error().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    BadImages, RecordCheck,
    ::testing::Values(
        RefusedRecord{"Empty", {}, "no image"},
        RefusedRecord{"CountNotHex", {"00G1", "000001F40000000000080001", "00"}, "line 1: '$00G1'"},
        RefusedRecord{"CountZero", {"0000"}, "at least one frame"},
        RefusedRecord{"HeaderNotHex", {"0001", "0000X1F40000000000080001", "00"}, "line 2: '$X1F4'"},
        RefusedRecord{"HeaderShort", {"0001", "000001F4000000000008", "00"}, "line 2: a frame header"},
        RefusedRecord{"MissingFrame", {"0002", "000001F40000000000080001", "00"}, "line 4: frame 1 is missing"},
        RefusedRecord{"MissingRows", {"0001", "000001F40000000000080003", "00", "00"}, "line 5: frame 0 has 2"},
        RefusedRecord{"ExtraLines", {"0001", "000001F40000000000080001", "00", "00"}, "line 4: the file goes on"},
        RefusedRecord{"TooWide", {"0001", "000001F401E0000000090001", "00"}, "X + W = 489"},
        RefusedRecord{"TooLow", {"0001", "000001F40000006100000005", "", "", "", "", ""}, "Y + H = 102"},
        RefusedRecord{"OddRow", {"0001", "000001F40000000000080001", "000"}, "line 3: '$0'"},
        RefusedRecord{"RowNotHex", {"0001", "000001F40000000000080001", "0g"}, "line 3: '$0g'"},
        RefusedRecord{"RowTooLong", {"0001", "000001F401D8000000080001", "000000"}, "only 2 are left"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ImageRecord, LowerCaseAndEmptyRowLinesAreAccepted)
{
    EXPECT_TRUE(ImageRecord({"0001", "000001f40000000000080002", "ab", ""}).check());
    EXPECT_TRUE(ImageRecord({"0001", "000001F401E0000000080001", "FF"}).check()); // the last byte of a row
}

// The row check scans in blocks; whatever the place of the first bad
// character, or a dangling last digit, the message names the pair a walk
// pair by pair would stop at.
TEST(RecordCheck, NamesTheFirstBadPairWhereverItLies)
{
    const std::string good = "0123456789ABCDEFabcdef0123456789ABCDEF"; // 38 digits, 19 pairs
    for (const char bad : {'G', ' ', '\x80', '\xFF', '\0'}) {
        for (std::size_t at = 0; at <= good.size(); ++at) {
            std::string row = good;
            if (at < good.size())
                row[at] = bad;
            else
                row += '7'; // no bad character, one digit too many
            ImageRecord record;
            record.appendLine("0001");
            record.appendLine("000001F40000000000980001");
            record.appendLine(row);
            const Status checked = record.check();
            ASSERT_FALSE(checked) << at;
            const std::string pair = row.substr(at & ~std::size_t{1}, 2);
            EXPECT_EQ(checked.error(), "line 3: " + conversionMessage(pair)) << at;
        }
    }
    EXPECT_EQ(firstNonHexDigit(""), 0u);
    // Every character code, at every place of a row longer than the blocks.
    std::string digits;
    for (int i = 0; i < 70; ++i)
        digits += "0123456789ABCDEFabcdef"[i % 22];
    ASSERT_EQ(firstNonHexDigit(digits), digits.size());
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        if (isHexDigit(c))
            continue;
        for (std::size_t at = 0; at < digits.size(); at += 7) {
            std::string row = digits;
            row[at] = c;
            row[digits.size() - 1] = c; // a later bad character does not count
            ASSERT_EQ(firstNonHexDigit(row), at) << "code " << code << " at " << at;
        }
    }
}
