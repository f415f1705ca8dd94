#include "app/FileCommands.h"

#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "document/ImageDocument.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

FileCommands::FileCommands(vexel::EditorSession& session, PanelHost& host, QMenu* file, QObject* parent)
    : QObject(parent), session_(session), host_(host)
{
    Create_Actions(file);
    Connect_Session();
}

void FileCommands::Create_Actions(QMenu* file)
{
    New1 = file->addAction(tr("New"));
    Save1 = file->addAction(tr("Save"));
    SaveAs1 = file->addAction(tr("Save As"));
    Load1 = file->addAction(tr("Load"));
    New1->setObjectName(QStringLiteral("New1"));
    Save1->setObjectName(QStringLiteral("Save1"));
    SaveAs1->setObjectName(QStringLiteral("SaveAs1"));
    Load1->setObjectName(QStringLiteral("Load1"));
    New1->setShortcut(QKeySequence::New);
    Load1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(New1, &QAction::triggered, this, &FileCommands::New1Click);
    connect(Save1, &QAction::triggered, this, &FileCommands::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &FileCommands::SaveAs1Click);
    connect(Load1, &QAction::triggered, this, &FileCommands::Load1Click);
}

void FileCommands::Connect_Session()
{
    connect(&session_, &vexel::EditorSession::imageShown, this, [this](bool inPassing) {
        Show_Loaded();
        // A file shown on its way to the board is not there to be played.
        if (inPassing)
            emit shownInPassing();
        else if (const QString cut = session_.cutNotice(); !cut.isEmpty())
            emit statusShown(cut);
    });
    connect(&session_, &vexel::EditorSession::error, this,
            [this](const QString& message) { host_.prompter().error(message); });
}

QString FileCommands::Image_Path() const { return session_.document().path(); }

bool FileCommands::Preview_Running() const { return host_.Preview_Running(); }

bool FileCommands::Image_Replaceable() { return !Preview_Running() && Ask_To_Save(); }

void FileCommands::Set_Locked(bool locked)
{
    for (QAction* command : {New1, Load1, SaveAs1, Save1})
        command->setEnabled(!locked);
}

bool FileCommands::Ask_To_Save()
{
    if (!session_.document().modified() || !host_.prompter().confirm(tr("Image changed. Do you want to save?")))
        return true;
    Save1Click();
    return !session_.document().modified();
}

bool FileCommands::Confirm_Cut()
{
    const QString question = session_.cutQuestion();
    if (question.isEmpty())
        return true;
    if (!host_.prompter().confirm(question))
        return false;
    session_.acceptCut();
    return true;
}

void FileCommands::New1Click()
{
    if (!Ask_To_Save())
        return;
    session_.newImage();
    emit imageNamed();
    // A new image has no name of its own to show yet.
    emit fileNameShown(QString());
}

bool FileCommands::Load_File()
{
    // The layer announces the loaded image; Show_Loaded follows it.
    const vexel::Status loaded = session_.loadFile();
    if (!loaded)
        host_.prompter().error(loaded.error());
    return static_cast<bool>(loaded);
}

void FileCommands::Show_Loaded()
{
    emit imageNamed();
    // While playing, Run must stay usable so that Stop can end the preview.
    emit runOffered();
    emit imageLoaded();
}

bool FileCommands::Open_Image(const QString& folder, const QString& name, int frame)
{
    const vexel::Status opened = session_.open(folder, name, frame);
    if (!opened)
        host_.prompter().error(opened.error());
    return static_cast<bool>(opened);
}

void FileCommands::Load1Click()
{
    if (!Ask_To_Save())
        return;
    vexel::ImageDocument& doc = session_.document();
    if (!QFileInfo(Image_Path()).isFile())
        doc.setFileName(QString());

    FileRequest request;
    request.directory = doc.folder();
    request.proposedName = doc.fileName();
    const QString chosen = host_.prompter().openFile(request);
    if (chosen.isEmpty()) {
        if (!session_.settings().startupDone())
            New1Click();
        return;
    }

    Open_Chosen(chosen);
}

void FileCommands::Open_Chosen(const QString& chosen, const std::optional<vexel::SignBoard>& signBoard)
{
    emit openingFile();
    const vexel::Status opened = session_.openChosen(chosen, signBoard);
    if (!opened) {
        host_.prompter().error(opened.error());
        emit openRefused();
        if (!session_.settings().startupDone() && session_.document().record().empty())
            New1Click();
    }
}

void FileCommands::Save1Click()
{
    if (!Confirm_Cut())
        return;
    if (session_.savesInPlace()) {
        const vexel::Status written = session_.save();
        if (!written)
            host_.prompter().error(written.error());
    } else {
        SaveAs1Click();
    }
    emit imageNamed();
}

void FileCommands::SaveAs1Click()
{
    if (!Confirm_Cut())
        return;
    const vexel::ImageDocument& doc = session_.document();
    FileRequest request;
    request.directory = doc.folder();
    request.proposedName = doc.fileName();
    const QString chosen = host_.prompter().saveFile(request);
    if (chosen.isEmpty())
        return;
    const vexel::Status written = session_.saveAs(chosen, request.defaultExtension);
    if (!written) {
        host_.prompter().error(written.error());
        return;
    }
    emit imageNamed();
}
