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

// One picture of every frame for approval before a send: a heading, then a
// grid of cells, each the board as the sign shows it while that frame
// holds (on a later pass, as it loops), labelled with the frame's number,
// duration and effect names. Needs a QGuiApplication for its text.
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
    // Frames drawn with a red border: those the legibility audit found fault with.
    void setMarked(std::vector<int> frames) { marked_ = std::move(frames); }
    // Each image drawn as a sign showing it alone shows it, starting dark,
    // rather than after the images before it: the images of a release are
    // each a destination of their own.
    void setImagesApart(bool on) { apart_ = on; }
    static constexpr QRgb MarkColour = 0xFFD01010;

    SignStyle cellStyle() const;
    QStringList labelLines(int frame) const;
    std::vector<Cell> layout() const;
    QSize size() const;
    QImage render();

    static QFont font(int pixelSize, bool bold);

private:
    int labelLineHeight() const;
    int headingHeight() const;

    Timeline& timeline_;
    QStringList titles_;
    QString heading_;
    int maxWidth_ = 1600;
    std::vector<int> marked_;
    bool apart_ = false;
};

} // namespace vexel
