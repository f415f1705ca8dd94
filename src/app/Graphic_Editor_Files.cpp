#include "app/Graphic_Editor.h"

#include "app/RecordView.h"
#include "app/Settings.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"
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
}

QString TForm1::Image_Path() const { return Editor->document().path(); }

void TForm1::Set_Title()
{
    setWindowTitle(Title_Text + Image_Path());
    Mark_Title(document().modified());
    Label3->setText(document().fileName());
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

bool TForm1::Write_Image_File()
{
    const vexel::Status written = document().write();
    if (!written) {
        Show_Error(QString::fromStdString(written.error()));
        return false;
    }
    return true;
}

void TForm1::New1Click()
{
    if (!Ask_To_Save())
        return;
    Editor->newImage();
    setWindowTitle(Title_Text + Image_Path());
    Mark_Title(document().modified());
    Label3->clear();
}

bool TForm1::Load_File()
{
    const vexel::Status loaded = Editor->loadFile();
    if (!loaded) {
        Show_Error(QString::fromStdString(loaded.error()));
        return false;
    }
    Show_Loaded();
    return true;
}

void TForm1::Show_Loaded()
{
    Set_Title();
    // While playing, Run must stay usable so that Stop can end the preview.
    Button7->setEnabled(document().frameCount() >= 2 || Preview_Running());
    Sign_Follow(true, false);
}

bool TForm1::Open_Image(const QString& folder, const QString& name, int frame)
{
    vexel::ImageDocument& doc = document();
    const QString oldFolder = doc.folder();
    const QString oldName = doc.fileName();
    const int oldFrame = doc.currentFrame();
    doc.setFolder(folder);
    doc.setFileName(name);
    doc.setCurrentFrame(frame);
    if (Load_File())
        return true;
    doc.setFolder(oldFolder);
    doc.setFileName(oldName);
    doc.setCurrentFrame(oldFrame);
    return false;
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
    vexel::ImageDocument& doc = document();
    const QFileInfo info(chosen);
    const QString oldFolder = doc.folder();
    vexel::Selection& selection = Editor->selection();
    const bool hadSelection = selection.shown();
    const bool couldAddFrame = Button9->isEnabled();
    selection.setShown(false);
    Button9->setEnabled(false);
    Preview->pause();
    doc.setFolder(QDir::cleanPath(info.absolutePath()) + QLatin1Char('/'));
    List_Files();
    if (!Open_Image(doc.folder(), info.fileName(), 0)) {
        // The refused file changes nothing: the old image stays, with its
        // folder, name and selection.
        selection.setShown(hadSelection);
        Button9->setEnabled(couldAddFrame);
        if (doc.folder() != oldFolder) {
            doc.setFolder(oldFolder);
            List_Files();
        }
        if (!Startup_Done() && doc.record().empty())
            New1Click();
        return;
    }
    Editor->clearHistory();
    Form2->Save_Settings();
}

void TForm1::Save1Click()
{
    if (document().savesInPlace()) {
        if (Write_Image_File())
            document().setModified(false);
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
    QString chosen = prompter().saveFile(request);
    if (chosen.isEmpty())
        return;
    QFileInfo info(chosen);
    if (info.suffix().isEmpty() && !chosen.endsWith(QLatin1Char('.')))
        info.setFile(chosen + QLatin1Char('.') + request.defaultExtension);

    // The new name is taken only once the file is written, so a failed save
    // leaves the document pointing at what it was.
    const vexel::Status written = doc.writeAs(QDir::cleanPath(info.absolutePath()) + QLatin1Char('/'), info.fileName());
    if (!written) {
        Show_Error(QString::fromStdString(written.error()));
        return;
    }
    doc.setModified(false);
    Form2->Save_Settings();
    Set_Title();
    List_Files();
}
