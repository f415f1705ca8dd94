// Where the document's LEDs meet the file, for frame windows of every shape
// and offset within their bytes: a frame shown and stored again gives its
// lines back; LEDs set at a window's edges land in its bytes while the LEDs
// beside the window that share those bytes keep what the line held; a window
// the board cuts is stored cut.
#include "document/ImageDocument.h"
#include "document/ImageFile.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

using namespace vexel;

namespace {

std::string hexByte(int value)
{
    char out[3];
    std::snprintf(out, sizeof out, "%02X", value & 0xFF);
    return out;
}

int byteOf(const std::string& line, int k) { return std::stoi(line.substr(static_cast<std::size_t>(2 * k), 2), nullptr, 16); }

// Frame 0 covers the 96 x 24 board; frame 1 is the window under test. Every
// byte is different, so a byte taken from the wrong place shows.
std::vector<std::string> twoFrames(const FrameRect& w)
{
    std::vector<std::string> lines = {"0002", "000001F40000000000600018"};
    for (int r = 0; r < 24; ++r) {
        std::string row;
        for (int k = 0; k < 12; ++k)
            row += hexByte(r * 12 + k);
        lines.push_back(row);
    }
    FrameHeader header;
    header.index = 1;
    header.entryEffect = 1;
    header.exitEffect = 2;
    header.duration = 100;
    header.rect = w;
    lines.push_back(header.format());
    for (int r = 0; r < w.h; ++r) {
        std::string row;
        for (int k = w.firstByte(); k <= w.lastByte(); ++k)
            row += hexByte(r * 37 + k * 11 + 0x5A);
        lines.push_back(row);
    }
    return lines;
}

class FrameBits : public ::testing::TestWithParam<std::tuple<int, int>> {
public:
    FrameRect window() const { return FrameRect{std::get<0>(GetParam()), 3, std::get<1>(GetParam()), 5}; }

    // Shows frame 0 and then frame 1, as the editor does after a load.
    void open(const std::vector<std::string>& lines, int boardWidth = 96, int boardHeight = 24)
    {
        document.setBoardWidth(boardWidth);
        document.setBoardHeight(boardHeight);
        document.adopt(ImageRecord(lines));
        document.setCurrentFrame(0);
        ASSERT_TRUE(document.showFrame());
        document.setCurrentFrame(1);
        ASSERT_TRUE(document.showFrame());
    }

    ImageDocument document;
};

TEST_P(FrameBits, StoredUnchangedGivesTheLinesBack)
{
    const std::vector<std::string> lines = twoFrames(window());
    open(lines);
    const FrameRect w = window();
    if (w.firstByte() > 0) {
        EXPECT_EQ(document.bits().byte(w.y, w.firstByte() - 1), (w.y * 12 + w.firstByte() - 1) & 0xFF)
            << "the LEDs before the window's bytes are frame 0's";
    }
    ASSERT_TRUE(document.storeFrame());
    EXPECT_EQ(document.record().lines(), lines);
}

TEST_P(FrameBits, EdgeLedsLandInTheSharedBytes)
{
    const FrameRect w = window();
    std::vector<std::string> lines = twoFrames(w);
    open(lines);
    const int first = 2 + 24 + 1;
    const int last = first + w.h - 1;
    const bool leftWas = document.bits().lit(w.x, w.y);
    const bool rightWas = document.bits().lit(w.right() - 1, w.bottom() - 1);
    document.bits().setLit(w.x, w.y, !leftWas);
    document.bits().setLit(w.right() - 1, w.bottom() - 1, !rightWas);
    ASSERT_TRUE(document.storeFrame());

    const auto flip = [&](std::string& line, int column) {
        const int k = column / 8 - w.firstByte();
        line.replace(static_cast<std::size_t>(2 * k), 2, hexByte(byteOf(line, k) ^ (0x80 >> (column % 8))));
    };
    flip(lines[static_cast<std::size_t>(first)], w.x);
    flip(lines[static_cast<std::size_t>(last)], w.right() - 1);
    EXPECT_EQ(document.record().lines(), lines);

    const Expected<ImageRecord> reread = ImageFile::parse(QByteArray::fromStdString(document.record().text()));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->lines(), lines);
}

