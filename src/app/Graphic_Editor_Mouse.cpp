#include "app/Graphic_Editor.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// The selection as far as it lies on the board; the board may have been made
// smaller since it was drawn.
vexel::LedRect onBoard(const vexel::LedRect& r, int boardWidth, int boardHeight)
{
    return vexel::LedRect{std::clamp(r.x0, 0, boardWidth), std::clamp(r.y0, 0, boardHeight),
                          std::clamp(r.x1, 0, boardWidth), std::clamp(r.y1, 0, boardHeight)};
}

bool isPlainRightClick(const MouseInput& input)
{
    return input.button == Qt::RightButton && input.modifiers == Qt::NoModifier;
}

} // namespace

void TForm1::Connect_Mouse()
{
    connect(Copy1, &QAction::triggered, this, &TForm1::Copy1Click);
    connect(Copy2, &QAction::triggered, this, &TForm1::Copy1Click);
    connect(Paste1, &QAction::triggered, this, &TForm1::Paste1Click);
    connect(Paste2, &QAction::triggered, this, &TForm1::Paste1Click);
    connect(Image3, &ImageView::doubleClicked, this, &TForm1::Image3DblClick);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);

    connect(Image1, &ImageView::pressed, this, &TForm1::Image1MouseDown);
    connect(Image1, &ImageView::moved, this, &TForm1::Image1MouseMove);
    connect(Image1, &ImageView::released, this, &TForm1::Image1MouseUp);

    // The context menu opens at the release of a right click made without
    // keys or other buttons, so a right-button stroke with Alt or Ctrl+Alt
    // never ends in a menu, and no parent widget offers one of its own.
    Image1->setContextMenuPolicy(Qt::PreventContextMenu);
    auto plainRightPress = std::make_shared<bool>(false);
    connect(Image1, &ImageView::pressed, this, [plainRightPress](const MouseInput& input) {
        *plainRightPress = isPlainRightClick(input) && input.buttons == Qt::RightButton;
    });
    connect(Image1, &ImageView::released, this, [this, plainRightPress](const MouseInput& input) {
        const bool open = *plainRightPress && isPlainRightClick(input) && input.buttons == Qt::NoButton;
        *plainRightPress = false;
        if (open)
            PopupMenu1->popup(Image1->mapToGlobal(input.position));
    });
}

void TForm1::Image1MouseDown(const MouseInput& input)
{
    if (Preview_Running())
        return;
    const QPoint led = vexel::ledAt(input.position.x(), input.position.y(), Cell_Size);
    if (input.modifiers & Qt::ShiftModifier) {
        Selection_Rect.x0 = std::clamp(led.x(), 0, Board_Width);
        Selection_Rect.y0 = std::clamp(led.y(), 0, Board_Height);
        return;
    }
    if (input.modifiers & Qt::ControlModifier) {
        Fill_Rect.x0 = led.x();
        Fill_Rect.y0 = led.y();
    }
    if (input.modifiers & Qt::AltModifier) {
        Paint_Point(input);
        return;
    }
    if ((input.buttons & Qt::LeftButton) && Frame_Rect.contains(led.x(), led.y()))
        Place_Cursor(led.x(), led.y());
}

void TForm1::Image1MouseMove(const MouseInput& input)
{
    if (Preview_Running())
        return;
    if (input.modifiers & Qt::AltModifier)
        Paint_Point(input);
}

