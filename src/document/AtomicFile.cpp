#include "document/AtomicFile.h"

#include <QSaveFile>

namespace vexel {

std::optional<QString> writeAtomically(const QString& path, std::string_view data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 size = static_cast<qint64>(data.size());
    if (file.write(data.data(), size) != size || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace vexel
