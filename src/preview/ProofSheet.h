#pragma once

#include "preview/SignRenderer.h"
#include "preview/Timeline.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// Pictures of every frame for approval before a send: a heading, then a
// grid of cells, each the board as the sign shows it while that frame
// holds (on a later pass, as it loops), labelled with the frame's number in
// its image (from 1, as the legibility audit counts pages), duration and
// effects. A grid taller than a page goes on over several pages, each with
// the heading. Needs a QGuiApplication for its text.
class ProofSheet {
public:
    struct Cell {
        int frame = 0; // in the timeline
        QRect picture;
        QRect label;
        QStringList lines;
    };

    // `titles` names the timeline's images, one each, for the labels of a
    // list of several; `heading` goes above the grid.
    ProofSheet(Timeline& timeline, QStringList titles, QString heading);

    // The widest the sheet may grow; at least one column always fits.
    void setMaxWidth(int pixels);
    // The tallest a page may grow; at least one row of cells always fits.
    // Pictures much taller are refused by common image tools.
    static constexpr int MaxPageHeight = 4096;
    void setMaxHeight(int pixels) { maxHeight_ = pixels; }
    int pageCount() const;
    // The file of page `page` (from 0) when the first is `path`: the first
    // keeps the name, "sheet.png" goes on in "sheet-2.png", "sheet-3.png".
    static QString pagePath(const QString& path, int page);
    // Frames drawn with a red border: those the legibility audit found fault with.
    void setMarked(std::vector<int> frames) { marked_ = std::move(frames); }
    // Each image drawn as a sign showing it alone shows it, starting dark,
    // rather than after the images before it: the images of a release are
    // each a destination of their own.
    void setImagesApart(bool on) { apart_ = on; }
    static constexpr QRgb MarkColour = 0xFFD01010;

    SignStyle cellStyle() const;
    // "Start: Slide up · ქვემოდან ამოცურებით": an effect is named in the
    // interface's language beside the Georgian name the board's own
    // program gives it (English where no translation is loaded).
    QStringList labelLines(int frame) const;
    // The cells of one page, from 0.
    std::vector<Cell> layout(int page = 0) const;
    QSize size(int page = 0) const;
    QImage render(int page = 0);

    static QFont font(int pixelSize, bool bold);

private:
    int labelLineHeight() const;
    int headingHeight() const;
    QSize cellSize() const;
    int labelWidth() const;
    int columns() const;
    int rowsPerPage() const;
    QString pageHeading(int page) const;

    Timeline& timeline_;
    QStringList titles_;
    QString heading_;
    int maxWidth_ = 1600;
    int maxHeight_ = MaxPageHeight;
    std::vector<int> marked_;
    bool apart_ = false;
    mutable int labelWidth_ = -1; // the widest label line, measured once
};

} // namespace vexel
