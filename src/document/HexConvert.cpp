#include "document/HexConvert.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexel {

std::size_t firstNonHexDigit(std::string_view text)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen characters at a time: a digit is c - '0' <= 9, a letter of
    // either case (c | 0x20) - 'a' <= 5, both as unsigned bytes.
    const __m128i zero = _mm_set1_epi8('0');
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i lower = _mm_set1_epi8(0x20);
    const __m128i a = _mm_set1_epi8('a');
    const __m128i five = _mm_set1_epi8(5);
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i digit = _mm_sub_epi8(c, zero);
        const __m128i letter = _mm_sub_epi8(_mm_or_si128(c, lower), a);
        const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, nine), digit);
        const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letter, five), letter);
        const int good = _mm_movemask_epi8(_mm_or_si128(isDigit, isLetter));
        if (good != 0xFFFF)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(~good) & 0xFFFFu));
    }
#endif
    for (; i < text.size(); ++i)
        if (!isHexDigit(text[i]))
            return i;
    return text.size();
}

QString conversionMessage(std::string_view digits)
{
    return QStringLiteral("'$") + QString::fromUtf8(digits.data(), static_cast<qsizetype>(digits.size())) +
           QStringLiteral("' is not a valid integer value");
}


std::string toHex(unsigned value, int width)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < width)
        text.insert(text.begin(), static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

} // namespace vexel

vexel::Expected<int> Hex_To_Int(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8)
        return vexel::Expected<int>::failure(vexel::conversionMessage(digits));
    unsigned value = 0;
    for (char c : digits) {
        const int v = vexel::hexDigitValue(c);
        if (v < 0)
            return vexel::Expected<int>::failure(vexel::conversionMessage(digits));
        value = (value << 4) | static_cast<unsigned>(v);
    }
    return static_cast<int>(value);
}
