#pragma once

#include "document/Result.h"
#include "lettering/LedFont.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace vexel {

// One .vfont file open for editing: its glyphs, each edit as one step of an
// undo history, and saving. A font in one of the read-only folders (the
// fonts shipped with the program) or a file marked read-only is never
// written over; "Save as" makes a copy of one's own.
class FontDocument : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxSteps = 10000;

    explicit FontDocument(QObject* parent = nullptr);

    // Folders whose fonts are kept as shipped.
    void setReadOnlyFolders(const QStringList& folders) { readOnlyFolders_ = folders; }
    const QStringList& readOnlyFolders() const { return readOnlyFolders_; }

    // All or nothing: a file the reader refuses leaves the open font as it
    // was and is refused with "<file>:<line>: <what is wrong>".
    Status open(const QString& path);
    // Writes the font through a temporary file, so a failure leaves the old
    // file whole and the font still marked changed.
    Status save();
    Status saveAs(const QString& path);

    bool isOpen() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }
    const LedFont& font() const { return font_; }
    // Save would refuse: a shipped font or a file marked read-only.
    bool isReadOnly() const { return isReadOnlyPath(path_); }
    bool isReadOnlyPath(const QString& path) const;
    // In one of the read-only folders: Save makes a copy.
    bool isShipped() const;
    bool isModified() const { return clean_ != index_; }

    // Code points by value.
    std::vector<char32_t> codes() const;
    // The glyphs a search names, by code point: each character typed, and
    // the code point written as U+XXXX, 0xXXXX or bare hex digits. An empty
    // search lists every glyph.
    std::vector<char32_t> search(const QString& query) const;
    const Glyph* glyph(char32_t code) const { return font_.find(code); }

    // The row, from 1 at the top, that capitals and digits stand on.
    int baseline() const { return font_.baseline; }
    // A new glyph's width: that of 'o' or 'n', else three fifths of the height.
    int defaultWidth() const;

    // The text on one line in this font: each glyph at the pen, the pen moved
    // on by its advance; a character the font lacks as an outlined box.
    LedBitmap sampleLine(const QString& text) const;

    // Edits; each is one undo step and refuses what the font cannot hold.
    Status addGlyph(char32_t code);
    Status removeGlyph(char32_t code);
    // The cell after a stroke of a tool; no step when nothing changed.
    Status setCell(char32_t code, const LedBitmap& cell, const QString& what);
    Status setAdvance(char32_t code, int advance);
    // Keeps the columns from the left; the advance follows the width when it
    // was the usual width + 1.
    Status setWidth(char32_t code, int width);

    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < static_cast<int>(steps_.size()); }
    QString undoText() const; // "Undo paint", or "Undo"
    QString redoText() const;
    // The name of the step an undo or a redo would take ("paint"); empty when there is none.
    QString undoName() const;
    QString redoName() const;
    // The code point the step changed, or nothing when there was no step.
    std::optional<char32_t> undo();
    std::optional<char32_t> redo();

    static QString codeName(char32_t code); // "U+10D0"
    // The glyph as the list shows it: "U+0041  A".
    static QString listText(char32_t code);

signals:
    // After open, every edit, undo and redo; `code` is the glyph touched, or
    // 0 for the whole font.
    void changed(char32_t code);
    void saved(const QString& path);

private:
    struct Step {
        QString name;
        char32_t code = 0;
        std::optional<Glyph> before;
        std::optional<Glyph> after;
    };
    void push(Step step);
    void put(char32_t code, const std::optional<Glyph>& glyph);
    Status writeTo(const QString& path);

    LedFont font_;
    // The file's text as last read or written: saving keeps its comments.
    std::string layout_;
    QString path_;
    QStringList readOnlyFolders_;
    std::vector<Step> steps_;
    int index_ = 0;
    int clean_ = 0; // -1: the saved state has left the history
};

} // namespace vexel
