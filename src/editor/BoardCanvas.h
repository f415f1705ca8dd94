#pragma once

#include "document/PixelArray.h"
#include "editor/BoardGeometry.h"
#include "editor/LedGrid.h"
#include "editor/Surface.h"

#include <QPoint>

#include <functional>
#include <vector>

namespace vexel {

class AppSettings;
class ImageDocument;
class Selection;

// The two pictures of the board's LEDs. The LEDs live in the document's
// Pixel_Array; the zoomed view the operator draws on (Image1) and the board
// image with one pixel per LED (Image2) are drawn from it and never read
// back, so a change of colours, grid, LED shape or zoom changes no LED. The
// canvas writes no LED.
// Paints only what an operation changed; the full repaint covers the frame
// window. Holds the cursor LED and its blink. Follows the settings for
// colours, grid, LED shape and size, the document for the frame window, and
// the selection.
class BoardCanvas {
public:
    BoardCanvas(const AppSettings& settings, const ImageDocument& document, const Selection& selection);

    Surface& view() { return view_; }
    const Surface& view() const { return view_; }
    Surface& board() { return board_; }
    const Surface& board() const { return board_; }

    GridStyle style() const;
    Color ledColor() const;
    Color backColor() const;
    Color colorOf(bool lit) const { return lit ? ledColor() : backColor(); }
    bool lit(int column, int row) const { return bits_.lit(column, row); }

    // Runs after every grid refresh; the settings file is written there.
    void setAfterGridRefresh(std::function<void()> hook) { afterGridRefresh_ = std::move(hook); }
    // Runs whenever the cursor is placed, so its blink can start a full
    // interval later.
    void setCursorPlaced(std::function<void()> hook) { cursorPlaced_ = std::move(hook); }

    // The frame window of both pictures from Pixel_Array: background, grid
    // and borders, every LED, then the cursor's colour read again.
    void fillWindow();
    // Grid lines and borders, then the after-refresh hook; nothing while the
    // settings are being read.
    void refreshGrid();
    void drawGridLines();
    void frameBorder();

    // The body of one LED on the view in the view's fill colour.
    void drawLed(int column, int row);
    // One LED drawn on both pictures as `lit`, the bit its caller has just
    // stored; both keep its colour as their fill colour.
    void paintLed(int column, int row, bool lit);
    // LEDs first..last (inclusive) drawn as one solid block on each picture,
    // lit or not.
    void fillLeds(int c0, int r0, int c1, int r1, bool lit);
    // Every LED of the board drawn as one block on each picture, lit or not.
    void fillBoard(bool lit);
    // Both pictures of the whole board drawn again from the LEDs, after a
    // zoom or a large undo.
    void repaintView();
    // The whole board and then the frame window as fillWindow draws it:
    // after a change of colours, LED shape or grid, so that no LED beside
    // the window (Paste, Fill) keeps the old look, nor one that a new
    // frame's window takes in later.
    void repaintBoard();
    // The given LEDs drawn on both pictures from their bits.
    void drawLeds(const std::vector<QPoint>& leds);
    // LEDs first..last (inclusive) drawn on both pictures from their bits.
    void drawRegion(const LedRect& inclusive);
    // One LED shown on the view only, lit or not, whatever its bit says: a
    // tool's preview. Drawing it from its bit takes the preview away.
    void showLed(int column, int row, bool lit);

    QPoint cursorPos() const { return cursorPos_; }
    // Moves the cursor without drawing; placeCursor is what editing uses.
    void setCursorPos(QPoint at) { cursorPos_ = at; }
    Color cursorColor() const { return cursorColor_; }
    void setCursorColor(Color color) { cursorColor_ = color; }
    // The cursor's colour is the board image's under it.
    void readCursorColor();
    bool blinkPhase() const { return blinkPhase_; }
    // Draws the old cursor LED in its own colour, then moves the cursor.
    void placeCursor(int column, int row);
    // A new image's cursor: (0, 0) in the background colour, drawn.
    void resetCursor();
    // One blink: the cursor LED alternates between the grid colour and its
    // own.
    void blink();

private:
    CellBody body(int column, int row) const;

    const AppSettings& settings_;
    const ImageDocument& document_;
    const Selection& selection_;
    const PixelArray& bits_; // the document's
    Surface view_{2000, 1000};
    Surface board_{2002, 1000};
    LedGrid grid_;
    QPoint cursorPos_{0, 0};
    Color cursorColor_ = 0;
    bool blinkPhase_ = false;
    std::function<void()> afterGridRefresh_;
    std::function<void()> cursorPlaced_;
};

} // namespace vexel
