#include "document/ImageRecord.h"

#include "document/HexConvert.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>

namespace vexel {

namespace {

const std::string emptyLine;

std::atomic<std::uint64_t> revisions{0};

QString atLine(int index, const QString& reason)
{
    return QCoreApplication::translate("ImageRecord", "line %1: %2").arg(QString::number(index + 1), reason);
}

} // namespace

ImageRecord ImageRecord::blank(int entryEffect, int exitEffect, int duration, int boardWidth, int boardHeight,
                               const PixelArray& bits)
{
    ImageRecord record;
    record.appendLine(toHex(1, 4));
    FrameHeader header;
    header.entryEffect = entryEffect;
    header.exitEffect = exitEffect;
    header.duration = duration;
    header.rect = FrameRect{0, 0, boardWidth, boardHeight};
    record.appendFrame(header, bits);
    return record;
}

const std::string& ImageRecord::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return emptyLine;
    return lines_[static_cast<std::size_t>(index)];
}

void ImageRecord::setLine(int index, std::string text)
{
    if (index < 0 || index >= lineCount())
        return;
    lines_[static_cast<std::size_t>(index)] = std::move(text);
    touch();
}

void ImageRecord::appendLine(std::string text)
{
    lines_.push_back(std::move(text));
    touch();
}

void ImageRecord::removeLines(int first, int count)
{
    first = std::max(first, 0);
    const int last = std::min(first + std::max(count, 0), lineCount());
    if (first >= last)
        return;
    lines_.erase(lines_.begin() + first, lines_.begin() + last);
    touch();
}

void ImageRecord::touch() { revision_ = ++revisions; }

void ImageRecord::replaceLines(int first, int count, const std::vector<std::string>& with)
{
    first = std::clamp(first, 0, lineCount());
    count = std::clamp(count, 0, lineCount() - first);
    const auto at = lines_.begin() + first;
    const std::size_t common = std::min(static_cast<std::size_t>(count), with.size());
    std::copy(with.begin(), with.begin() + static_cast<std::ptrdiff_t>(common), at);
    if (with.size() > common)
        lines_.insert(at + static_cast<std::ptrdiff_t>(common), with.begin() + static_cast<std::ptrdiff_t>(common),
                      with.end());
    else
        lines_.erase(at + static_cast<std::ptrdiff_t>(common), at + count);
    touch();
}

void ImageRecord::clear()
{
    lines_.clear();
    touch();
}

std::string ImageRecord::text() const
{
    std::size_t size = 0;
    for (const auto& l : lines_)
        size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines_) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::string ImageRecord::hexText() const
{
    std::size_t size = 0;
    for (const auto& l : lines_)
        size += l.size();
    std::string out;
    out.reserve(size);
    for (const auto& l : lines_)
        out += l;
    return out;
}

Expected<int> ImageRecord::frameCount() const
{
    if (lines_.empty())
        return Expected<int>::failure(QCoreApplication::translate("ImageRecord", "the image has no frame-count line"));
    return Hex_To_Int(std::string_view(lines_[0]).substr(0, 4));
}

void ImageRecord::setFrameCount(int count)
{
    if (lines_.empty())
        lines_.emplace_back();
    lines_[0] = toHex(static_cast<unsigned>(std::clamp(count, 0, 0xFFFF)), 4);
    touch();
}

int ImageRecord::headerLine(int frame) const
{
    if (frame < 0)
        return -1;
    int line = 1;
    for (int f = 0; f < frame; ++f) {
        if (line >= lineCount())
            return -1;
        const std::string& header = lines_[static_cast<std::size_t>(line)];
        if (header.size() < static_cast<std::size_t>(FrameHeader::Length))
            return -1;
        const Expected<int> height = Hex_To_Int(std::string_view(header).substr(20, 4));
        if (!height)
            return -1;
        line += *height + 1;
    }
    return line < lineCount() ? line : -1;
}

std::vector<int> ImageRecord::framesBeyond(int boardWidth, int boardHeight) const
{
    std::vector<int> beyond;
    const Expected<int> count = frameCount();
    int header = 1;
    for (int f = 0; count && f < *count && header < lineCount(); ++f) {
        const Expected<FrameHeader> read = headerAt(header);
        if (!read)
            break;
        if (read->rect.right() > boardWidth || read->rect.bottom() > boardHeight)
            beyond.push_back(f);
        header += read->rect.h + 1;
    }
    return beyond;
}

Expected<FrameHeader> ImageRecord::headerAt(int line) const
{
    if (line < 1 || line >= lineCount())
        return Expected<FrameHeader>::failure(QCoreApplication::translate("ImageRecord", "the image has no frame header at line %1").arg(line + 1));
    return FrameHeader::parse(lines_[static_cast<std::size_t>(line)]);
}

Status ImageRecord::readFrameBits(int header, const FrameRect& window, PixelArray& bits) const
{
    for (int r = window.y; r < window.bottom(); ++r)
        bits.clearBytes(r, window.firstByte(), window.lastByte());
    for (int r = window.y; r < window.bottom(); ++r) {
        const std::string& rowLine = line(header + 1 + (r - window.y));
        if (rowLine.empty())
            continue;
        const Status stored = bits.storeRowLine(r, window.firstByte(), rowLine);
        if (!stored)
            return Status::failure(atLine(header + 1 + (r - window.y), stored.error()));
    }
    return Status::success();
}

