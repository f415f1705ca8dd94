#include "app/Graphic_Editor.h"

#include "document/ImageFile.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"

#include <QPushButton>
#include <QTimer>

void TForm1::Connect_Preview()
{
    connect(Preview, &Playback::stepped, this, &TForm1::Timer3Timer);
    connect(Preview, &Playback::runningChanged, this, [this](bool running) {
        Button7->setText(running ? QStringLiteral("Stop") : QStringLiteral("Run"));
        Editor->setPreviewRunning(running);
        Update_Undo_Actions();
    });
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
}

bool TForm1::Preview_Running() const { return Preview->running(); }

void TForm1::Button7Click()
{
    if (!Preview_Running()) {
        if (!Ask_To_Save())
            return;
        // The preview plays the image as stored on disk. With nothing there
        // to play (a new image never saved, a file removed since) it does not
        // start, and the image keeps its frame and its undo history.
        if (const vexel::Expected<vexel::ImageRecord> stored = vexel::ImageFile::load(Image_Path()); !stored) {
            Show_Error(QString::fromStdString(stored.error()));
            return;
        }
        Preview->play(document().current().duration);
        document().setCurrentFrame(0);
        Hide_Controls();
        // The preview plays the image as stored on disk.
        Load_File();
        Editor->clearHistory();
        return;
    }
    Preview->stop();
    Show_Controls();
    if (Editor->selection().shown())
        Button9->setEnabled(true);
    // Only while idle does the frame count decide whether "Run" is offered.
    Button7->setEnabled(document().frameCount() >= 2);
    Refresh_Frames_List();
}

void TForm1::Timer3Timer()
{
    if (!Preview_Running())
        return;
    document().setCurrentFrame(Playback::nextFrame(document().currentFrame(), document().frameCount()));
    Load_Frame();
}
