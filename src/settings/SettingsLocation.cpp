#include "settings/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vexel {

const QString SettingsLocation::DataFolderName = QStringLiteral("Vexel Image");
const QString SettingsLocation::InstalledMarker =
    QStringLiteral("../share/applications/io.github.vexelimage.VexelImage.desktop");

namespace {

QString asFolder(const QString& path)
{
    if (path.isEmpty())
        return path;
    const QString clean = QDir::cleanPath(path);
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

bool sameFolder(const QString& a, const QString& b) { return asFolder(a) == asFolder(b); }

} // namespace

bool SettingsLocation::isWritableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    // Removed again when `probe` goes out of scope.
    QTemporaryFile probe(asFolder(folder) + QStringLiteral(".vexel-write-probe-XXXXXX"));
    return probe.open();
}

bool SettingsLocation::isInstalled(const QString& exeFolder)
{
    return !exeFolder.isEmpty() && QFileInfo(asFolder(exeFolder) + InstalledMarker).isFile();
}

SettingsLocation SettingsLocation::decide(const QString& exeFolder, const QString& userConfigFolder,
                                          const QString& documentsFolder)
{
    SettingsLocation where;
    where.besideExecutable_ = (!isInstalled(exeFolder) && isWritableFolder(exeFolder)) || userConfigFolder.isEmpty();
    if (where.besideExecutable_) {
        where.settingsFolder_ = asFolder(exeFolder);
        where.dataFolder_ = asFolder(exeFolder);
    } else {
        where.settingsFolder_ = asFolder(userConfigFolder);
        where.dataFolder_ = asFolder(asFolder(documentsFolder) + DataFolderName);
    }
    return where;
}

SettingsLocation SettingsLocation::forExecutableFolder(const QString& exeFolder)
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return decide(exeFolder, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), documents);
}

bool SettingsLocation::makeSettingsFolder() const
{
    if (besideExecutable_)
        return QFileInfo(settingsFolder_).isDir();
    return QDir().mkpath(settingsFolder_);
}

bool SettingsLocation::makeDataFolder(const QString& folder) const
{
    if (besideExecutable_ || !sameFolder(folder, dataFolder_))
        return true;
    return QDir().mkpath(dataFolder_);
}

} // namespace vexel
