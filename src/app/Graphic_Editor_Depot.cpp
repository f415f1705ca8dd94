#include "app/Graphic_Editor.h"

#include "app/FramesPanel.h"
#include "app/GtfsImportDialog.h"
#include "app/ImportPanel.h"
#include "app/Settings.h"
#include "depot/Preflight.h"
#include "session/EditorSession.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

namespace {

bool isImageFile(const QString& path) { return QFileInfo(path).suffix().compare(QLatin1String("img"), Qt::CaseInsensitive) == 0; }

// The one local file a drag carries, or nothing.
QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().constFirst().isLocalFile())
        return QString();
    return mime->urls().constFirst().toLocalFile();
}

} // namespace

void TForm1::Connect_Depot()
{
    Import1 = new QAction(QStringLiteral("Import image..."), this);
    File1->insertAction(Export1->menuAction(), Import1);
    connect(Import1, &QAction::triggered, this, &TForm1::Import1Click);
    ImportGtfs1 = new QAction(QStringLiteral("Import routes from GTFS…"), this);
    File1->insertAction(Export1->menuAction(), ImportGtfs1);
    connect(ImportGtfs1, &QAction::triggered, this, &TForm1::ImportGtfs1Click);
    // Pictures dropped on the LED grid are imported; an image file dropped
    // anywhere on the window opens.
    setAcceptDrops(true);
}

void TForm1::ImportGtfs1Click()
{
    auto* dialog = new GtfsImportDialog(prompter(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TForm1::Import1Click()
{
    FileRequest request;
    request.directory = document().folder();
    request.filter = QStringLiteral("Pictures|*.png *.bmp *.gif *.jpg *.jpeg");
    request.defaultExtension = QStringLiteral("png");
    const QString chosen = prompter().openFile(request);
    if (!chosen.isEmpty())
        Import_Picture(chosen);
}

void TForm1::Import_Picture(const QString& path)
{
    if (Frames_Panel->Preview_Running())
        return;
    if (!Import_Panel) {
        Import_Panel = new ImportPanel(this);
        connect(Import_Panel, &ImportPanel::ghostChanged, this,
                [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits) {
                    Image1->setGhost(QRect(target.x, target.y, target.w, target.h), bits, settings().cellSize());
                });
        connect(Import_Panel, &ImportPanel::placeRequested, this,
                [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits) {
                    Session_->placeImport(target, bits);
                    Image1->clearGhost();
                });
        connect(Import_Panel, &ImportPanel::framesRequested, this,
                [this](const vexel::FrameRect& target, const std::vector<vexel::LedBitmap>& frames,
                       const std::vector<int>& durations) {
                    Image1->clearGhost();
                    const int added = Session_->importFrames(target, frames, durations);
                    if (added < static_cast<int>(frames.size()))
                        prompter().inform(QStringLiteral("Image can hold maximum 256 frames: %1 of %2 frames imported")
                                              .arg(added)
                                              .arg(frames.size()),
                                          Prompter::InfoButton::Ok);
                });
        connect(Import_Panel, &ImportPanel::cancelled, this, [this] { Image1->clearGhost(); });
    }
    // A picture that cannot be read changes nothing; an open panel stays as
    // it was.
    const vexel::Status opened = Import_Panel->openPicture(path);
    if (!opened) {
        Show_Error(opened.error());
        return;
    }
    Import_Targets();
    Import_Panel->show();
    Import_Panel->raise();
    Import_Panel->activateWindow();
}

void TForm1::Import_Targets()
{
    if (!Import_Panel)
        return;
    Import_Panel->setTargets(document().frameRect(), Selection_Target());
    Import_Panel->setFrameRoom(vexel::ImageRecord::MaxFrames - document().frameCount());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (!path.isEmpty() && QFileInfo(path).isFile())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    Drop_File(path, event->position().toPoint());
}

void TForm1::Drop_File(const QString& path, QPoint at)
{
    if (isImageFile(path)) {
        // As Load does once its dialog is answered.
        if (Ask_To_Save() && !Frames_Panel->Preview_Running())
            Open_Chosen(path);
    }
    else if (Image1->rect().contains(Image1->mapFrom(this, at)))
        Import_Picture(path);
}
