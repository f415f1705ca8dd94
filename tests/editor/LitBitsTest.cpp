// Packing board-image rows into LED bits: four pixels at a time must give
// what testing each pixel gives, for every width and any colours.
#include "editor/LitBits.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<std::uint8_t> packedOneByOne(const std::vector<QRgb>& pixels, QRgb lit)
{
    std::vector<std::uint8_t> bytes((pixels.size() + 7) / 8, 0);
    for (std::size_t c = 0; c < pixels.size(); ++c)
        if (pixels[c] == lit)
            bytes[c / 8] = static_cast<std::uint8_t>(bytes[c / 8] | 0x80u >> (c % 8));
    return bytes;
}

} // namespace

TEST(LitBits, EqualsTestingEveryPixelAndWritesOnlyTheRowsBytes)
{
    const QRgb lit = 0xFF0000FFu;
    // Colours that differ from the lit one in a single channel or only in alpha.
    const QRgb others[] = {0xFF000000u, 0x000000FFu, 0xFF0000FEu, 0xFF0100FFu, 0xFFFFFFFFu};
    std::mt19937 random(17);
    for (int width = 1; width <= 64; ++width)
        for (int round = 0; round < 20; ++round) {
            std::vector<QRgb> pixels(static_cast<std::size_t>(width));
            for (QRgb& p : pixels)
                p = random() % 2 ? lit : others[random() % 5];
            const std::vector<std::uint8_t> expected = packedOneByOne(pixels, lit);
            // Guard bytes after the row show any write past its end.
            std::vector<std::uint8_t> bytes(expected.size() + 4, 0xA5);
            vexel::packLitRow(pixels.data(), width, lit, bytes.data());
            for (std::size_t k = 0; k < expected.size(); ++k)
                ASSERT_EQ(bytes[k], expected[k]) << "width " << width << ", byte " << k;
            for (std::size_t k = expected.size(); k < bytes.size(); ++k)
                ASSERT_EQ(bytes[k], 0xA5) << "width " << width << " wrote past its bytes";
        }
}

TEST(LitBits, TheWidestBoardAllLitAndAllDark)
{
    const QRgb lit = 0xFF00FF00u;
    std::vector<QRgb> row(488, lit);
    std::vector<std::uint8_t> bytes(61, 0);
    vexel::packLitRow(row.data(), 488, lit, bytes.data());
    for (std::uint8_t b : bytes)
        ASSERT_EQ(b, 0xFF);
    std::fill(row.begin(), row.end(), 0xFF000000u);
    vexel::packLitRow(row.data(), 488, lit, bytes.data());
    for (std::uint8_t b : bytes)
        ASSERT_EQ(b, 0x00);
}
