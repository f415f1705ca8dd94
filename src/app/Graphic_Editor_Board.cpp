#include "app/Graphic_Editor.h"

#include "app/RecordView.h"
#include "app/Settings.h"
#include "editor/BoardEditor.h"
#include "settings/AppSettings.h"

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
    connect(SpinEdit1, &QSpinBox::valueChanged, App_Settings, &vexel::AppSettings::setCellSize);
    connect(App_Settings, &vexel::AppSettings::cellSizeChanged, this, &TForm1::SpinEdit1Change);
    connect(Editor, &vexel::BoardEditor::gridRefreshed, this, [this] { Form2->Save_Settings(); });
    connect(Editor, &vexel::BoardEditor::error, this, &TForm1::Show_Error);
    connect(&document(), &vexel::ImageDocument::recordChanged, Memo1, &RecordView::refresh);
    canvas().setCursorPlaced([this] {
        if (Timer2->isActive())
            Timer2->start(); // the next tick shows the blink colour a full interval later
    });
    Timer2->start();
}

void TForm1::Update_Array() { Editor->updateArray(); }

void TForm1::Fill_Canvas() { canvas().fillWindow(); }

void TForm1::Store_Frame() { Editor->storeFrame(); }

void TForm1::Load_Frame() { Editor->loadFrame(); }

void TForm1::Refresh_Grid() { canvas().refreshGrid(); }

void TForm1::Timer2Timer() { canvas().blink(); }

void TForm1::Fit_Work_Panel()
{
    // The work panel reaches down to the status bar, leaving no empty band,
    // and keeps its own height where the window is lower.
    const int below = Board_Area->viewport()->height() - Panel3->y() - 8;
    Panel3->resize(Panel3->width(), std::max(Panel3->minimumHeight(), below));
}

void TForm1::SpinEdit1Change()
{
    {
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setValue(settings().cellSize());
    }
    // Start-up applies the zoom once the settings are read.
    if (settings().loading())
        return;
    const int s = settings().cellSize();
    const int w = settings().boardWidth();
    const int h = settings().boardHeight();

    Panel2->move(59, 2);
    Panel5->move(696, 2);
    Image2->move(2, 2);
    Image3->move(2, 2);
    Image1->setShownSize(w * s, h * s);
    Image1->setGhostCellSize(s);
    Image2->setShownSize(w, h);
    Image3->setShownSize(w, h);
    Panel2->setFixedSize(w + 4, h + 4);
    Panel5->setFixedSize(w + 4, h + 4);
    Image1->move(0, Panel2->y() + Panel2->height() + 10);
    Panel3->move(0, Image1->y() + Image1->height() + 10);
    Fit_Work_Panel();
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
    canvas().repaintView();

    if (!Form2->Save_Settings())
        return; // the failure has been shown; the repaint above stands
    // The colour handlers of the Settings dialog, in their order.
    settings().setBackColor(settings().backColor());
    settings().setLedColor(settings().ledColor());
    settings().setGridColor(settings().gridColor());
}
