#pragma once

#include "document/Result.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vexel {

namespace detail {
// Digit values by character code, -1 for every character that is not a hex
// digit: loading a large image looks up every one of its characters.
constexpr std::array<signed char, 256> hexDigitTable()
{
    std::array<signed char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<signed char>(
            c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1);
    return table;
}
inline constexpr std::array<signed char, 256> HexDigits = hexDigitTable();
} // namespace detail

// -1 for a character that is not a hex digit.
inline int hexDigitValue(char c) { return detail::HexDigits[static_cast<unsigned char>(c)]; }
inline bool isHexDigit(char c) { return hexDigitValue(c) >= 0; }

// The index of the first character of `text` that is not a hex digit, or
// text.size() when there is none.
std::size_t firstNonHexDigit(std::string_view text);

// The message of a failed conversion: the digits preceded by "$", as the
// record readers have always reported them.
QString conversionMessage(std::string_view digits);

// Upper-case hexadecimal, zero-padded to at least `width` digits.
std::string toHex(unsigned value, int width);

} // namespace vexel

// Hexadecimal text of either case to an integer. Fails on an empty text, on
// any character that is not a hex digit and on values beyond 32 bits.
vexel::Expected<int> Hex_To_Int(std::string_view digits);
