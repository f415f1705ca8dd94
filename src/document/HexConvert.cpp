#include "document/HexConvert.h"

namespace vexel {

std::size_t firstNonHexDigit(std::string_view text)
{
    // Blocks of eight are or-ed together so the common all-hex row costs one
    // branch per block.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        int any = 0;
        for (std::size_t k = 0; k < 8; ++k)
            any |= hexDigitValue(text[i + k]);
        if (any < 0)
            break;
    }
    for (; i < text.size(); ++i)
        if (!isHexDigit(text[i]))
            return i;
    return text.size();
}

std::string conversionMessage(std::string_view digits)
{
    std::string message = "'$";
    message.append(digits.data(), digits.size());
    message += "' is not a valid integer value";
    return message;
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
