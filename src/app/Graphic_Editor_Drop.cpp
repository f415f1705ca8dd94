#include "app/Graphic_Editor.h"

#include "app/FileCommands.h"
#include "app/ImportCommands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

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
        if (Files->Ask_To_Save() && !Files->Preview_Running())
            Files->Open_Chosen(path);
    }
    else if (Image1->rect().contains(Image1->mapFrom(this, at)))
        Imports->Import_Picture(path);
}
