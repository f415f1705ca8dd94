#include "app/Graphic_Editor.h"

#include "app/RecordView.h"
#include "app/Settings.h"
#include "editor/LitBits.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>

void TForm1::Connect_Board()
{
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm1::SpinEdit1Change);
    Timer2->start();
}

vexel::GridStyle TForm1::Grid_Style() const
{
    vexel::GridStyle style;
    style.cellSize = Cell_Size;
    style.gridInset = Grid_Inset;
    style.drawGrid = Form2 ? Form2->Draw_Grid() : false;
    style.roundedLeds = Form2 ? Form2->Rounded_Leds() : true;
    style.frameBounds = Form2 ? Form2->Frame_Bounds() : false;
    style.ledColor = Led_Color;
    style.backColor = Back_Color;
    style.gridColor = Grid_Color;
    style.boardWidth = Board_Width;
    style.boardHeight = Board_Height;
    return style;
}

void TForm1::Update_Array()
{
    if (!Preview_Running())
        Rebuild_Array();
}

void TForm1::Rebuild_Array()
{
    const int width = std::min({Board_Width, vexel::PixelArray::Columns, Image2_Surface.width()});
    const int height = std::min({Board_Height, vexel::PixelArray::Rows, Image2_Surface.height()});
    if (width < 1)
        return;
    // Runs after every painted LED: read the rows directly, not pixel by pixel.
    const QRgb lit = vexel::toQRgb(Led_Color);
    for (int r = 0; r < height; ++r)
        vexel::packLitRow(Image2_Surface.constScanLine(r), width, lit, Pixel_Array.rowData(r));
}

void TForm1::Fill_Canvas()
{
    const vexel::FrameRect& w = Frame_Rect;
    const int s = Cell_Size;
    Image2_Surface.setFillColor(Back_Color);
    Image2_Surface.fillRect(w.x, w.y, w.right(), w.bottom());
    Image1_Surface.setFillColor(Back_Color);
    Image1_Surface.fillRect(w.x * s, w.y * s, w.right() * s, w.bottom() * s);
    Refresh_Grid();
    Led_Grid.paintWindow(Image1_Surface, Image2_Surface, Pixel_Array, w, Grid_Style());
    Image1_Surface.setFillColor(Back_Color);
    Image2_Surface.setFillColor(Back_Color);
    Cursor_Color = Image2_Surface.pixel(Cursor_Pos.x(), Cursor_Pos.y());
}

void TForm1::Store_Frame()
{
    if (Preview_Running())
        return;
    const int header = Image_Record.headerLine(Current_Frame);
    if (header < 0) {
        Show_Error("The image has no frame " + std::to_string(Current_Frame) + ".");
        return;
    }
    // An effect box without a selection would otherwise widen its field.
    Entry_Effect = std::clamp(TntComboBox1->currentIndex(), 0, vexel::FrameHeader::MaxEffect);
    Exit_Effect = std::clamp(TntComboBox2->currentIndex(), 0, vexel::FrameHeader::MaxEffect);
    Frame_Duration = std::clamp(SpinEdit2->value(), 0, vexel::FrameHeader::MaxField);
    const vexel::Status stored = Image_Record.storeFrame(header, Current_Frame, Entry_Effect, Exit_Effect,
                                                         Frame_Duration, Pixel_Array, Board_Width, Board_Height);
    if (!stored) {
        Show_Error(stored.error());
        return;
    }
    const vexel::Expected<vexel::FrameHeader> written = Image_Record.headerAt(header);
    if (written)
        Frame_Rect = written->rect; // already capped at the board
    Row_Line_Pos = header + 1;
    Refresh_Frames_List();
    Memo1->refresh();
}

void TForm1::Load_Frame()
{
    const int header = Image_Record.headerLine(Current_Frame);
    const vexel::Expected<vexel::FrameHeader> read =
        header < 0 ? vexel::Expected<vexel::FrameHeader>::failure("The image has no frame " +
                                                                 std::to_string(Current_Frame) + ".")
                   : Image_Record.headerAt(header);
    if (!read) {
        Show_Error(read.error());
        return;
    }
    Entry_Effect = read->entryEffect;
    Exit_Effect = read->exitEffect;
    Frame_Duration = read->duration;
    {
        // Showing the frame is not an edit of its properties.
        const QSignalBlocker entry(TntComboBox1);
        const QSignalBlocker exit(TntComboBox2);
        const QSignalBlocker duration(SpinEdit2);
        TntComboBox1->setCurrentIndex(Entry_Effect);
        TntComboBox2->setCurrentIndex(Exit_Effect);
        SpinEdit2->setValue(Frame_Duration);
    }
    Frame_Rect = read->cappedRect(Board_Width, Board_Height);
    Row_Line_Pos = header + 1;
    const vexel::Status bits = Image_Record.readFrameBits(header, Frame_Rect, Pixel_Array);
    if (!bits) {
        Show_Error(bits.error());
        return;
    }
    Fill_Canvas();
    Frame_Border();
    Place_Cursor(Frame_Rect.x, Frame_Rect.y);
}

