// Any bytes as an image file, on any board size: the line reader, the
// all-or-nothing check, and for a record that passes it every frame read
// into Pixel_Array and stored back.
#include "FuzzCheck.h"

#include "document/ImageFile.h"
#include "document/ImageRecord.h"
#include "document/PixelArray.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace vexel;

namespace {

struct Board {
    int width;
    int height;
};

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

void loadAndStore(ImageRecord record, const Board& board, std::uint8_t salt)
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
    for (const Board& board : boards)
        loadAndStore(*read, board, static_cast<std::uint8_t>(hash >> 17));
    return 0;
}
