#include "app/Graphic_Editor.h"

#include "app/BusCommands.h"
#include "app/DestinationsCommands.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FramesPanel.h"
#include "app/ImportCommands.h"
#include "app/SendPanel.h"
#include "app/SignCommands.h"
#include "app/TextCommands.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>

// What the file commands mean for the frames panel: Run, adding a frame
// and the name shown. The shell wires them; neither knows the other.
void Connect_Files_To_Frames(FileCommands& files, FramesPanel& frames)
{
    QObject::connect(&files, &FileCommands::shownInPassing, &frames, [&frames] { frames.Set_Run_Enabled(false); });
    QObject::connect(&files, &FileCommands::fileNameShown, &frames, &FramesPanel::Show_File_Name);
    QObject::connect(&files, &FileCommands::runOffered, &frames, &FramesPanel::Offer_Run);
    QObject::connect(&files, &FileCommands::openingFile, &frames, &FramesPanel::Hold_While_Opening);
    QObject::connect(&files, &FileCommands::openRefused, &frames, &FramesPanel::Release_After_Refusal);
}

void TForm1::Create_Commands()
{
    Files = new FileCommands(*Session_, *this, File1, this);
    Connect_Files_To_Frames(*Files, *Frames_Panel);
    Signs = new SignCommands(*Session_, *this, menuBar(), Settings1, File1, this);
    Texts = new TextCommands(*Session_, *this, Edits->Text_Action(), Edit1, this);
    QAction* beforeExport = Signs->Export_Menu()->menuAction();
    Imports = new ImportCommands(*Session_, *this, *Files, File1, beforeExport, this);
    Buses = new BusCommands(*Session_, *this, *Files, Signs->View_Menu(), this);
    Destinations = new DestinationsCommands(*Session_, *this, *Files, File1, beforeExport, menuBar(), this);
    // Pictures dropped on the LED grid are imported; an image file dropped
    // anywhere on the window opens.
    setAcceptDrops(true);
    Connect_Commands();
}

void TForm1::Connect_Commands()
{
    connect(Files, &FileCommands::imageNamed, this, &TForm1::Set_Title);
    connect(Files, &FileCommands::imageLoaded, this, [this] { Signs->Sign_Follow(true, false); });
    auto status = [this](const QString& text) { StatusBar2->showMessage(text); };
    connect(Signs, &SignCommands::statusShown, this, status);
    connect(Destinations, &DestinationsCommands::statusShown, this, status);
    connect(Files, &FileCommands::statusShown, this, status);
    connect(Signs, &SignCommands::exportProgress, this, [this](int finished, int total) {
        ProgressBar1->setRange(0, total);
        ProgressBar1->setValue(finished);
    });
    connect(Signs, &SignCommands::exportRunning, this, [this](bool on) {
        Send_Panel->Set_Stop_Enabled(on);
        ProgressBar1->setVisible(on);
    });
    // The lettering and the picture are shown on the grid until placed.
    auto ghost = [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits) {
        Image1->setGhost(QRect(target.x, target.y, target.w, target.h), bits, App_Settings->cellSize());
    };
    connect(Texts, &TextCommands::ghostShown, this, ghost);
    connect(Imports, &ImportCommands::ghostShown, this, ghost);
    connect(Texts, &TextCommands::ghostCleared, Image1, &ImageView::clearGhost);
    connect(Imports, &ImportCommands::ghostCleared, Image1, &ImageView::clearGhost);
    connect(Buses, &BusCommands::sendRequested, Send_Panel, &SendPanel::Button10Click);
    connect(Destinations, &DestinationsCommands::sendRequested, Send_Panel, &SendPanel::Button10Click);
}

bool TForm1::Ask_To_Save() { return Files->Ask_To_Save(); }

bool TForm1::Preview_Running() const { return Frames_Panel->Preview_Running(); }

void TForm1::SaveAs1Click() { Files->SaveAs1Click(); }

void TForm1::Set_Title()
{
    setWindowTitle(Title_Text + Editor->document().path());
    Mark_Title(Editor->document().modified());
    Frames_Panel->Show_File_Name(Editor->document().fileName());
}

void TForm1::Mark_Title(bool modified)
{
    // An unsaved image shows "*" after its name; the title is otherwise the
    // one its command set.
    QString title = windowTitle();
    if (!title.startsWith(Title_Text))
        return;
    if (title.endsWith(QLatin1Char('*')))
        title.chop(1);
    setWindowTitle(modified ? title + QLatin1Char('*') : title);
}

void TForm1::Save_Settings()
{
    const vexel::Status saved = Session_->saveSettings();
    if (!saved)
        Show_Error(saved.error());
}