void TForm1::Paint_Point(const MouseInput& input)
{
    const bool left = input.buttons & Qt::LeftButton;
    const bool right = input.buttons & Qt::RightButton;
    if (!left && !right)
        return;
    const QPoint led = vexel::ledAt(input.position.x(), input.position.y(), Cell_Size);
    if (!Frame_Rect.contains(led.x(), led.y()))
        return;
    const vexel::Color color = right ? Back_Color : Led_Color;
    Image1_Surface.setFillColor(color);
    Image2_Surface.setFillColor(color);
    // A press decides what a rectangle fill paints; a button that joins
    // during the drag does not.
    if (input.button != Qt::NoButton)
        Last_Drawing_Color = color;
    if (input.modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
        return;
    const vexel::CellBody body = vexel::cellBody(led.x(), led.y(), Cell_Size, Grid_Inset);
    Draw_Led(body.left, body.top, body.right, body.bottom);
    Image2_Surface.setPixel(led.x(), led.y(), color);
    Update_Array();
    Image_Modified = true;
    if (Cursor_Pos == led)
        Cursor_Color = color;
}

void TForm1::Image1MouseUp(const MouseInput& input)
{
    if (Preview_Running())
        return;
    const QPoint led = vexel::ledAt(input.position.x(), input.position.y(), Cell_Size);
    bool commit = false;

    if (input.modifiers & Qt::ControlModifier) {
        Fill_Rect.x1 = led.x();
        Fill_Rect.y1 = led.y();
        // Normalised on the side, so the recorded start stays the start.
        const int c0 = std::min(Fill_Rect.x0, Fill_Rect.x1);
        const int c1 = std::max(Fill_Rect.x0, Fill_Rect.x1);
        const int r0 = std::min(Fill_Rect.y0, Fill_Rect.y1);
        const int r1 = std::max(Fill_Rect.y0, Fill_Rect.y1);
        if (Frame_Rect.contains(c0, r0) && Frame_Rect.contains(c1, r1)) {
            const int s = Cell_Size;
            // One colour on both pictures, whatever was drawn in between.
            Image1_Surface.setFillColor(Last_Drawing_Color);
            Image1_Surface.fillRect(c0 * s + Grid_Inset, r0 * s + Grid_Inset, c1 * s + s, r1 * s + s);
            Image2_Surface.setFillColor(Last_Drawing_Color);
            Image2_Surface.fillRect(c0, r0, c1 + 1, r1 + 1);
            Update_Array();
            Image_Modified = true;
            Refresh_Grid();
            Cursor_Color = Image2_Surface.pixel(Cursor_Pos.x(), Cursor_Pos.y());
            commit = true;
        }
    }

    if ((input.modifiers & Qt::ShiftModifier) && input.button == Qt::LeftButton) {
        const int s = Selection_Rect.x0;
        const int t = Selection_Rect.y0;
        const vexel::LedRect made{std::min(s, led.x()), std::min(t, led.y()), std::max(s, led.x()) + 1,
                                  std::max(t, led.y()) + 1};
        Selection_Rect = onBoard(made, Board_Width, Board_Height);
        Selection_Shown = true;
        Button9->setEnabled(true);
        Refresh_Grid();
    } else if (input.modifiers & Qt::AltModifier) {
        commit = true;
    }

    if (commit)
        Store_Frame();
}

void TForm1::Copy1Click()
{
    Image3_Surface.setFillColor(vexel::White);
    Image3_Surface.fillRect(0, 0, Board_Width, Board_Height);
    if (Selection_Rect.isZero()) {
        prompter().inform(QStringLiteral("No selection"), Prompter::InfoButton::Yes);
        return;
    }
    const vexel::LedRect sel = onBoard(Selection_Rect, Board_Width, Board_Height);
    for (int x = sel.x0; x < sel.x1; ++x)
        for (int y = sel.y0; y < sel.y1; ++y)
            Image3_Surface.setPixel(x, y, Image2_Surface.pixel(x, y));
    Clipboard_Filled = true;
    Panel5->show();
}

void TForm1::Paste1Click()
{
    if (!Clipboard_Filled) {
        prompter().inform(QStringLiteral("Buffer is empty"), Prompter::InfoButton::Yes);
        return;
    }
    const vexel::LedRect sel = onBoard(Selection_Rect, Board_Width, Board_Height);
    for (int x = sel.x0; x < sel.x1; ++x) {
        for (int y = sel.y0; y < sel.y1; ++y) {
            const int tx = Cursor_Pos.x() + x - sel.x0;
            const int ty = Cursor_Pos.y() + y - sel.y0;
            if (tx >= Board_Width || ty >= Board_Height)
                continue;
            const vexel::Color color = Image3_Surface.pixel(x, y);
            Image2_Surface.setPixel(tx, ty, color);
            Image1_Surface.setFillColor(color);
            const vexel::CellBody body = vexel::cellBody(tx, ty, Cell_Size, Grid_Inset);
            Draw_Led(body.left, body.top, body.right, body.bottom);
        }
    }
    Cursor_Color = Image2_Surface.pixel(Cursor_Pos.x(), Cursor_Pos.y());
    Refresh_Grid();
    Image_Modified = true;
    Update_Array();
    Store_Frame();
}

void TForm1::Image3DblClick() { Paste1Click(); }

namespace {

void fillBoard(TForm1& form, vexel::Color color)
{
    form.Image1_Surface.setFillColor(color);
    form.Image2_Surface.setFillColor(color);
    form.Image2_Surface.fillRect(0, 0, form.Board_Width, form.Board_Height);
    form.Image1_Surface.fillRect(0, 0, form.Board_Width * form.Cell_Size, form.Board_Height * form.Cell_Size);
    form.Refresh_Grid();
    form.Update_Array();
    form.Store_Frame();
    form.Image_Modified = true;
    form.Cursor_Color = color;
}

} // namespace

void TForm1::Button1Click() { fillBoard(*this, Back_Color); }

void TForm1::Button2Click() { fillBoard(*this, Led_Color); }

void TForm1::SpeedButton1Click() { Save1Click(); }

void TForm1::SpeedButton2Click() { Load1Click(); }
