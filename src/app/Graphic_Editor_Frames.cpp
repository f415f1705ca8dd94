#include "app/Graphic_Editor.h"
#include "app/RecordView.h"
#include "document/HexConvert.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace {

// Index of the selected item of the Frames list; 0 when none is selected.
int selectedFrame(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? 0 : list->row(items.first());
}

} // namespace

void TForm1::Connect_Frames()
{
    connect(ListBox3, &QListWidget::itemSelectionChanged, this, &TForm1::ListBox3Click);
    connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    // activated comes from the user only, never from Load_Frame setting the box.
    connect(TntComboBox1, qOverload<int>(&QComboBox::activated), this, &TForm1::TntComboBox1Change);
    connect(TntComboBox2, qOverload<int>(&QComboBox::activated), this, &TForm1::TntComboBox2Change);
    TntComboBox1->setEditable(false);
    TntComboBox2->setEditable(false);
    SpinEdit2->setRange(0, vexel::FrameHeader::MaxField);
    SpinEdit2->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // The press has already changed the value; the release writes it.
    if (watched == SpinEdit2 && event->type() == QEvent::KeyRelease)
        SpinEdit2KeyUp();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Refresh_Frames_List()
{
    Label2->setText(QStringLiteral("Frames: %1").arg(Frame_Count));
    // Filling the list is no user choice of a frame.
    const QSignalBlocker blocker(ListBox3);
    ListBox3->clear();
    for (int i = 0; i < Frame_Count; ++i)
        ListBox3->addItem(QStringLiteral("Frame %1").arg(i));
    ListBox3->setCurrentRow(Current_Frame);
}

void TForm1::ListBox3Click()
{
    if (!Ask_To_Save()) {
        // The list goes back to the frame still being edited.
        const QSignalBlocker quiet(ListBox3);
        Refresh_Frames_List();
        return;
    }
    const int shown = Current_Frame;
    Current_Frame = selectedFrame(ListBox3);
    // A file that cannot be read leaves the old frame on screen; it must stay
    // the current one, or the next store would write it over another frame.
    if (!Load_File()) {
        Current_Frame = shown;
        Refresh_Frames_List();
    }
}

void TForm1::Button8Click()
{
    const int frame = selectedFrame(ListBox3);
    if (frame == 0)
        return;
    const int header = Image_Record.headerLine(frame);
    const vexel::Expected<vexel::FrameHeader> removed = Image_Record.headerAt(header);
    if (header < 0 || !removed)
        return;
    Image_Record.removeLines(header, removed->rect.h + 1);
    Frame_Count -= 1;
    Image_Record.setFrameCount(Frame_Count);
    Current_Frame = Frame_Count - 1;
    if (!Write_Image_File()) {
        // The file still holds the frame: show what the record now holds and
        // keep the image marked as unsaved.
        Image_Modified = true;
        Load_Frame();
        Refresh_Frames_List();
        Memo1->refresh();
        return;
    }
    Load_File();
    Refresh_Frames_List();
}

void TForm1::Button9Click()
{
    const int x1 = std::clamp(Selection_Rect.x0, 0, Board_Width);
    const int y1 = std::clamp(Selection_Rect.y0, 0, Board_Height);
    const int x2 = std::clamp(Selection_Rect.x1, 0, Board_Width);
    const int y2 = std::clamp(Selection_Rect.y1, 0, Board_Height);
    if (x2 - x1 < 8 || y2 - y1 < 3) {
        prompter().inform(QStringLiteral("Selection must be minimum 8 X 3"), Prompter::InfoButton::Yes);
        return;
    }
    // The frame index has two hex digits in the header.
    if (Frame_Count >= vexel::ImageRecord::MaxFrames) {
        prompter().inform(QStringLiteral("Image can hold maximum 256 frames"), Prompter::InfoButton::Yes);
        return;
    }
    Frame_Count += 1;
    Image_Record.setFrameCount(Frame_Count);
    Frame_Rect = vexel::FrameRect{x1, y1, x2 - x1, y2 - y1};
    Current_Frame = Frame_Count - 1;
    Entry_Effect = std::max(TntComboBox1->currentIndex(), 0);
    Exit_Effect = std::max(TntComboBox2->currentIndex(), 0);
    Frame_Duration = SpinEdit2->value();

    vexel::FrameHeader header;
    header.index = Current_Frame;
    header.entryEffect = Entry_Effect;
    header.exitEffect = Exit_Effect;
    header.duration = Frame_Duration;
    header.rect = Frame_Rect;
    Row_Line_Pos = Image_Record.lineCount() + 1;
    Image_Record.appendFrame(header, Pixel_Array);
    Refresh_Frames_List();
    Memo1->refresh();
    Save1Click();
}

namespace {

// Replaces `digits` at `position` (0-based) of the current frame's header
// and writes the file at once; false when there is no such header.
bool rewriteHeader(TForm1& form, int position, const std::string& digits)
{
    const int at = form.Row_Line_Pos - 1;
    if (at < 1 || at >= form.Image_Record.lineCount())
        return false;
    std::string header = form.Image_Record.line(at);
    if (header.size() != static_cast<std::size_t>(vexel::FrameHeader::Length))
        return false;
    header.replace(static_cast<std::size_t>(position), digits.size(), digits);
    form.Image_Record.setLine(at, header);
    form.Memo1->refresh();
    form.Write_Image_File();
    return true;
}

} // namespace

void TForm1::TntComboBox1Change()
{
    if (!Startup_Done || TntComboBox1->currentIndex() < 0)
        return;
    Entry_Effect = TntComboBox1->currentIndex();
    rewriteHeader(*this, 2, vexel::toHex(static_cast<unsigned>(Entry_Effect), 1));
}

void TForm1::TntComboBox2Change()
{
    if (!Startup_Done || TntComboBox2->currentIndex() < 0)
        return;
    Exit_Effect = TntComboBox2->currentIndex();
    rewriteHeader(*this, 3, vexel::toHex(static_cast<unsigned>(Exit_Effect), 1));
}

void TForm1::SpinEdit2KeyUp()
{
    if (!Startup_Done)
        return;
    Frame_Duration = std::clamp(SpinEdit2->value(), 0, vexel::FrameHeader::MaxField);
    rewriteHeader(*this, 4, vexel::toHex(static_cast<unsigned>(Frame_Duration), 4));
}
