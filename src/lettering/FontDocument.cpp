#include "lettering/FontDocument.h"

#include "lettering/LedFontReader.h"
#include "lettering/LedFontWriter.h"
#include "lettering/UserFonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <set>

namespace vexel {

namespace {

bool isCharacter(char32_t code) { return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

std::optional<char32_t> hexCode(const QString& digits)
{
    if (digits.isEmpty() || digits.size() > 6)
        return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || !isCharacter(value))
        return std::nullopt;
    return static_cast<char32_t>(value);
}

QString nativeName(const QString& path) { return QDir::toNativeSeparators(path); }

// The folder a file is in, as the file system names it once links are
// followed; the path as given when the folder does not exist.
QString realFolder(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.absoluteDir().canonicalPath();
    return canonical.isEmpty() ? info.absolutePath() : canonical;
}

} // namespace

FontDocument::FontDocument(QObject* parent) : QObject(parent) {}

Status FontDocument::open(const QString& path)
{
    Expected<std::string> text = LedFontReader::load(path);
    if (!text)
        return text.status();
    Expected<LedFont> read = LedFontReader::parse(*text, QDir::toNativeSeparators(path));
    if (!read)
        return read.status();
    font_ = std::move(read).value();
    layout_ = std::move(text).value();
    path_ = path;
    steps_.clear();
    index_ = 0;
    clean_ = 0;
    emit changed(0);
    return Status::success();
}

bool FontDocument::isReadOnlyPath(const QString& path) const
{
    if (path.isEmpty())
        return false;
    const QString folder = realFolder(path);
    for (const QString& readOnly : readOnlyFolders_) {
        const QString canonical = QDir(readOnly).canonicalPath();
        if (!canonical.isEmpty() && canonical == folder)
            return true;
    }
    // The mode bits, not access(): a file marked read-only stays so for a
    // user (root) whom the system would let write it anyway.
    const QFileInfo info(path);
    if (info.exists()) {
        const QFile::Permissions write =
            QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!(info.permissions() & write))
            return true;
    }
    return false;
}

bool FontDocument::isShipped() const
{
    const QString folder = realFolder(path_);
    for (const QString& readOnly : readOnlyFolders_) {
        const QString canonical = QDir(readOnly).canonicalPath();
        if (!path_.isEmpty() && !canonical.isEmpty() && canonical == folder)
            return true;
    }
    return false;
}

Status FontDocument::save()
{
    if (!isOpen())
        return Status::failure("No font is open.");
    if (isReadOnly())
        return Status::failure(nativeName(path_) +
                               " is read-only. Use Save as to keep the changes in a font of your own.");
    return writeTo(path_);
}

Status FontDocument::saveAs(const QString& path)
{
    if (!isOpen())
        return Status::failure("No font is open.");
    if (isReadOnlyPath(path))
        return Status::failure(nativeName(path) + " is read-only. Choose another name or folder.");
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure("Cannot make the folder " + nativeName(QFileInfo(path).absolutePath()) +
                               ".");
    const Status written = writeTo(path);
    if (written)
        path_ = path;
    return written;
}

Status FontDocument::writeTo(const QString& path)
{
    const Status written = LedFontWriter::save(font_, path, layout_);
    if (!written)
        return Status::failure("Cannot save " + nativeName(path) + ". " + written.error());
    layout_ = LedFontWriter::text(font_, layout_);
    clean_ = index_;
    emit saved(path);
    UserFonts::instance().announceSaved(path);
    return Status::success();
}