void TForm1::Refresh_Grid()
{
    if (Settings_Loading)
        return;
    Draw_Grid_Lines();
    Form2->Save_Settings();
}

void TForm1::Draw_Grid_Lines()
{
    Led_Grid.drawGrid(Image1_Surface, Grid_Style(), Selection_Rect, Selection_Shown, Frame_Rect);
}

void TForm1::Draw_Led(int left, int top, int right, int bottom)
{
    Led_Grid.drawLed(Image1_Surface, left, top, right, bottom, Grid_Style());
}

void TForm1::Selection_Border() { Led_Grid.selectionBorder(Image1_Surface, Grid_Style(), Selection_Rect, Selection_Shown); }

void TForm1::Frame_Border() { Led_Grid.frameBorder(Image1_Surface, Grid_Style(), Frame_Rect); }

void TForm1::Place_Cursor(int column, int row)
{
    Blink_Phase = false;
    // No blink colour may stay behind on the LED the cursor leaves. The fill
    // colour is put back, since a gesture may be holding its colour there.
    const vexel::Color fill = Image1_Surface.fillColor();
    Image1_Surface.setFillColor(Cursor_Color);
    const vexel::CellBody old = vexel::cellBody(Cursor_Pos.x(), Cursor_Pos.y(), Cell_Size, Grid_Inset);
    Draw_Led(old.left, old.top, old.right, old.bottom);
    Image1_Surface.setFillColor(fill);
    Cursor_Pos = QPoint(column, row);
    Cursor_Color = Image2_Surface.pixel(column, row);
    if (Timer2->isActive())
        Timer2->start(); // the next tick shows the blink colour a full interval later
}

void TForm1::Timer2Timer()
{
    const vexel::Color fill = Image1_Surface.fillColor();
    if (Blink_Phase) {
        Blink_Phase = false;
        Image1_Surface.setFillColor(Cursor_Color);
    } else {
        Blink_Phase = true;
        Image1_Surface.setFillColor(Grid_Color);
    }
    const vexel::CellBody body = vexel::cellBody(Cursor_Pos.x(), Cursor_Pos.y(), Cell_Size, Grid_Inset);
    Draw_Led(body.left, body.top, body.right, body.bottom);
    Image1_Surface.setFillColor(fill);
}

void TForm1::SpinEdit1Change()
{
    Cell_Size = std::clamp(SpinEdit1->value(), 1, 100);
    // Start-up applies the zoom once the settings are read.
    if (Settings_Loading)
        return;
    const int s = Cell_Size;
    const int w = Board_Width;
    const int h = Board_Height;

    Panel2->move(59, 2);
    Panel5->move(696, 2);
    Image2->move(2, 2);
    Image3->move(2, 2);
    Image1->setShownSize(w * s, h * s);
    Image2->setShownSize(w, h);
    Image3->setShownSize(w, h);
    Panel2->setFixedSize(w + 4, h + 4);
    Panel5->setFixedSize(w + 4, h + 4);
    Image1->move(0, Panel2->y() + Panel2->height() + 10);
    Panel3->move(0, Image1->y() + Image1->height() + 10);
    // The canvas must hold the regions at once so the scroll area reaches
    // them; the canvas's own fitting trims it when the regions next move.
    QRect used;
    for (const QWidget* region : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel5),
                                  static_cast<QWidget*>(Image1), static_cast<QWidget*>(Panel3)})
        if (!region->isHidden())
            used |= region->geometry();
    Canvas->resize(Canvas->size().expandedTo(QSize(used.right() + 1, used.bottom() + 1)));

    // The whole view at the new zoom, not only the frame window: outside it
    // the old zoom's cells would otherwise stay until painted over.
    Image1_Surface.setFillColor(Back_Color);
    Image1_Surface.fillRect(0, 0, w * s, h * s);
    Draw_Grid_Lines();
    Led_Grid.paintBoard(Image1_Surface, Image2_Surface, Grid_Style());
    Image1_Surface.setFillColor(Back_Color);
    Blink_Phase = false;

    if (!Form2->Save_Settings())
        return; // the failure has been shown; the repaint above stands
    Form2->ColorBox1Change();
    Form2->ColorBox2Change();
    Form2->ColorBox3Change();
}
