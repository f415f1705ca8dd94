#include "app/Graphic_Editor.h"
#include "preview/Playback.h"

#include <QPushButton>
#include <QTimer>

void TForm1::Connect_Preview()
{
    Preview->setTimer(Timer3);
    connect(Preview, &Playback::stepped, this, &TForm1::Timer3Timer);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
}

bool TForm1::Preview_Running() const { return Button7->text() != QStringLiteral("Run"); }

void TForm1::Button7Click()
{
    if (!Preview_Running()) {
        if (!Ask_To_Save())
            return;
        Button7->setText(QStringLiteral("Stop"));
        Preview->play(Frame_Duration);
        Current_Frame = 0;
        Hide_Controls();
        // The preview plays the image as stored on disk.
        Load_File();
        return;
    }
    Button7->setText(QStringLiteral("Run"));
    Preview->stop();
    Show_Controls();
    if (Selection_Shown)
        Button9->setEnabled(true);
    // Only while idle does the frame count decide whether "Run" is offered.
    Button7->setEnabled(Frame_Count >= 2);
    Refresh_Frames_List();
}

void TForm1::Timer3Timer()
{
    if (!Preview_Running())
        return;
    Current_Frame = Playback::nextFrame(Current_Frame, Frame_Count);
    Load_Frame();
}
