#include "document/AtomicFile.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace vexel {

std::optional<QString> writeAtomically(const QString& path, std::string_view data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A write cut short by a full disk reports no error of its own; writing
    // the rest is what brings back the system's reason.
    const char* p = data.data();
    qint64 left = static_cast<qint64>(data.size());
    while (left > 0) {
        const qint64 written = file.write(p, left);
        if (written <= 0)
            break;
        p += written;
        left -= written;
    }
    if (left > 0 || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                     : QCoreApplication::translate("AtomicFile", "The file could not be written whole.");
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace vexel
