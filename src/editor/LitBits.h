#pragma once

#include <QRgb>

#include <cstdint>

namespace vexel {

// Packs one row of board-image pixels into LED bits: a pixel is lit when it
// is exactly `lit`; the leftmost pixel of each group of eight is bit 7. The
// last byte of a row whose width is not a multiple of eight has its unused
// low bits cleared. Runs after every painted LED over the whole board, so it
// compares four pixels at a time where the processor can.
void packLitRow(const QRgb* pixels, int width, QRgb lit, std::uint8_t* bytes);

} // namespace vexel
