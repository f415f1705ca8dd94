#include "editor/LitBits.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexel {

namespace {

#if defined(__SSE2__)
// Bit k to bit 7 - k: compare masks number the pixels from the low bit.
constexpr std::array<std::uint8_t, 256> reversedBits()
{
    std::array<std::uint8_t, 256> table{};
    for (unsigned v = 0; v < 256; ++v) {
        unsigned r = 0;
        for (unsigned k = 0; k < 8; ++k)
            r |= ((v >> k) & 1u) << (7 - k);
        table[v] = static_cast<std::uint8_t>(r);
    }
    return table;
}
constexpr std::array<std::uint8_t, 256> ReversedBits = reversedBits();
#endif

} // namespace

void packLitRow(const QRgb* pixels, int width, QRgb lit, std::uint8_t* bytes)
{
    int first = 0;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi32(static_cast<int>(lit));
    for (; first + 8 <= width; first += 8) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + first));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + first + 4));
        const int lowMask = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(low, wanted)));
        const int highMask = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(high, wanted)));
        bytes[first >> 3] = ReversedBits[static_cast<unsigned>(lowMask | highMask << 4)];
    }
#endif
    // Each byte is built in a register: the bytes may alias the pixels as far
    // as the compiler knows, and per-bit stores would keep reloading.
    for (; first < width; first += 8) {
        const int end = std::min(first + 8, width);
        unsigned byte = 0;
        for (int c = first; c < end; ++c)
            byte |= static_cast<unsigned>(pixels[c] == lit) << (7 - (c - first));
        bytes[first >> 3] = static_cast<std::uint8_t>(byte);
    }
}

} // namespace vexel
