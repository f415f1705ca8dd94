#pragma once

#include "document/FrameHeader.h"
#include "document/PixelArray.h"
#include "document/Result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexel {

// The text of a whole image as its logical lines: the frame-count line, then
// per frame a header line and its H row lines. Whatever a view shows, a line
// is never split or joined here.
class ImageRecord {
public:
    static constexpr int MaxFrames = 256;

    ImageRecord() = default;
    explicit ImageRecord(std::vector<std::string> lines) : lines_(std::move(lines)) { touch(); }

    // A one-frame image covering the whole board, rows taken from `bits`.
    static ImageRecord blank(int entryEffect, int exitEffect, int duration, int boardWidth, int boardHeight,
                             const PixelArray& bits);

    const std::vector<std::string>& lines() const { return lines_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    bool empty() const { return lines_.empty(); }
    const std::string& line(int index) const;
    void setLine(int index, std::string text);
    void appendLine(std::string text);
    void removeLines(int first, int count);
    // Lines first .. first+count-1 become `with`, which may be longer or
    // shorter; out-of-range parts are clamped to the record.
    void replaceLines(int first, int count, const std::vector<std::string>& with);
    void clear();

    // Every line followed by CR LF, the file's content.
    std::string text() const;
    // All lines joined without line ends: what goes to the board.
    std::string hexText() const;

    // Frame count from positions 1-4 of line 0.
    Expected<int> frameCount() const;
    void setFrameCount(int count);

    // Header line of a frame, found by walking the heights of the frames
    // before it; -1 when the record does not hold that frame.
    int headerLine(int frame) const;
    Expected<FrameHeader> headerAt(int line) const;
    // The frames whose windows reach beyond a board of that size, on its
    // right or at its bottom: the board shows them cut.
    std::vector<int> framesBeyond(int boardWidth, int boardHeight) const;

    // Clears the window's bytes and fills them from the frame's row lines.
    // An empty row line leaves its row cleared.
    Status readFrameBits(int headerLine, const FrameRect& window, PixelArray& bits) const;

    // Rewrites the frame at `headerLine`: a new header (index `frame`, the
    // given effects and duration, the stored window with W and H capped at
    // the board) and its rows from `bits`. Row lines beyond a capped H are
    // removed, so the record stays well formed.
    Status storeFrame(int headerLine, int frame, int entryEffect, int exitEffect, int duration,
                      const PixelArray& bits, int boardWidth, int boardHeight);
    // The same without its rows: the window the rows are to be made for, or
    // the failure, with nothing changed.
    Expected<FrameRect> storeHeader(int headerLine, int frame, int entryEffect, int exitEffect, int duration,
                                    int boardWidth, int boardHeight);
    // The row lines of the frame at `headerLine` made from `bits`; the
    // window's rows must all have their lines.
    void storeRows(int headerLine, const FrameRect& window, const PixelArray& bits);

    // Appends a frame: its header, then the row lines of its window.
    void appendFrame(const FrameHeader& header, const PixelArray& bits);

    // Whether the lines form a complete image that fits Pixel_Array. The
    // message names the 1-based line at fault.
    Status check() const;

    // A number no other state of any record has had: every change draws a
    // new one, so views and the undo history can tell whether to look again.
    std::uint64_t revision() const { return revision_; }
    // A new revision with the same lines, for a text made from more than
    // them (rows still to be made from LEDs).
    void touch();

    bool operator==(const ImageRecord& other) const { return lines_ == other.lines_; }

private:
    std::vector<std::string> lines_;
    std::uint64_t revision_ = 0;
};

} // namespace vexel
