#include "editor/BoardCanvas.h"

#include "document/ImageDocument.h"
#include "editor/Selection.h"
#include "settings/AppSettings.h"

#include <algorithm>

namespace vexel {

BoardCanvas::BoardCanvas(const AppSettings& settings, const ImageDocument& document, const Selection& selection)
    : settings_(settings), document_(document), selection_(selection), bits_(document.bits())
{
}

GridStyle BoardCanvas::style() const
{
    GridStyle style;
    style.cellSize = settings_.cellSize();
    style.gridInset = settings_.gridInset();
    style.drawGrid = settings_.drawGrid();
    style.roundedLeds = settings_.roundedLeds();
    style.frameBounds = settings_.frameBounds();
    style.ledColor = settings_.ledColor();
    style.backColor = settings_.backColor();
    style.gridColor = settings_.gridColor();
    style.boardWidth = settings_.boardWidth();
    style.boardHeight = settings_.boardHeight();
    return style;
}

Color BoardCanvas::ledColor() const { return settings_.ledColor(); }

Color BoardCanvas::backColor() const { return settings_.backColor(); }

CellBody BoardCanvas::body(int column, int row) const
{
    return cellBody(column, row, settings_.cellSize(), settings_.gridInset());
}

void BoardCanvas::fillWindow()
{
    const FrameRect& w = document_.frameRect();
    const int s = settings_.cellSize();
    const Color back = settings_.backColor();
    board_.setFillColor(back);
    board_.fillRect(w.x, w.y, w.right(), w.bottom());
    view_.setFillColor(back);
    view_.fillRect(w.x * s, w.y * s, w.right() * s, w.bottom() * s);
    refreshGrid();
    grid_.paintWindow(view_, board_, bits_, w, style());
    view_.setFillColor(back);
    board_.setFillColor(back);
    readCursorColor();
}

void BoardCanvas::refreshGrid()
{
    if (settings_.loading())
        return;
    drawGridLines();
    if (afterGridRefresh_)
        afterGridRefresh_();
}

void BoardCanvas::drawGridLines()
{
    grid_.drawGrid(view_, style(), selection_.rect(), selection_.shown(), document_.frameRect());
}

void BoardCanvas::frameBorder() { grid_.frameBorder(view_, style(), document_.frameRect()); }

void BoardCanvas::drawLed(int column, int row)
{
    const CellBody b = body(column, row);
    grid_.drawLed(view_, b.left, b.top, b.right, b.bottom, style());
}

void BoardCanvas::paintLed(int column, int row, bool lit)
{
    const Color color = colorOf(lit);
    view_.setFillColor(color);
    board_.setFillColor(color);
    drawLed(column, row);
    board_.setPixel(column, row, color);
}

void BoardCanvas::fillLeds(int c0, int r0, int c1, int r1, bool lit)
{
    const Color color = colorOf(lit);
    const int s = settings_.cellSize();
    const int g = settings_.gridInset();
    view_.setFillColor(color);
    view_.fillRect(c0 * s + g, r0 * s + g, c1 * s + s, r1 * s + s);
    board_.setFillColor(color);
    board_.fillRect(c0, r0, c1 + 1, r1 + 1);
}

void BoardCanvas::fillBoard(bool lit)
{
    const Color color = colorOf(lit);
    view_.setFillColor(color);
    board_.setFillColor(color);
    board_.fillRect(0, 0, settings_.boardWidth(), settings_.boardHeight());
    view_.fillRect(0, 0, settings_.boardWidth() * settings_.cellSize(), settings_.boardHeight() * settings_.cellSize());
}

void BoardCanvas::repaintView()
{
    const int s = settings_.cellSize();
    view_.setFillColor(settings_.backColor());
    view_.fillRect(0, 0, settings_.boardWidth() * s, settings_.boardHeight() * s);
    drawGridLines();
    grid_.paintWindow(view_, board_, bits_, FrameRect{0, 0, settings_.boardWidth(), settings_.boardHeight()}, style());
    view_.setFillColor(settings_.backColor());
    board_.setFillColor(settings_.backColor());
    blinkPhase_ = false;
}

void BoardCanvas::repaintBoard()
{
    repaintView();
    fillWindow();
}

void BoardCanvas::drawLeds(const std::vector<QPoint>& leds)
{
    const Color viewFill = view_.fillColor();
    for (const QPoint& led : leds) {
        const Color color = colorOf(bits_.lit(led.x(), led.y()));
        view_.setFillColor(color);
        drawLed(led.x(), led.y());
        board_.setPixel(led.x(), led.y(), color);
    }
    view_.setFillColor(viewFill);
}

void BoardCanvas::drawRegion(const LedRect& r)
{
    grid_.paintWindow(view_, board_, bits_, FrameRect{r.x0, r.y0, r.x1 - r.x0 + 1, r.y1 - r.y0 + 1}, style());
}

void BoardCanvas::showLed(int column, int row, bool lit)
{
    const Color fill = view_.fillColor();
    view_.setFillColor(colorOf(lit));
    drawLed(column, row);
    view_.setFillColor(fill);
}

void BoardCanvas::readCursorColor() { cursorColor_ = board_.pixel(cursorPos_.x(), cursorPos_.y()); }

void BoardCanvas::placeCursor(int column, int row)
{
    blinkPhase_ = false;
    // No blink colour may stay behind on the LED the cursor leaves. The fill
    // colour is put back, since a gesture may be holding its colour there.
    const Color fill = view_.fillColor();
    view_.setFillColor(cursorColor_);
    drawLed(cursorPos_.x(), cursorPos_.y());
    view_.setFillColor(fill);
    cursorPos_ = QPoint(column, row);
    readCursorColor();
    if (cursorPlaced_)
        cursorPlaced_();
}

void BoardCanvas::resetCursor()
{
    cursorColor_ = settings_.backColor();
    cursorPos_ = QPoint(0, 0);
    blinkPhase_ = false;
    const Color fill = view_.fillColor();
    view_.setFillColor(cursorColor_);
    drawLed(0, 0);
    view_.setFillColor(fill);
    if (cursorPlaced_)
        cursorPlaced_();
}

void BoardCanvas::blink()
{
    const Color fill = view_.fillColor();
    blinkPhase_ = !blinkPhase_;
    view_.setFillColor(blinkPhase_ ? settings_.gridColor() : cursorColor_);
    drawLed(cursorPos_.x(), cursorPos_.y());
    view_.setFillColor(fill);
}

} // namespace vexel