std::vector<char32_t> FontDocument::codes() const
{
    std::vector<char32_t> out;
    out.reserve(font_.glyphs.size());
    for (const auto& [code, glyph] : font_.glyphs)
        out.push_back(code);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<char32_t> FontDocument::search(const QString& query) const
{
    const QString q = query.trimmed();
    if (q.isEmpty())
        return codes();
    std::set<char32_t> wanted;
    const QString lower = q.toLower();
    if (lower.startsWith(QLatin1String("u+")) || lower.startsWith(QLatin1String("0x"))) {
        if (const std::optional<char32_t> code = hexCode(q.mid(2)))
            wanted.insert(*code);
    } else {
        for (char32_t c : q.toUcs4())
            wanted.insert(c);
        if (q.size() >= 2)
            if (const std::optional<char32_t> code = hexCode(q))
                wanted.insert(*code);
    }
    std::vector<char32_t> out;
    for (char32_t c : wanted)
        if (font_.find(c))
            out.push_back(c);
    return out;
}

int FontDocument::defaultWidth() const
{
    for (char32_t c : {U'o', U'n'})
        if (const Glyph* g = font_.find(c))
            return g->cell.width();
    return std::clamp((font_.height * 3 + 4) / 5, 1, LedFont::MaxWidth);
}

LedBitmap FontDocument::sampleLine(const QString& text) const
{
    constexpr int MaxWidth = 4096;
    const int boxWidth = defaultWidth();
    const QList<uint> chars = text.toUcs4();
    int width = 0;
    int pen = 0;
    for (uint c : chars) {
        const Glyph* g = font_.find(c);
        width = std::max(width, pen + (g ? g->left + g->cell.width() : boxWidth));
        pen += g ? g->advance : boxWidth + 1;
    }
    LedBitmap line(std::min(width, MaxWidth), font_.height);
    pen = 0;
    for (uint c : chars) {
        if (pen >= MaxWidth)
            break;
        if (const Glyph* g = font_.find(c)) {
            for (int y = 0; y < g->cell.height(); ++y)
                for (int x = 0; x < g->cell.width(); ++x)
                    if (g->cell.lit(x, y))
                        line.set(pen + g->left + x, y, true);
            pen += g->advance;
            continue;
        }
        for (int y = 0; y < font_.height; ++y)
            for (int x = 0; x < boxWidth; ++x)
                if (y == 0 || y == font_.height - 1 || x == 0 || x == boxWidth - 1)
                    line.set(pen + x, y, true);
        pen += boxWidth + 1;
    }
    return line;
}

Status FontDocument::addGlyph(char32_t code)
{
    if (!isOpen())
        return Status::failure("No font is open.");
    if (!isCharacter(code))
        return Status::failure(codeName(code) + " is not a character.");
    if (font_.find(code))
        return Status::failure(codeName(code) + " is already in the font.");
    Glyph g;
    g.cell = LedBitmap(defaultWidth(), font_.height);
    g.advance = g.cell.width() + 1;
    push(Step{QStringLiteral("add glyph"), code, std::nullopt, g});
    return Status::success();
}

Status FontDocument::removeGlyph(char32_t code)
{
    const Glyph* g = font_.find(code);
    if (!g)
        return Status::failure(codeName(code) + " is not in the font.");
    // The format holds no font without glyphs.
    if (font_.glyphs.size() == 1)
        return Status::failure("A font keeps at least one glyph.");
    push(Step{QStringLiteral("remove glyph"), code, *g, std::nullopt});
    return Status::success();
}

Status FontDocument::setCell(char32_t code, const LedBitmap& cell, const QString& what)
{
    const Glyph* g = font_.find(code);
    if (!g)
        return Status::failure(codeName(code) + " is not in the font.");
    if (cell.height() != font_.height || cell.width() < 1 || cell.width() > LedFont::MaxWidth)
        return Status::failure("The drawing does not fit the font's cell.");
    if (cell == g->cell)
        return Status::success();
    Glyph after = *g;
    after.cell = cell;
    push(Step{what, code, *g, after});
    return Status::success();
}

Status FontDocument::setAdvance(char32_t code, int advance)
{
    const Glyph* g = font_.find(code);
    if (!g)
        return Status::failure(codeName(code) + " is not in the font.");
    if (advance < 0 || advance > LedFont::MaxAdvance)
        return Status::failure(QStringLiteral("The advance must be 0 to %1.").arg(LedFont::MaxAdvance));
    if (advance == g->advance)
        return Status::success();
    Glyph after = *g;
    after.advance = advance;
    push(Step{QStringLiteral("advance"), code, *g, after});
    return Status::success();
}

Status FontDocument::setWidth(char32_t code, int width)
{
    const Glyph* g = font_.find(code);
    if (!g)
        return Status::failure(codeName(code) + " is not in the font.");
    if (width < 1 || width > LedFont::MaxWidth)
        return Status::failure(QStringLiteral("The width must be 1 to %1 LEDs.").arg(LedFont::MaxWidth));

    if (width == g->cell.width())
        return Status::success();
    Glyph after = *g;
    after.cell = LedBitmap(width, font_.height);
    for (int y = 0; y < font_.height; ++y)
        for (int x = 0; x < width; ++x)
            after.cell.set(x, y, g->cell.lit(x, y));
    if (g->advance == g->cell.width() + 1)
        after.advance = std::min(width + 1, LedFont::MaxAdvance);
    push(Step{QStringLiteral("width"), code, *g, after});
    return Status::success();
}

void FontDocument::push(Step step)
{
    if (clean_ > index_)
        clean_ = -1;
    steps_.erase(steps_.begin() + index_, steps_.end());
    const char32_t code = step.code;
    put(code, step.after);
    steps_.push_back(std::move(step));
    ++index_;
    if (static_cast<int>(steps_.size()) > MaxSteps) {
        steps_.erase(steps_.begin());
        --index_;
        clean_ = clean_ > 0 ? clean_ - 1 : -1;
    }
    emit changed(code);
}

void FontDocument::put(char32_t code, const std::optional<Glyph>& glyph)
{
    if (glyph)
        font_.glyphs[code] = *glyph;
    else
        font_.glyphs.erase(code);
}

QString FontDocument::undoName() const
{
    return canUndo() ? steps_[static_cast<std::size_t>(index_ - 1)].name : QString();
}

QString FontDocument::redoName() const { return canRedo() ? steps_[static_cast<std::size_t>(index_)].name : QString(); }

QString FontDocument::undoText() const
{
    return canUndo() ? QStringLiteral("Undo ") + undoName() : QStringLiteral("Undo");
}

QString FontDocument::redoText() const
{
    return canRedo() ? QStringLiteral("Redo ") + redoName() : QStringLiteral("Redo");
}

std::optional<char32_t> FontDocument::undo()
{
    if (!canUndo())
        return std::nullopt;
    const Step& step = steps_[static_cast<std::size_t>(--index_)];
    put(step.code, step.before);
    emit changed(step.code);
    return step.code;
}

std::optional<char32_t> FontDocument::redo()
{
    if (!canRedo())
        return std::nullopt;
    const Step& step = steps_[static_cast<std::size_t>(index_++)];
    put(step.code, step.after);
    emit changed(step.code);
    return step.code;
}

QString FontDocument::codeName(char32_t code)
{
    return QStringLiteral("U+%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper();
}

QString FontDocument::listText(char32_t code)
{
    QString shown;
    if (code > 0x20 && isCharacter(code)) {
        const QString text = QString::fromUcs4(&code, 1);
        if (text.at(0).isPrint())
            shown = text;
    }
    return shown.isEmpty() ? codeName(code) : codeName(code) + QStringLiteral("  ") + shown;
}

} // namespace vexel
