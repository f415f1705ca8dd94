#include "depot/Utf8Check.h"

namespace vexel {

std::ptrdiff_t firstBadUtf8(const char* data, std::size_t size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    std::size_t i = 0;
    while (i < size) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((c & 0xE0) == 0xC0)
            length = 2, code = c & 0x1F, least = 0x80;
        else if ((c & 0xF0) == 0xE0)
            length = 3, code = c & 0x0F, least = 0x800;
        else if ((c & 0xF8) == 0xF0)
            length = 4, code = c & 0x07, least = 0x10000;
        else
            return static_cast<std::ptrdiff_t>(i);
        if (i + length > size)
            return static_cast<std::ptrdiff_t>(i);
        for (std::size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return static_cast<std::ptrdiff_t>(i);
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return static_cast<std::ptrdiff_t>(i);
        i += length;
    }
    return -1;
}

} // namespace vexel
