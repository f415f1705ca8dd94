#include "fleet/ReleaseNote.h"

#include "document/LimitedFile.h"
#include "transfer/DataMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

namespace vexel {

namespace {

// "key: value", "key = value", "key value" at the start of a line, at most
// `limit` characters of it.
QString valueOf(const QString& line, const QString& key, int limit = 200)
{
    if (!line.startsWith(key, Qt::CaseInsensitive))
        return {};
    QString rest = line.mid(key.size());
    if (!rest.isEmpty() && rest[0].isLetterOrNumber())
        return {}; // "settings", "signs": another word
    rest = rest.trimmed();
    if (rest.startsWith(QLatin1Char(':')) || rest.startsWith(QLatin1Char('=')))
        rest = rest.mid(1).trimmed();
    if (rest.size() >= 2 && rest.startsWith(QLatin1Char('"')) && rest.endsWith(QLatin1Char('"')))
        rest = rest.mid(1, rest.size() - 2);
    return rest.left(limit);
}

// A line of the file list: "front/12.img\t3\t412\t1A2B".
void addListed(ReleaseNote& note, const QString& line)
{
    const QString first = line.section(QLatin1Char('\t'), 0, 0).trimmed();
    const int slash = first.indexOf(QLatin1Char('/'));
    if (!line.contains(QLatin1Char('\t')) || slash < 1 || !first.endsWith(QLatin1String(".img"), Qt::CaseInsensitive))
        return;
    note.files[first.left(slash).toLower()] << first.mid(slash + 1);
}

// "signs: front 160x19, side 112x16"; a name may hold spaces.
void addSigns(ReleaseNote& note, const QString& value)
{
    static const QRegularExpression sign(QStringLiteral("^(.+) (\\d{1,4})x(\\d{1,4})$"));
    for (const QString& item : value.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = sign.match(item.trimmed());
        if (m.hasMatch() && m.captured(2).toInt() > 0 && m.captured(3).toInt() > 0)
            note.signs.push_back({m.captured(1), m.captured(2).toInt(), m.captured(3).toInt()});
    }
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

ReleaseNote readNote(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.read(ReleaseNote::MaxBytes + 1);
    if (text.size() > ReleaseNote::MaxBytes) {
        // The line the limit cuts would be read as a shorter name.
        text.truncate(ReleaseNote::MaxBytes);
        text.truncate(text.lastIndexOf('\n') + 1);
    }
    return ReleaseNote::parse(text);
}

} // namespace

ReleaseNote ReleaseNote::parse(const QByteArray& text)
{
    static const QRegularExpression versionWords(QStringLiteral("\\bversion\\s*[:=#]?\\s*(\\d{1,9})\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    ReleaseNote note;
    bool versionNamed = false;
    const QStringList lines = QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (QString line : lines) {
        addListed(note, line);
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // Before "set", which would take the rest of the line for its name.
        if (const QString id = valueOf(line, QStringLiteral("set-id")); !id.isEmpty()) {
            if (note.setId.isEmpty() && !QUuid::fromString(id).isNull())
                note.setId = QUuid::fromString(id).toString(QUuid::WithoutBraces);
            continue;
        }
        if (const QString from = valueOf(line, QStringLiteral("valid-from")); !from.isEmpty()) {
            if (!note.validFrom.isValid())
                note.validFrom = QDate::fromString(from, Qt::ISODate);
            continue;
        }
        if (note.set.isEmpty()) {
            for (const char* key : {"destination set", "set name", "set"}) {
                const QString value = valueOf(line, QLatin1String(key));
                if (!value.isEmpty()) {
                    // "Set City, version 3" names both.
                    note.set = value.section(QRegularExpression(QStringLiteral(",\\s*version\\b"),
                                                                QRegularExpression::CaseInsensitiveOption),
                                             0, 0)
                                   .trimmed();
                    break;
                }
            }
        }
        if (note.signs.empty())
            addSigns(note, valueOf(line, QStringLiteral("signs"), 100000)); // whole: a cut size would read short
        if (note.sign.isEmpty())
            note.sign = valueOf(line, QStringLiteral("sign"));
        // "version: none" (a set that keeps no versions) names none: a
        // later note or finding saying "version 2" is no version of this.
        if (valueOf(line, QStringLiteral("version")).compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
            versionNamed = true;
        if (note.version == 0 && !versionNamed) {
            const QRegularExpressionMatch m = versionWords.match(line);
            if (m.hasMatch())
                note.version = m.captured(1).toInt();
        }
    }
    return note;
}

QString ReleaseNote::pathIn(const QString& folder) { return QDir(folder).filePath(QLatin1String(FileName)); }

QString ReleaseNote::write(const ReleaseListing& r)
{
    QString text = QStringLiteral("Vexel Image release\n");
    text += QStringLiteral("set: %1\n").arg(r.setName);
    text += QStringLiteral("version: %1\n").arg(r.version > 0 ? QString::number(r.version) : QStringLiteral("none"));
    text += QStringLiteral("time: %1\n").arg(r.time.toUTC().toString(Qt::ISODate));
    if (!r.setId.isEmpty())
        text += QStringLiteral("set-id: %1\n").arg(r.setId);
    if (r.validFrom.isValid())
        text += QStringLiteral("valid-from: %1\n").arg(r.validFrom.toString(Qt::ISODate));
    // One line whatever the note holds, so the file stays line by line.
    if (const QString note = oneLine(r.note); !note.isEmpty())
        text += QStringLiteral("note: %1\n").arg(note);
    QStringList signList;
    for (const ReleaseListing::Sign& sign : r.signs)
        signList << QStringLiteral("%1 %2x%3").arg(sign.name).arg(sign.width).arg(sign.height);
    text += QStringLiteral("signs: %1\n").arg(signList.join(QStringLiteral(", ")));
    for (const QString& line : r.unfit)
        text += QStringLiteral("unfit: %1\n").arg(line);
    for (const QString& line : r.stale)
        text += QStringLiteral("stale: %1\n").arg(line);
    for (const QString& line : r.findings) // kept in the set, which may come from anywhere
        text += QStringLiteral("legibility: %1\n").arg(oneLine(line));
    QStringList sheetNames;
    for (const QString& sheet : r.sheets)
        sheetNames << QFileInfo(sheet).fileName();
    if (!sheetNames.isEmpty())
        text += QStringLiteral("proof sheets: %1\n").arg(sheetNames.join(QStringLiteral(", ")));
    // The message column follows the four that readers have always read.
    text += QStringLiteral("files: %1\n\n"
                           "# length and checksum: the data block of the DATA message that sends the file alone,\n"
                           "# as its header counts it; message: that whole message, its %2-byte header included\n"
                           "file\tframes\tlength\tchecksum\tmessage\n")
                .arg(r.files.size())
                .arg(DataMessage::HeaderLength);
    for (const ReleaseListing::File& file : r.files)
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                    .arg(file.file)
                    .arg(file.frames)
                    .arg(file.length)
                    .arg(QStringLiteral("%1").arg(file.checksum, 4, 16, QLatin1Char('0')).toUpper())
                    .arg(file.length + DataMessage::HeaderLength);
    return text;
}

Expected<QByteArray> ReleaseNote::readIn(const QString& folder) { return LimitedFile::read(pathIn(folder), MaxBytes); }

bool ReleaseNote::namesId(const QByteArray& text, const QString& id)
{
    static const QRegularExpression separators(QStringLiteral("[\\s:=]+"));
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n')))
        if (line.split(separators, Qt::SkipEmptyParts).contains(id))
            return true;
    return false;
}

void ReleaseNote::findSigns(std::vector<PreflightFile>& files)
{
    // A send list's files share a folder: its note is read once.
    std::map<QString, ReleaseNote> notes;
    for (PreflightFile& file : files) {
        if (file.sign)
            continue;
        const QDir folder = QFileInfo(file.path).absoluteDir();
        QDir release = folder;
        if (!release.cdUp())
            continue;
        auto note = notes.find(release.path());
        if (note == notes.end()) {
            const QString path = release.filePath(QLatin1String(FileName));
            note = notes.emplace(release.path(), QFileInfo(path).isFile() ? readNote(path) : ReleaseNote{}).first;
        }
        for (const TargetSign& sign : note->second.signs)
            if (sign.name.compare(folder.dirName(), Qt::CaseInsensitive) == 0)
                file.sign = sign;
    }
}

std::optional<std::pair<int, int>> ReleaseNote::signSizeOf(const QString& imagePath)
{
    std::vector<PreflightFile> files(1);
    files[0].path = imagePath;
    findSigns(files);
    if (!files[0].sign)
        return std::nullopt;
    return std::make_pair(files[0].sign->width, files[0].sign->height);
}

ReleaseNote ReleaseNote::beside(const QStringList& filePaths)
{
    ReleaseNote found;
    QStringList signs;
    bool first = true;
    for (const QString& path : filePaths) {
        const QDir folder = QFileInfo(path).absoluteDir();
        ReleaseNote note;
        if (QFileInfo(folder.filePath(QLatin1String(FileName))).isFile()) {
            note = readNote(folder.filePath(QLatin1String(FileName)));
        } else {
            QDir above = folder;
            if (above.cdUp() && QFileInfo(above.filePath(QLatin1String(FileName))).isFile()) {
                note = readNote(above.filePath(QLatin1String(FileName)));
                note.sign = folder.dirName();
            }
        }
        if (first) {
            found = note;
            first = false;
        } else if (found.set != note.set || found.version != note.version || found.setId != note.setId) {
            // Files of different releases: none of them names the whole send.
            found.set.clear();
            found.version = 0;
            found.setId.clear();
            found.validFrom = QDate();
        }
        if (!note.sign.isEmpty() && !signs.contains(note.sign))
            signs << note.sign;
    }
    found.sign = signs.join(QStringLiteral(", "));
    return found;
}

} // namespace vexel
