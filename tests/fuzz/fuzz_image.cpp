// Any bytes as an image file, on any board size: the line reader, the
// all-or-nothing check, and for a record that passes it every frame read
// into Pixel_Array, painted on the editor's surfaces and stored back.
#include "FuzzCheck.h"

#include "document/ImageFile.h"
#include "document/ImageRecord.h"
#include "document/PixelArray.h"
#include "editor/LedGrid.h"
#include "editor/Surface.h"

#include <QByteArray>

#include <cstddef>
#include <algorithm>
#include <cstdint>

using namespace vexel;

namespace {

struct Board {
    int width;
    int height;
};

// The editor's pictures keep their size for the whole run; so do these.
struct Pictures {
    Surface view{2000, 1000};
    Surface board{2002, 1000};
    LedGrid grid;
};

GridStyle styleFor(const Board& board, std::uint32_t hash)
{
    GridStyle style;
    style.boardWidth = board.width;
    style.boardHeight = board.height;
    style.cellSize = 1 + int(hash % 100);
    style.drawGrid = hash & 0x100;
    style.gridInset = style.drawGrid ? 1 : 0;
    style.roundedLeds = hash & 0x200;
    style.frameBounds = hash & 0x400;
    style.ledColor = hash & 0x800 ? 0x0000FF : 0x00FF00;
    return style;
}

// What Load_Frame and the Fill_Canvas after it draw.
void paint(Pictures& p, const PixelArray& bits, const FrameRect& window, const GridStyle& style)
{
    const int s = style.cellSize;
    p.board.setFillColor(style.backColor);
    p.board.fillRect(window.x, window.y, window.right(), window.bottom());
    p.view.setFillColor(style.backColor);
    p.view.fillRect(window.x * s, window.y * s, window.right() * s, window.bottom() * s);
    p.grid.drawGrid(p.view, style, LedRect{window.x, window.y, window.right(), window.bottom()}, true, window);
    p.grid.paintWindow(p.view, p.board, bits, window, style);
    p.grid.frameBorder(p.view, style, window);
    p.grid.drawLed(p.view, window.x * s + style.gridInset, window.y * s + style.gridInset, window.right() * s,
                   window.bottom() * s, style);
    // The board picture shows exactly the window's bits.
    for (int r = window.y; r < std::min(window.bottom(), p.board.height()); ++r)
        for (int c = window.x; c < std::min(window.right(), p.board.width()); ++c)
            FUZZ_CHECK((p.board.pixel(c, r) == style.ledColor) == bits.lit(c, r));
    p.view.takeDirty();
    p.board.takeDirty();
}

// What the editor may do with a record in memory that never passed the
// check (a damaged record must not be able to reach past Pixel_Array).
void probeUnchecked(const ImageRecord& record, const Board& board)
{
    PixelArray bits;
    const Expected<int> count = record.frameCount();
    const int frames = count ? std::min(*count, 64) : 4;
    for (int f = 0; f < frames; ++f) {
        const int line = record.headerLine(f);
        if (line < 0)
            break;
        const Expected<FrameHeader> header = record.headerAt(line);
        if (!header)
            continue;
        (void)record.readFrameBits(line, header->cappedRect(board.width, board.height), bits);
    }
}

void loadAndStore(ImageRecord record, const Board& board, std::uint8_t salt, Pictures* pictures, std::uint32_t hash)
{
    const int frames = *record.frameCount();
    PixelArray bits;
    for (int f = 0; f < frames; ++f) {
        const int line = record.headerLine(f);
        FUZZ_CHECK(line > 0);
        const Expected<FrameHeader> header = record.headerAt(line);
        FUZZ_CHECK(header.ok());
        const FrameRect window = header->cappedRect(board.width, board.height);
        FUZZ_CHECK(record.readFrameBits(line, window, bits).ok());
        if (pictures && f < 4)
            paint(*pictures, bits, window, styleFor(board, hash + static_cast<std::uint32_t>(f)));

        // An edit, then Store_Frame with whatever the controls may hold.
        bits.setLit(window.x + salt % std::max(window.w, 1), window.y, salt & 1);
        const int entry = salt % 3;
        const int exit = salt % 4;
        const int duration = (salt * 257) & 0xFFFF;
        FUZZ_CHECK(record.storeFrame(line, f, entry, exit, duration, bits, board.width, board.height).ok());
        FUZZ_CHECK(record.check().ok());

        // What was stored reads back the same.
        PixelArray again;
        FUZZ_CHECK(record.readFrameBits(line, window, again).ok());
        for (int r = window.y; r < window.bottom(); ++r)
            for (int k = window.firstByte(); k <= window.lastByte(); ++k)
                FUZZ_CHECK(again.byte(r, k) == bits.byte(r, k));
    }
    FUZZ_CHECK(*record.frameCount() == frames);

    // Writing is the record's text verbatim; reading it gives the record back.
    const std::string text = record.text();
    const Expected<ImageRecord> reread = ImageFile::parse(QByteArray::fromStdString(text));
    FUZZ_CHECK(reread.ok() && *reread == record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Expected<ImageRecord> read = ImageFile::parse(bytes);
    if (!read)
        return 0;

    // The default board, the extremes, and one picked by the input itself.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    const Board boards[] = {{96, 24}, {1, 1}, {488, 100}, {1 + int(hash % 488), 1 + int((hash >> 9) % 100)}};

    for (const Board& board : boards)
        probeUnchecked(*read, board);
    if (!read->check())
        return 0;
    static Pictures pictures;
    for (const Board& board : boards)
        loadAndStore(*read, board, static_cast<std::uint8_t>(hash >> 17), &board == &boards[3] ? &pictures : nullptr,
                     hash);
    return 0;
}
