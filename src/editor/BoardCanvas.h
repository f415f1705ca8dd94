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

// The pictures of the board and the bit array of the current frame: the
// zoomed view the operator draws on (Image1), the board image with one pixel
// per LED (Image2), and Pixel_Array rebuilt from the board image. Paints only
// what an operation changed; the full repaint covers the frame window. Holds
// the cursor LED and its blink. Follows the settings for colours, grid, LED
// shape and size, the document for the frame window, and the selection.
class BoardCanvas {
public:
    BoardCanvas(const AppSettings& settings, const ImageDocument& document, const Selection& selection);

    Surface& view() { return view_; }
    const Surface& view() const { return view_; }
    Surface& board() { return board_; }
    const Surface& board() const { return board_; }
    PixelArray& bits() { return bits_; }
    const PixelArray& bits() const { return bits_; }

    GridStyle style() const;
    Color ledColor() const;
    Color backColor() const;
    bool lit(int column, int row) const { return board_.pixel(column, row) == ledColor(); }

    // Runs after every grid refresh; the settings file is written there.
    void setAfterGridRefresh(std::function<void()> hook) { afterGridRefresh_ = std::move(hook); }
    // Runs whenever the cursor is placed, so its blink can start a full
    // interval later.
    void setCursorPlaced(std::function<void()> hook) { cursorPlaced_ = std::move(hook); }

    // Pixel_Array from the board image, whole board.
    void rebuildArray();
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
    // One LED on both pictures in `color`, which both pictures keep as
    // their fill colour.
    void paintLed(int column, int row, Color color);
    // LEDs first..last (inclusive) as one solid block on each picture.
    void fillLeds(int c0, int r0, int c1, int r1, Color color);
    // The whole board as one block on each picture.
    void fillBoard(Color color);
    // Every LED of the view drawn again from the board image, after a zoom.
    void repaintView();
    // The given LEDs drawn on the view from the board image's colours.
    void repaintLeds(const std::vector<QPoint>& leds);

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
    Surface view_{2000, 1000};
    Surface board_{2002, 1000};
    PixelArray bits_;
    LedGrid grid_;
    QPoint cursorPos_{0, 0};
    Color cursorColor_ = 0;
    bool blinkPhase_ = false;
    std::function<void()> afterGridRefresh_;
    std::function<void()> cursorPlaced_;
};

} // namespace vexel
