#include "session/GuideBook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <utility>

namespace vexel {

namespace {

// The main window is not here: its F1 is the Help window's.
constexpr std::array<std::pair<const char*, const char*>, 7> Chapters{{
    {"DestinationsWindow", "04-destination-sets"},
    {"GtfsImportDialog", "04-destination-sets"},
    {"VersionsWindow", "07-releasing"},
    {"JournalWindow", "08-sending-and-journal"},
    {"FleetWindow", "09-fleet"},
    {"FontEditor", "03-lettering-and-fonts"},
    {"TForm2", "01-first-start"}, // Settings
}};

QString existing(const QDir& folder, const QString& chapter)
{
    for (const char* suffix : {".html", ".md"}) {
        const QString path = folder.filePath(chapter + QLatin1String(suffix));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace

QString GuideBook::chapterFor(const QString& windowClass)
{
    for (const auto& [window, chapter] : Chapters)
        if (windowClass == QLatin1String(window))
            return QLatin1String(chapter);
    return {};
}

QStringList GuideBook::windowsWithChapters()
{
    QStringList names;
    for (const auto& entry : Chapters)
        names << QLatin1String(entry.first);
    return names;
}

QStringList GuideBook::places()
{
    QStringList places;
    if (QCoreApplication::instance()) {
        const QString exe = QCoreApplication::applicationDirPath();
        places << exe + QStringLiteral("/guide") << exe + QStringLiteral("/../share/doc/vexel-image/guide");
    }
#ifdef VEXEL_SOURCE_GUIDE
    places << QStringLiteral(VEXEL_SOURCE_GUIDE);
#endif
    return places;
}

QUrl GuideBook::page(const QString& chapter, const QString& language, const QStringList& places)
{
    QStringList languages;
    if (language != QLatin1String("en"))
        languages << language;
    languages << QString(); // English lies in the guide's own folder
    for (const QString& lang : languages)
        for (const QString& place : places) {
            const QDir folder(lang.isEmpty() ? place : place + QLatin1Char('/') + lang);
            const QString path = existing(folder, chapter);
            if (!path.isEmpty())
                return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        }
    return {};
}

QString GuideBook::interfaceLanguage()
{
    // The Georgian translation of the windows answers "ka"; without it the
    // text stays as written.
    const QString language = QCoreApplication::translate("GuideBook", "en", "the guide's language code");
    return language == QLatin1String("ka") ? language : QStringLiteral("en");
}

} // namespace vexel
