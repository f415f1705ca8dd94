#pragma once

#include "document/LedBitmap.h"

#include <string>
#include <vector>

namespace testing_support {

// A bitmap as rows of '.' and '#', for exact comparisons that print well.
inline std::vector<std::string> ledRows(const vexel::LedBitmap& b)
{
    std::vector<std::string> out;
    for (int y = 0; y < b.height(); ++y) {
        std::string row;
        for (int x = 0; x < b.width(); ++x)
            row += b.lit(x, y) ? '#' : '.';
        out.push_back(row);
    }
    return out;
}

} // namespace testing_support