Status ImageRecord::storeFrame(int header, int frame, int entryEffect, int exitEffect, int duration,
                               const PixelArray& bits, int boardWidth, int boardHeight)
{
    const Expected<FrameRect> window = storeHeader(header, frame, entryEffect, exitEffect, duration, boardWidth,
                                                   boardHeight);
    if (!window)
        return window.status();
    storeRows(header, *window, bits);
    return Status::success();
}

Expected<FrameRect> ImageRecord::storeHeader(int header, int frame, int entryEffect, int exitEffect, int duration,
                                             int boardWidth, int boardHeight)
{
    const Expected<FrameHeader> stored = headerAt(header);
    if (!stored)
        return Expected<FrameRect>::failure(stored.error());
    const int storedHeight = stored->rect.h;
    FrameHeader updated;
    updated.index = frame;
    updated.entryEffect = entryEffect;
    updated.exitEffect = exitEffect;
    updated.duration = duration;
    updated.rect = stored->cappedRect(boardWidth, boardHeight);

    if (header + storedHeight >= lineCount())
        return Expected<FrameRect>::failure(atLine(header, QCoreApplication::translate("ImageRecord", "the frame's row lines are missing")));
    lines_[static_cast<std::size_t>(header)] = updated.format();
    touch();
    if (storedHeight > updated.rect.h)
        removeLines(header + 1 + updated.rect.h, storedHeight - updated.rect.h);
    return updated.rect;
}

void ImageRecord::storeRows(int header, const FrameRect& w, const PixelArray& bits)
{
    for (int r = w.y; r < w.bottom(); ++r) {
        const int at = header + 1 + (r - w.y);
        if (at >= 0 && at < lineCount())
            lines_[static_cast<std::size_t>(at)] = bits.rowLine(r, w.firstByte(), w.lastByte());
    }
    touch();
}

void ImageRecord::appendFrame(const FrameHeader& header, const PixelArray& bits)
{
    lines_.push_back(header.format());
    const FrameRect& w = header.rect;
    for (int r = w.y; r < w.bottom(); ++r)
        lines_.push_back(bits.rowLine(r, w.firstByte(), w.lastByte()));
    touch();
}

Status ImageRecord::check() const
{
    if (lines_.empty())
        return Status::failure(QCoreApplication::translate("ImageRecord", "the file holds no image"));
    const std::string& countLine = lines_[0];
    if (countLine.size() != 4)
        return Status::failure(atLine(0, QCoreApplication::translate("ImageRecord", "the frame count must be 4 hex digits")));
    const Expected<int> count = Hex_To_Int(countLine);
    if (!count)
        return Status::failure(atLine(0, count.error()));
    if (*count < 1)
        return Status::failure(atLine(0, QCoreApplication::translate("ImageRecord", "the image must hold at least one frame")));

    int line = 1;
    for (int f = 0; f < *count; ++f) {
        if (line >= lineCount())
            return Status::failure(
                atLine(line, QCoreApplication::translate("ImageRecord", "frame %1 is missing: the count line says %2 frames").arg(f).arg(*count)));
        const Expected<FrameHeader> header = FrameHeader::parse(lines_[static_cast<std::size_t>(line)]);
        if (!header)
            return Status::failure(atLine(line, header.error()));
        const FrameRect& w = header->rect;
        if (w.right() > PixelArray::Columns)
            return Status::failure(
                atLine(line, QCoreApplication::translate("ImageRecord", "the frame window (X + W = %1) does not fit the %2 columns of the board model")
                                 .arg(w.right())
                                 .arg(PixelArray::Columns)));
        if (w.bottom() > PixelArray::Rows)
            return Status::failure(
                atLine(line, QCoreApplication::translate("ImageRecord", "the frame window (Y + H = %1) does not fit the %2 rows of the board model")
                                 .arg(w.bottom())
                                 .arg(PixelArray::Rows)));
        const int bytesLeft = PixelArray::RowBytes - w.firstByte();
        for (int k = 0; k < w.h; ++k) {
            const int at = line + 1 + k;
            if (at >= lineCount())
                return Status::failure(atLine(
                    at, QCoreApplication::translate("ImageRecord", "frame %1 has %2 row lines, its header says %3").arg(f).arg(k).arg(w.h)));
            const std::string& row = lines_[static_cast<std::size_t>(at)];
            // The first pair that is not two hex digits: the one holding the
            // first bad character, or else a last pair of one digit.
            const std::size_t bad = firstNonHexDigit(row);
            if (bad < row.size() || row.size() % 2 != 0) {
                const std::size_t pairStart = (bad < row.size() ? bad : row.size() - 1) & ~std::size_t{1};
                return Status::failure(atLine(at, conversionMessage(std::string_view(row).substr(pairStart, 2))));
            }
            if (static_cast<int>(row.size() / 2) > bytesLeft)
                return Status::failure(atLine(at, QCoreApplication::translate("ImageRecord", "the row line holds %1 bytes, only %2 are left in its row")
                                                      .arg(row.size() / 2)
                                                      .arg(bytesLeft)));
        }
        line += w.h + 1;
    }
    if (line != lineCount())
        return Status::failure(
            atLine(line, QCoreApplication::translate("ImageRecord", "the file goes on after the %1 frames of its count line").arg(*count)));

    return Status::success();
}

} // namespace vexel