TEST_P(FrameBits, AWindowTheBoardCutsIsStoredCut)
{
    const FrameRect w = window();
    const std::vector<std::string> lines = twoFrames(w);
    const int boardWidth = std::max(1, w.w / 2);
    open(lines, boardWidth, 4);
    ASSERT_TRUE(document.storeFrame());
    FrameRect cut = w;
    cut.w = std::min(w.w, boardWidth);
    cut.h = 4;
    const int first = 2 + 24 + 1;
    const std::vector<std::string>& now = document.record().lines();
    ASSERT_EQ(now.size(), static_cast<std::size_t>(first + cut.h));
    FrameHeader header = *FrameHeader::parse(lines[static_cast<std::size_t>(first - 1)]);
    header.rect = cut;
    EXPECT_EQ(now[static_cast<std::size_t>(first - 1)], header.format());
    for (int r = 0; r < cut.h; ++r)
        EXPECT_EQ(now[static_cast<std::size_t>(first + r)],
                  lines[static_cast<std::size_t>(first + r)].substr(0, static_cast<std::size_t>(cut.rowLineLength())))
            << "row " << r;
}

// A store keeps the LEDs as they are then: what changes after it, in the
// window or in the bytes it shares with the LEDs beside it, reaches the
// record only with the next store, line by line as the record view reads it.
TEST_P(FrameBits, TheRecordHoldsTheLedsAsTheyWereStored)
{
    const FrameRect w = window();
    std::vector<std::string> lines = twoFrames(w);
    open(lines);
    const int first = 2 + 24 + 1;
    document.bits().setLit(w.x, w.y, !document.bits().lit(w.x, w.y));
    ASSERT_TRUE(document.storeFrame());
    const std::string stored = document.bits().rowLine(w.y, w.firstByte(), w.lastByte());
    document.bits().setLit(w.right() - 1, w.y, !document.bits().lit(w.right() - 1, w.y));
    const int beside = w.firstByte() * 8;
    if (beside < w.x)
        document.bits().setLit(beside, w.y, !document.bits().lit(beside, w.y));
    lines[static_cast<std::size_t>(first)] = stored;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        EXPECT_EQ(document.lineText(i), lines[static_cast<std::size_t>(i)]) << "line " << i;
    EXPECT_EQ(document.record().lines(), lines);

    ASSERT_TRUE(document.storeFrame());
    lines[static_cast<std::size_t>(first)] = document.bits().rowLine(w.y, w.firstByte(), w.lastByte());
    EXPECT_NE(lines[static_cast<std::size_t>(first)], stored);
    EXPECT_EQ(document.record().lines(), lines);
}

// A board made smaller between two stores: the rows of the first are made
// for the window it had, and the second cuts them.
TEST_P(FrameBits, ABoardCutBetweenTwoStoresCutsTheRows)
{
    const FrameRect w = window();
    const std::vector<std::string> lines = twoFrames(w);
    open(lines);
    ASSERT_TRUE(document.storeFrame());
    const int boardWidth = std::max(1, w.w / 2);
    document.setBoardWidth(boardWidth);
    document.setBoardHeight(4);
    ASSERT_TRUE(document.storeFrame());
    const int first = 2 + 24 + 1;
    const FrameRect cut{w.x, w.y, std::min(w.w, boardWidth), 4};
    const std::vector<std::string>& now = document.record().lines();
    ASSERT_EQ(now.size(), static_cast<std::size_t>(first + cut.h));
    for (int r = 0; r < cut.h; ++r)
        EXPECT_EQ(now[static_cast<std::size_t>(first + r)],
                  lines[static_cast<std::size_t>(first + r)].substr(0, static_cast<std::size_t>(cut.rowLineLength())))
            << "row " << r;
    EXPECT_TRUE(document.record().check());
}

INSTANTIATE_TEST_SUITE_P(Windows, FrameBits,
                         ::testing::Combine(::testing::Values(0, 1, 7, 8, 13, 40),
                                            ::testing::Values(1, 3, 8, 9, 16, 17, 50)));

} // namespace
