#include "session/ShownWords.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace vexel {

namespace {

QString text(const char* english) { return QCoreApplication::translate("ShownWords", english); }

// One comma-separated piece of a fit's status.
QString fitPiece(const QString& piece)
{
    static const char* const fixed[] = {
        QT_TRANSLATE_NOOP("ShownWords", "fits"),         QT_TRANSLATE_NOOP("ShownWords", "two lines"),
        QT_TRANSLATE_NOOP("ShownWords", "hyphen break"), QT_TRANSLATE_NOOP("ShownWords", "abbreviated"),
        QT_TRANSLATE_NOOP("ShownWords", "by hand"),      QT_TRANSLATE_NOOP("ShownWords", "stale"),
        QT_TRANSLATE_NOOP("ShownWords", "does not fit"),
    };
    for (const char* word : fixed)
        if (piece == QLatin1String(word))
            return text(word);
    // "14 rows", "14 rows (7 x 2)", "condensed 7", "3 pages"
    static const QRegularExpression rows(QStringLiteral("^(\\d+) rows( \\(.*\\))?$"));
    static const QRegularExpression condensed(QStringLiteral("^condensed (\\d+)( \\(.*\\))?$"));
    static const QRegularExpression pages(QStringLiteral("^(\\d+) pages$"));
    if (const QRegularExpressionMatch m = rows.match(piece); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "%1 rows")).arg(m.captured(1)) + m.captured(2);
    if (const QRegularExpressionMatch m = condensed.match(piece); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "condensed %1")).arg(m.captured(1)) + m.captured(2);
    if (const QRegularExpressionMatch m = pages.match(piece); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "%1 pages")).arg(m.captured(1));
    return piece;
}

} // namespace

QString shownFitStatus(const QString& status)
{
    // "does not fit: <reason>" and "by hand, does not fit: <reason>": the
    // words before the first colon are ours, the reason is kept.
    const int colon = status.indexOf(QStringLiteral(": "));
    const QString words = colon < 0 ? status : status.left(colon);
    QStringList shown;
    for (const QString& piece : words.split(QStringLiteral(", ")))
        shown << fitPiece(piece);
    return shown.join(QStringLiteral(", ")) + (colon < 0 ? QString() : status.mid(colon));
}

QString shownHistoryWhat(const QString& what)
{
    static const char* const fixed[] = {
        QT_TRANSLATE_NOOP("ShownWords", "added"),
        QT_TRANSLATE_NOOP("ShownWords", "removed"),
        QT_TRANSLATE_NOOP("ShownWords", "added by an import"),
        QT_TRANSLATE_NOOP("ShownWords", "removed by an import"),
        QT_TRANSLATE_NOOP("ShownWords", "unchanged"),
    };
    for (const char* word : fixed)
        if (what == QLatin1String(word))
            return text(word);
    const QString byImport = QStringLiteral("by an import: ");
    if (what.startsWith(byImport))
        return text(QT_TRANSLATE_NOOP("ShownWords", "by an import: %1")).arg(what.mid(byImport.size()));
    static const QRegularExpression restored(QStringLiteral("^restored from version (\\d+)(: .*)?$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    if (const QRegularExpressionMatch m = restored.match(what); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "restored from version %1")).arg(m.captured(1)) + m.captured(2);
    static const QRegularExpression byHand(QStringLiteral("^image on (.+) stored by hand$"));
    if (const QRegularExpressionMatch m = byHand.match(what); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "image on %1 stored by hand")).arg(m.captured(1));
    return what;
}

} // namespace vexel
