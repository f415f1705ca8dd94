#include "app/Graphic_Editor.h"

#include "app/FramesPanel.h"
#include "app/RecordView.h"
#include "app/Settings.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

const QString SavePrompt = QStringLiteral("Image changed. Do you want to save?");

} // namespace

void TForm1::Connect_Files()
{
    connect(New1, &QAction::triggered, this, &TForm1::New1Click);
    connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(Load1, &QAction::triggered, this, &TForm1::Load1Click);
    connect(Session_, &vexel::EditorSession::imageShown, this, [this](bool inPassing) {
        Show_Loaded();
        // A file shown on its way to the board is not there to be played.
        if (inPassing)
            Frames_Panel->Set_Run_Enabled(false);
    });
    connect(Session_, &vexel::EditorSession::error, this, &TForm1::Show_Error);
}

QString TForm1::Image_Path() const { return Editor->document().path(); }

void TForm1::Set_Title()
{
    setWindowTitle(Title_Text + Image_Path());
    Mark_Title(document().modified());
    Frames_Panel->Show_File_Name(document().fileName());
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

bool TForm1::Ask_To_Save()
{
    if (!document().modified() || !prompter().confirm(SavePrompt))
        return true;
    Save1Click();
    return !document().modified();
}

void TForm1::Save_Settings()
{
    const vexel::Status saved = Session_->saveSettings();
    if (!saved)
        Show_Error(saved.error());
}

void TForm1::New1Click()
{
    if (!Ask_To_Save())
        return;
    Session_->newImage();
    setWindowTitle(Title_Text + Image_Path());
    Mark_Title(document().modified());
    Frames_Panel->Show_File_Name(QString());
}

bool TForm1::Load_File()
{
    // The layer announces the loaded image; Show_Loaded follows it.
    const vexel::Status loaded = Session_->loadFile();
    if (!loaded)
        Show_Error(loaded.error());
    return static_cast<bool>(loaded);
}

void TForm1::Show_Loaded()
{
    Set_Title();
    // While playing, Run must stay usable so that Stop can end the preview.
    Frames_Panel->Offer_Run();
    Sign_Follow(true, false);
}

bool TForm1::Open_Image(const QString& folder, const QString& name, int frame)
{
    const vexel::Status opened = Session_->open(folder, name, frame);
    if (!opened)
        Show_Error(opened.error());
    return static_cast<bool>(opened);
}

void TForm1::Load1Click()
{
    if (!Ask_To_Save())
        return;
    vexel::ImageDocument& doc = document();
    if (!QFileInfo(Image_Path()).isFile())
        doc.setFileName(QString());

    FileRequest request;
    request.directory = doc.folder();
    request.proposedName = doc.fileName();
    const QString chosen = prompter().openFile(request);
    if (chosen.isEmpty()) {
        if (!Startup_Done())
            New1Click();
        return;
    }

    Open_Chosen(chosen);
}

void TForm1::Open_Chosen(const QString& chosen)
{
    const bool couldAddFrame = Frames_Panel->Add_Enabled();
    Frames_Panel->Set_Add_Enabled(false);
    Frames_Panel->Pause_Preview();
    const vexel::Status opened = Session_->openChosen(chosen);
    if (!opened) {
        Show_Error(opened.error());
        Frames_Panel->Set_Add_Enabled(couldAddFrame);
        if (!Startup_Done() && document().record().empty())
            New1Click();
    }
}

void TForm1::Save1Click()
{
    if (Session_->savesInPlace()) {
        const vexel::Status written = Session_->save();
        if (!written)
            Show_Error(written.error());
    } else {
        SaveAs1Click();
    }
    Set_Title();
}

void TForm1::SaveAs1Click()
{
    vexel::ImageDocument& doc = document();
    FileRequest request;
    request.directory = doc.folder();
    request.proposedName = doc.fileName();
    const QString chosen = prompter().saveFile(request);
    if (chosen.isEmpty())
        return;
    const vexel::Status written = Session_->saveAs(chosen, request.defaultExtension);
    if (!written) {
        Show_Error(written.error());
        return;
    }
    Set_Title();
}
