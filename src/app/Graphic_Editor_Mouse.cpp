#include "app/Graphic_Editor.h"

#include "app/FileCommands.h"
#include "editor/BoardEditor.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

vexel::GestureInput gestureOf(const MouseInput& input, int cellSize)
{
    return vexel::GestureInput{vexel::ledAt(input.position.x(), input.position.y(), cellSize), input.button,
                               input.buttons, input.modifiers};
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
    // The gestures decide when the context menu opens; no parent widget
    // offers one of its own.
    Image1->setContextMenuPolicy(Qt::PreventContextMenu);
}

void TForm1::Image1MouseDown(const MouseInput& input)
{
    Editor->press(gestureOf(input, settings().cellSize()));
}

void TForm1::Image1MouseMove(const MouseInput& input) { Editor->move(gestureOf(input, settings().cellSize())); }

void TForm1::Image1MouseUp(const MouseInput& input)
{
    const bool menu = Editor->release(gestureOf(input, settings().cellSize()));
    if (menu)
        PopupMenu1->popup(Image1->mapToGlobal(input.position));
}

void TForm1::Copy1Click()
{
    if (!Editor->copy()) {
        prompter().inform(QStringLiteral("No selection"), Prompter::InfoButton::Yes);
        return;
    }
    Panel5->show();
}

void TForm1::Paste1Click()
{
    if (!Editor->paste())
        prompter().inform(QStringLiteral("Buffer is empty"), Prompter::InfoButton::Yes);
}

void TForm1::Image3DblClick() { Paste1Click(); }

void TForm1::Button1Click() { Editor->fillBoard(false); }

void TForm1::Button2Click() { Editor->fillBoard(true); }

void TForm1::SpeedButton1Click() { Files->Save1Click(); }

void TForm1::SpeedButton2Click() { Files->Load1Click(); }
