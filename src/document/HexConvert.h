#pragma once

#include "document/Result.h"

#include <string>
#include <string_view>

namespace vexel {

bool isHexDigit(char c);
int hexDigitValue(char c); // -1 for a character that is not a hex digit

// The message of a failed conversion: the digits preceded by "$", as the
// record readers have always reported them.
std::string conversionMessage(std::string_view digits);

// Upper-case hexadecimal, zero-padded to at least `width` digits.
std::string toHex(unsigned value, int width);

} // namespace vexel

// Hexadecimal text of either case to an integer. Fails on an empty text, on
// any character that is not a hex digit and on values beyond 32 bits.
vexel::Expected<int> Hex_To_Int(std::string_view digits);
