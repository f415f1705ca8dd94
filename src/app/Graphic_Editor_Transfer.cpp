#include "app/Graphic_Editor.h"

#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FramesPanel.h"
#include "app/SendPanel.h"
#include "app/Settings.h"
#include "app/Test_Window.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/DataMessage.h"
#include "transfer/SendJob.h"
#include "transfer/SendList.h"
#include "transfer/SerialLink.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>

#include <optional>
#include <vector>

void TForm1::Connect_Transfer()
{
    connect(Serial_Link, &SerialLink::statusChanged, this, [this](const QString& text) { StatusBar2->showMessage(text); });
    connect(Serial_Link, &SerialLink::progressAdvanced, this,
            [this](int step) { ProgressBar1->setValue(ProgressBar1->value() + step); });
    connect(Serial_Link, &SerialLink::progressRestarted, this, [this](int maximum) {
        ProgressBar1->setRange(0, maximum);
        ProgressBar1->setValue(0);
    });
    connect(Serial_Link, &SerialLink::progressCompleted, this,
            [this] { ProgressBar1->setValue(ProgressBar1->maximum()); });

    using vexel::SendJob;
    connect(Send_Job, &SendJob::statusChanged, this, [this](const QString& text) { StatusBar2->showMessage(text); });
    connect(Send_Job, &SendJob::progressRange, this, [this](int maximum) {
        ProgressBar1->setRange(0, maximum);
        ProgressBar1->setValue(0);
    });
    connect(Send_Job, &SendJob::progressValue, ProgressBar1, &QProgressBar::setValue);

    connect(Session_, &vexel::EditorSession::jobLocked, this, &TForm1::Lock_For_Job);
    connect(Session_, &vexel::EditorSession::portReopened, this, &TForm1::Port_Changed);
}

void TForm1::Lock_For_Job(bool locked)
{
    ProgressBar1->setVisible(locked);
    if (locked) {
        Hide_Controls();
        Frames_Panel->Set_Run_Enabled(false);
    } else {
        Frames_Panel->Set_Run_Enabled(true);
        Show_Controls();
    }
    // The commands that replace the image or touch the port would pull
    // the ground from under a running job; a save or a paste would go into
    // whichever file the job shows in passing.
    Files->Set_Locked(locked);
    // The board panel locks its own paste.
    for (QAction* command : {Settings1, Paste1})
        command->setEnabled(!locked);
    SpeedButton1->setEnabled(!locked);
    SpeedButton2->setEnabled(!locked);
    Edits->Update_Undo_Actions();
}

