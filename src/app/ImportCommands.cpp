#include "app/ImportCommands.h"

#include "app/FileCommands.h"
#include "app/GtfsImportDialog.h"
#include "app/ImportPanel.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "document/ImageDocument.h"
#include "session/EditorSession.h"

#include <QAction>
#include <QMenu>

ImportCommands::ImportCommands(vexel::EditorSession& session, PanelHost& host, const FileCommands& files,
                               QMenu* file, QAction* before, QWidget* window)
    : QObject(window), session_(session), host_(host), files_(files), window_(window)
{
    Import1 = new QAction(tr("Import image..."), window);
    Import1->setObjectName(QStringLiteral("Import1"));
    file->insertAction(before, Import1);
    connect(Import1, &QAction::triggered, this, &ImportCommands::Import1Click);
    ImportGtfs1 = new QAction(tr("Import routes from GTFS…"), window);
    ImportGtfs1->setObjectName(QStringLiteral("ImportGtfs1"));
    file->insertAction(before, ImportGtfs1);
    connect(ImportGtfs1, &QAction::triggered, this, &ImportCommands::ImportGtfs1Click);
}

void ImportCommands::ImportGtfs1Click()
{
    auto* dialog = new GtfsImportDialog(host_.prompter(), window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void ImportCommands::Import1Click()
{
    FileRequest request;
    request.directory = session_.document().folder();
    request.filter = tr("Pictures|*.png *.bmp *.gif *.jpg *.jpeg");
    request.defaultExtension = QStringLiteral("png");
    const QString chosen = host_.prompter().openFile(request);
    if (!chosen.isEmpty())
        Import_Picture(chosen);
}

void ImportCommands::Create_Panel()
{
    Import_Panel = new ImportPanel(window_);
    connect(Import_Panel, &ImportPanel::ghostChanged, this, &ImportCommands::ghostShown);
    connect(Import_Panel, &ImportPanel::placeRequested, this,
            [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits) {
                session_.placeImport(target, bits);
                emit ghostCleared();
            });
    connect(Import_Panel, &ImportPanel::framesRequested, this, &ImportCommands::Import_Frames);
    connect(Import_Panel, &ImportPanel::cancelled, this, &ImportCommands::ghostCleared);
}

void ImportCommands::Import_Frames(const vexel::FrameRect& target, const std::vector<vexel::LedBitmap>& frames,
                                   const std::vector<int>& durations)
{
    emit ghostCleared();
    const int added = session_.importFrames(target, frames, durations);
    if (added < static_cast<int>(frames.size()))
        host_.prompter().inform(tr("Image can hold maximum 256 frames: %1 of %2 frames imported")
                                    .arg(added)
                                    .arg(frames.size()),
                                Prompter::InfoButton::Ok);
}

void ImportCommands::Import_Picture(const QString& path)
{
    if (files_.Preview_Running())
        return;
    if (!Import_Panel)
        Create_Panel();
    // A picture that cannot be read changes nothing; an open panel stays as
    // it was.
    const vexel::Status opened = Import_Panel->openPicture(path);
    if (!opened) {
        host_.prompter().error(opened.error());
        return;
    }
    Import_Targets();
    Import_Panel->show();
    Import_Panel->raise();
    Import_Panel->activateWindow();
}

void ImportCommands::Import_Targets()
{
    if (!Import_Panel)
        return;
    Import_Panel->setTargets(session_.document().frameRect(), session_.selectionTarget());
    Import_Panel->setFrameRoom(vexel::ImageRecord::MaxFrames - session_.document().frameCount());
}
