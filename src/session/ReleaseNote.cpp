#include "session/ReleaseNote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

namespace vexel {

namespace {

// "key: value", "key = value", "key value" at the start of a line.
QString valueOf(const QString& line, const QString& key)
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
    return rest.left(200);
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
    const QStringList lines = QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (QString line : lines) {
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
        if (note.sign.isEmpty())
            note.sign = valueOf(line, QStringLiteral("sign"));
        if (note.version == 0) {
            const QRegularExpressionMatch m = versionWords.match(line);
            if (m.hasMatch())
                note.version = m.captured(1).toInt();
        }
    }
    return note;
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
