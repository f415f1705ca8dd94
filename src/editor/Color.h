#pragma once

#include <QRgb>

#include <cstdint>

namespace vexel {

// Colours as the settings file and the board model hold them: 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color White = 0xFFFFFF;
constexpr Color SkyBlue = 0xF0CAA6;

constexpr QRgb toQRgb(Color c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Color fromQRgb(QRgb rgb)
{
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

} // namespace vexel
