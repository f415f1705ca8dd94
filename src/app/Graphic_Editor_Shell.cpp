#include "app/Graphic_Editor.h"

#include "app/About.h"
#include "app/BoardPanel.h"
#include "app/FileCommands.h"
#include "app/FramesPanel.h"
#include "app/GuideWindow.h"
#include "app/Help.h"
#include "app/RecordView.h"
#include "app/SendPanel.h"
#include "app/Settings.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <optional>

void TForm1::Connect_Shortcuts()
{
    Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    N1->setShortcut(QKeySequence(Qt::Key_F1));
    File1->addSeparator();
    Quit1 = File1->addAction(tr("Quit"));
    Quit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(Quit1, &QAction::triggered, this, &TForm1::Quit1Click);

    // Keys without a menu item of their own.
    Run_Key = new QAction(this);
    Run_Key->setShortcut(QKeySequence(Qt::Key_F5));
    connect(Run_Key, &QAction::triggered, Frames_Panel, &FramesPanel::Run_Key);
    Zoom_In = new QAction(this);
    Zoom_In->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(Zoom_In, &QAction::triggered, Board_Panel, [this] { Board_Panel->Zoom_By(1); });
    Zoom_Out = new QAction(this);
    Zoom_Out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(Zoom_Out, &QAction::triggered, Board_Panel, [this] { Board_Panel->Zoom_By(-1); });
    addActions({Run_Key, Zoom_In, Zoom_Out});

    connect(&Editor->document(), &vexel::ImageDocument::modifiedChanged, this, &TForm1::Mark_Title);
}

void TForm1::Quit1Click() { close(); }

void TForm1::SpeedButton1Click() { Files->Save1Click(); }

void TForm1::SpeedButton2Click() { Files->Load1Click(); }

void TForm1::Connect_Shell()
{
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Settings1, &QAction::triggered, this, &TForm1::Settings1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(User_Guide1, &QAction::triggered, this, &TForm1::User_Guide1Click);
    Guide_Keys = new GuideKeys(this);
    qApp->installEventFilter(Guide_Keys);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    Timer1->start();
}

namespace {

QString executableFolder(const QString& given)
{
    return given.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1Char('/') : given;
}

} // namespace

bool TForm1::Startup_Done() const { return App_Settings->startupDone(); }

void TForm1::Timer1Timer()
{
    Timer1->stop();
    Form2->hide();
    Exe_Folder = executableFolder(context_.exeFolder);
    // A last image that is gone, or that no longer loads, is treated alike:
    // the open dialog, whose cancel starts a new image.
    const std::optional<vexel::Status> last = Session_->startup();
    if (last && !*last)
        Show_Error(last->error());
    if (!last || !*last)
        Files->Load1Click();

    Memo1->show();
    Frames_Panel->Show_File_Name(Editor->document().fileName());
    Session_->finishStartup();
}

bool TForm1::FormClose()
{
    // Closing before the start-up work ran: nothing was read, so nothing
    // may be written, and the work must not run on a closed window.
    if (!Startup_Done()) {
        Timer1->stop();
        return true;
    }
    // A save that was asked for and failed keeps the window and its edits.
    if (!Ask_To_Save())
        return false;
    Save_Settings();
    return true;
}

void TForm1::Hide_Controls()
{
    Frames_Panel->Set_Locked(true);
    Board_Panel->Set_Locked(true);
    Send_Panel->Set_Locked(true);
}

void TForm1::Show_Controls()
{
    Frames_Panel->Set_Locked(false);
    Board_Panel->Set_Locked(false);
    Send_Panel->Set_Locked(false);
}

void TForm1::Settings1Click() { Form2->exec(); }

void TForm1::About1Click()
{
    TAboutBox box(this, Settings_Store->path());
    box.exec();
}

void TForm1::N1Click()
{
    Form4->show();
    Form4->raise();
    Form4->activateWindow();
}

void TForm1::User_Guide1Click() { Guide_Keys->guide()->showChapter(QStringLiteral("index")); }
