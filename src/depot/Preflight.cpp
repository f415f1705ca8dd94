#include "depot/Preflight.h"

#include "document/FrameHeader.h"
#include "document/ImageFile.h"
#include "document/PixelArray.h"
#include "transfer/DataMessage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace vexel {

namespace {

QString number(long long n) { return QLocale::c().toString(n); }

// The findings are shown in the editor's language; `vexel check` loads no
// translation and prints them as written here.
QString preflightText(const char* english) { return QCoreApplication::translate("Preflight", english); }

QString characterList(const QString& characters)
{
    QStringList shown;
    const QList<uint> codes = characters.toUcs4();
    for (uint c : codes) {
        const char32_t ch = c;
        shown << QStringLiteral("%1 (U+%2)")
                     .arg(QString::fromUcs4(&ch, 1), QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    return shown.join(QStringLiteral(", "));
}

bool anyLit(const PixelArray& bits, const FrameRect& window)
{
    for (int y = window.y; y < window.bottom(); ++y)
        for (int x = window.x; x < window.right(); ++x)
            if (bits.lit(x, y))
                return true;
    return false;
}

} // namespace

std::optional<FileStamp> FileStamp::of(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return FileStamp{info.size(), info.lastModified()};
}

QString Finding::line() const
{
    if (frame)
        return preflightText(QT_TRANSLATE_NOOP("Preflight", "%1, frame %2: %3"))
            .arg(file, QString::number(*frame), message);
    return file.isEmpty() ? message : preflightText(QT_TRANSLATE_NOOP("Preflight", "%1: %2")).arg(file, message);
}

std::vector<PreflightFile> Preflight::load(const QStringList& entries, const QString& folder)
{
    std::vector<PreflightFile> files;
    files.reserve(static_cast<std::size_t>(entries.size()));
    for (const QString& entry : entries) {
        PreflightFile file;
        file.name = entry;
        file.path = folder + entry;
        file.record = ImageFile::load(file.path);
        files.push_back(std::move(file));
    }
    return files;
}

std::map<QString, FileStamp> Preflight::stamps(const QStringList& entries, const QString& folder)
{
    std::map<QString, FileStamp> out;
    for (const QString& entry : entries)
        if (const std::optional<FileStamp> stamp = FileStamp::of(folder + entry))
            out[entry] = *stamp;
    return out;
}

std::pair<int, int> Preflight::boardSizeOf(const ImageRecord& record)
{
    int width = 0;
    int height = 0;
    const Expected<int> count = record.frameCount();
    for (int f = 0; count && f < *count; ++f) {
        const Expected<FrameHeader> header = record.headerAt(record.headerLine(f));
        if (!header)
            continue;
        width = std::max(width, header->rect.right());
        height = std::max(height, header->rect.bottom());
    }
    return {width, height};
}

namespace {

using Findings = std::vector<Finding>;

void add(Findings& findings, const QString& file, std::optional<int> frame, Finding::Kind kind, const QString& message)
{
    findings.push_back(Finding{file, frame, kind, message});
}

// A file changed or removed since the send list was made.
void checkStamp(const PreflightInput& input, const PreflightFile& file, Findings& findings)
{
    const auto stamp = input.stamps.find(file.name);
    if (stamp == input.stamps.end())
        return;
    const std::optional<FileStamp> now = FileStamp::of(file.path);
    if (!now)
        add(findings, file.name, std::nullopt, Finding::Kind::ChangedOnDisk,
            preflightText(QT_TRANSLATE_NOOP("Preflight", "the file was removed after the send list was made.")));
    else if (*now != stamp->second)
        add(findings, file.name, std::nullopt, Finding::Kind::ChangedOnDisk,
            preflightText(QT_TRANSLATE_NOOP("Preflight", "the file changed on disk after the send list was made.")));
}

void checkBoardSize(const PreflightFile& file, const ImageRecord& record, int boardWidth, int boardHeight,
                    Findings& findings)
{
    const auto [width, height] = Preflight::boardSizeOf(record);
    if (width == boardWidth && height == boardHeight)
        return;
    const QString said =
        file.sign ? preflightText(QT_TRANSLATE_NOOP("Preflight", "made for a %1 x %2 board (its widest frame "
                                                                 "windows), not for the %3 x %4 board of the %5 sign."))
                        .arg(width)
                        .arg(height)
                        .arg(boardWidth)
                        .arg(boardHeight)
                        .arg(file.sign->name)
                  : preflightText(QT_TRANSLATE_NOOP("Preflight", "made for a %1 x %2 board (its widest frame "
                                                                 "windows), not for the %3 x %4 board in use."))
                        .arg(width)
                        .arg(height)
                        .arg(boardWidth)
                        .arg(boardHeight);
    add(findings, file.name, std::nullopt, Finding::Kind::BoardSize, said);
}

// Frames that light nothing on the board or show only for a moment.
void checkFrames(const PreflightFile& file, const ImageRecord& record, int boardWidth, int boardHeight,
                 Findings& findings)
{
    const int frames = record.frameCount().ok() ? *record.frameCount() : 0;
    PixelArray bits;
    for (int f = 0; f < frames; ++f) {
        const int at = record.headerLine(f);
        const Expected<FrameHeader> header = record.headerAt(at);
        if (!header)
            continue;
        // Only what the board shows counts: the window's LEDs on the board.
        const FrameRect& w = header->rect;
        const FrameRect shown{w.x, w.y, std::min(w.right(), boardWidth) - w.x, std::min(w.bottom(), boardHeight) - w.y};
        const bool read = record.readFrameBits(at, w, bits).ok();
        if (!read || !anyLit(bits, shown))
            add(findings, file.name, f, Finding::Kind::NoLitLed,
                preflightText(QT_TRANSLATE_NOOP("Preflight", "no LED is lit.")));
        if (header->duration == 0)
            add(findings, file.name, f, Finding::Kind::ZeroDuration,
                preflightText(QT_TRANSLATE_NOOP("Preflight", "its duration is 0 ms, so it shows only for a moment.")));
    }
}

// What one DATA message of the readable files could not carry.
void checkMessage(const std::vector<FileText>& texts, Findings& findings)
{
    for (const FileText& text : texts) {
        const long long bytes = static_cast<long long>(text.hex.size() / 2);
        if (bytes > DataMessage::MaxFileBytes)
            add(findings, text.name, std::nullopt, Finding::Kind::MessageSize,
                preflightText(QT_TRANSLATE_NOOP("Preflight",
                                                "it holds %1 bytes; a file sent to the board may hold at most %2."))
                    .arg(number(bytes), number(DataMessage::MaxFileBytes)));
    }
    if (texts.size() > static_cast<std::size_t>(DataMessage::MaxFiles))
        add(findings, QString(), std::nullopt, Finding::Kind::MessageSize,
            preflightText(QT_TRANSLATE_NOOP("Preflight", "The send list holds %1 files; a message carries at most %2."))
                .arg(number(static_cast<long long>(texts.size())), number(DataMessage::MaxFiles)));
    const Expected<int> payload = DataMessage::payloadLength(texts);
    if (payload && 1LL + *payload > DataMessage::MaxBlockBytes)
        add(findings, QString(), std::nullopt, Finding::Kind::MessageSize,
            preflightText(QT_TRANSLATE_NOOP("Preflight", "The message would carry %1 bytes; it may carry at most %2."))
                .arg(number(1LL + *payload), number(DataMessage::MaxBlockBytes)));
}

} // namespace

std::vector<Finding> Preflight::check(const PreflightInput& input)
{
    Findings findings;
    std::vector<FileText> texts;
    for (const PreflightFile& file : input.files) {
        checkStamp(input, file, findings);
        if (!file.record) {
            add(findings, file.name, std::nullopt, Finding::Kind::Unreadable, file.record.error());
            continue;
        }
        const ImageRecord& record = *file.record;
        texts.push_back({file.name, record.hexText()});
        // A file goes to its sign when it has one, else to the board in use.
        const int boardWidth = file.sign ? file.sign->width : input.boardWidth;
        const int boardHeight = file.sign ? file.sign->height : input.boardHeight;
        checkBoardSize(file, record, boardWidth, boardHeight, findings);
        const auto missing = input.missingCharacters.find(file.name);
        if (missing != input.missingCharacters.end() && !missing->second.isEmpty())
            add(findings, file.name, std::nullopt, Finding::Kind::MissingCharacters,
                preflightText(QT_TRANSLATE_NOOP("Preflight", "text was placed with characters its font lacks, "
                                                             "shown as boxes: %1."))
                    .arg(characterList(missing->second)));
        checkFrames(file, record, boardWidth, boardHeight, findings);
    }
    checkMessage(texts, findings);
    return findings;
}

} // namespace vexel
