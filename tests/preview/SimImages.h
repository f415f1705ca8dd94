#pragma once

// Small hand-drawn images for the simulator tests: frames given as rows of
// '#' (lit) and '.' (unlit) inside their window.
#include "document/FrameHeader.h"
#include "document/ImageRecord.h"
#include "document/LedBitmap.h"
#include "document/PixelArray.h"

#include <QString>

#include <ostream>
#include <string>
#include <vector>

namespace sim_testing {

struct FrameSpec {
    int entry = 0;
    int exit = 0;
    int duration = 100;
    vexel::FrameRect window;
    std::vector<std::string> rows;
};

inline vexel::ImageRecord image(const std::vector<FrameSpec>& frames)
{
    vexel::ImageRecord record;
    record.setFrameCount(static_cast<int>(frames.size()));
    int index = 0;
    for (const FrameSpec& f : frames) {
        vexel::FrameHeader header;
        header.index = index++;
        header.entryEffect = f.entry;
        header.exitEffect = f.exit;
        header.duration = f.duration;
        header.rect = f.window;
        vexel::PixelArray bits;
        for (int r = 0; r < static_cast<int>(f.rows.size()); ++r)
            for (int c = 0; c < static_cast<int>(f.rows[static_cast<std::size_t>(r)].size()); ++c)
                bits.setLit(f.window.x + c, f.window.y + r, f.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '#');
        record.appendFrame(header, bits);
    }
    return record;
}

inline std::vector<std::string> picture(const vexel::LedBitmap& leds)
{
    std::vector<std::string> rows;
    for (int y = 0; y < leds.height(); ++y) {
        std::string row;
        for (int x = 0; x < leds.width(); ++x)
            row += leds.lit(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

using Rows = std::vector<std::string>;

// The 6 x 3 frame most cases use.
inline const Rows A = {"##....", "#.#...", "...###"};
inline const Rows B = {"######", "......", "#....#"};
inline const Rows Dark = {"......", "......", "......"};
inline const vexel::FrameRect Full{0, 0, 6, 3};

} // namespace sim_testing

// Test failures print texts as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
