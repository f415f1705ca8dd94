#include "session/ShownWords.h"

#include "lettering/SignPresets.h"
#include "lettering/TextFit.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

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

namespace {

// Puts args in for %1 ... %9 in one pass, so that a text put in (a font's
// name, a character) is never read for markers itself.
QString filled(const QString& pattern, const QStringList& args)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1] >= QLatin1Char('1') &&
            pattern[i + 1] <= QLatin1Char('9')) {
            const int n = pattern[i + 1].digitValue();
            if (n <= args.size()) {
                out += args[n - 1];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// One way the lettering says why a destination does not fit: the English it
// is stored and printed in (%1 ... standing for its facts), and which of
// those facts are themselves such words ("frame 2: " and a reason).
struct ReasonForm {
    const char* english;
    unsigned nested; // bit n-1 for %n
};

const ReasonForm ReasonForms[] = {
    // Where in the image: a frame, a page, a sign's layout.
    {QT_TRANSLATE_NOOP("ShownWords", "frame %1: %2"), 0b10},
    {QT_TRANSLATE_NOOP("ShownWords", "page %1: %2"), 0b10},
    {QT_TRANSLATE_NOOP("ShownWords", "not even in pages: %1"), 0b1},
    {QT_TRANSLATE_NOOP("ShownWords", "the layout of sign \"%1\": %2"), 0b10},
    // The fitting's own sentences.
    {QT_TRANSLATE_NOOP("ShownWords", "The route number does not fit: %1"), 0b1},
    {QT_TRANSLATE_NOOP("ShownWords", "The destination does not fit: %1"), 0b1},
    {QT_TRANSLATE_NOOP("ShownWords", "Number at %1, the destination does not fit: %2"), 0b11},
    {QT_TRANSLATE_NOOP("ShownWords", "Nothing fits %1 x %2: at %3 px with spacing %4 the text takes %5 x %6."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "The font lacks %1."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "No face of \"%1\" has every character of the text."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "The font \"%1\" is not installed."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "More than %1 pages."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "There is no text to fit."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "There is no text to lay out."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "Upper line does not fit, lower line does not fit."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "Upper line at %1, spacing %2, lower line does not fit."), 0b1},
    {QT_TRANSLATE_NOOP("ShownWords", "Upper line does not fit, lower line at %1, spacing %2."), 0b1},
    {QT_TRANSLATE_NOOP("ShownWords", "Upper line does not fit."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "Lower line does not fit."), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1 px condensed"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1 px"), 0},
    // The set's lettering of a destination.
    {QT_TRANSLATE_NOOP("ShownWords", "the font lacks %1"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "the text reaches past the frame window"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "its pages take the image past %1 frames"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1 pages, at most %2"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "the destination is empty in both scripts"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "every frame of the layout uses an empty column"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "the route number is empty"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "the route number holds a character a file name cannot hold"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "the route number is longer than %1 characters"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "\"%1\" cannot name a file"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1.font: the font \"%2\" is not installed"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1.fallback_font: the font \"%2\" is not installed"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1.number_font: the font \"%2\" is not installed"), 0},
    {QT_TRANSLATE_NOOP("ShownWords", "%1.height: \"%2\" has no height %3"), 0},
    // An image made by hand of another size than its sign.
    {QT_TRANSLATE_NOOP("ShownWords", "the image is %1 x %2, the sign %3 x %4"), 0},
};

// The English of a form as a pattern: each %n a group, the rest as it is.
QRegularExpression patternOf(const char* english)
{
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    const QString text = QString::fromLatin1(english);
    QString pattern = QStringLiteral("^");
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = marker.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        pattern += QRegularExpression::escape(text.mid(from, m.capturedStart() - from));
        pattern += QStringLiteral("(?<a%1>.*?)").arg(m.captured(1));
        from = m.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

QString shownFitReason(const QString& reason)
{
    struct Made {
        const ReasonForm* form;
        QRegularExpression pattern;
    };
    static const std::vector<Made> made = [] {
        std::vector<Made> out;
        for (const ReasonForm& f : ReasonForms)
            out.push_back({&f, patternOf(f.english)});
        return out;
    }();
    for (const Made& m : made) {
        const QRegularExpressionMatch found = m.pattern.match(reason);
        if (!found.hasMatch())
            continue;
        QStringList facts;
        for (int n = 1; n <= 9; ++n) {
            const QString name = QStringLiteral("a%1").arg(n);
            if (found.capturedStart(name) < 0)
                break;
            const QString fact = found.captured(name);
            facts << ((m.form->nested >> (n - 1)) & 1U ? shownFitReason(fact) : fact);
        }
        return filled(text(m.form->english), facts);
    }
    return reason;
}

QString shownFitStatus(const QString& status)
{
    // "does not fit: <reason>" and "by hand, does not fit: <reason>": the
    // words before the first colon are the status's, the reason after it is
    // worded from its facts where it is one the lettering gives.
    const int colon = status.indexOf(QStringLiteral(": "));
    const QString words = colon < 0 ? status : status.left(colon);
    QStringList shown;
    for (const QString& piece : words.split(QStringLiteral(", ")))
        shown << fitPiece(piece);
    if (colon < 0)
        return shown.join(QStringLiteral(", "));
    // An image made by hand that does not fit may be stale too, said after
    // its reason.
    QString reason = status.mid(colon + 2);
    const QString stale = QStringLiteral(", stale");
    const bool staleToo = reason.endsWith(stale);
    if (staleToo)
        reason.chop(stale.size());
    return shown.join(QStringLiteral(", ")) + QStringLiteral(": ") + shownFitReason(reason) +
           (staleToo ? QStringLiteral(", ") + fitPiece(QStringLiteral("stale")) : QString());
}

namespace {

// The pieces of a change a set's history joins with "; ": each text's
// field with its old and new value as typed, kept as stored, and the
// ticks, which are ours and translated.
QString shownChanges(const QString& changes)
{
    static const char* const ticks[] = {
        QT_TRANSLATE_NOOP("ShownWords", "in use"),
        QT_TRANSLATE_NOOP("ShownWords", "out of use"),
        QT_TRANSLATE_NOOP("ShownWords", "Latin suggested"),
        QT_TRANSLATE_NOOP("ShownWords", "Latin accepted"),
    };
    QStringList pieces = changes.split(QStringLiteral("; "));
    for (QString& piece : pieces)
        for (const char* tick : ticks)
            if (piece == QLatin1String(tick))
                piece = text(tick);
    return pieces.join(QStringLiteral("; "));
}

} // namespace

QString shownHistoryWhat(const QString& what)
{
    static const char* const fixed[] = {
        QT_TRANSLATE_NOOP("ShownWords", "added"),
        QT_TRANSLATE_NOOP("ShownWords", "removed"),
        QT_TRANSLATE_NOOP("ShownWords", "added by an import"),
        QT_TRANSLATE_NOOP("ShownWords", "removed by an import"),
        QT_TRANSLATE_NOOP("ShownWords", "unchanged"),
        QT_TRANSLATE_NOOP("ShownWords", "added in an offline copy"),
        QT_TRANSLATE_NOOP("ShownWords", "removed in an offline copy"),
        QT_TRANSLATE_NOOP("ShownWords", "in an offline copy: images made by hand"),
    };
    for (const char* word : fixed)
        if (what == QLatin1String(word))
            return text(word);
    const QString byImport = QStringLiteral("by an import: ");
    if (what.startsWith(byImport))
        return text(QT_TRANSLATE_NOOP("ShownWords", "by an import: %1")).arg(shownChanges(what.mid(byImport.size())));
    const QString offline = QStringLiteral("in an offline copy: ");
    if (what.startsWith(offline))
        return text(QT_TRANSLATE_NOOP("ShownWords", "in an offline copy: %1"))
            .arg(shownChanges(what.mid(offline.size())));
    static const QRegularExpression restored(QStringLiteral("^restored from version (\\d+)(: .*)?$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    if (const QRegularExpressionMatch m = restored.match(what); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "restored from version %1")).arg(m.captured(1)) +
               (m.captured(2).isEmpty() ? QString() : QStringLiteral(": ") + shownChanges(m.captured(2).mid(2)));
    static const QRegularExpression byHand(QStringLiteral("^image on (.+) stored by hand$"));
    if (const QRegularExpressionMatch m = byHand.match(what); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "image on %1 stored by hand")).arg(m.captured(1));
    static const QRegularExpression imageRemoved(QStringLiteral("^image on (.+) removed$"));
    if (const QRegularExpressionMatch m = imageRemoved.match(what); m.hasMatch())
        return text(QT_TRANSLATE_NOOP("ShownWords", "image on %1 removed")).arg(m.captured(1));
    return shownChanges(what);
}

} // namespace vexel

namespace vexel {

namespace {

// "16 px", "16 px condensed".
QString pxText(const FitResult& fit)
{
    return fit.condensed ? text(QT_TRANSLATE_NOOP("ShownWords", "%1 px condensed")).arg(fit.height)
                         : text(QT_TRANSLATE_NOOP("ShownWords", "%1 px")).arg(fit.height);
}

// Why a text does not fit, a sentence with its full stop.
QString whyNot(const FitResult& fit)
{
    const NoFitReason& why = fit.whyNot;
    switch (why.kind) {
    case NoFitReason::Kind::NoText:
        return text(QT_TRANSLATE_NOOP("ShownWords", "There is no text to fit."));
    case NoFitReason::Kind::FontNotInstalled:
        return text(QT_TRANSLATE_NOOP("ShownWords", "The font \"%1\" is not installed.")).arg(why.font);
    case NoFitReason::Kind::MissingCharacters:
        return text(QT_TRANSLATE_NOOP("ShownWords", "The font lacks %1."))
            .arg(QString::fromStdString(TextFit::characterList(fit.missing)));
    case NoFitReason::Kind::NoCompleteFace:
        return text(QT_TRANSLATE_NOOP("ShownWords", "No face of \"%1\" has every character of the text."))
            .arg(why.font);
    case NoFitReason::Kind::TooLarge:
        return text(QT_TRANSLATE_NOOP("ShownWords", "Nothing fits %1 x %2: at %3 px with spacing %4 the text "
                                                    "takes %5 x %6."))
            .arg(why.areaWidth)
            .arg(why.areaHeight)
            .arg(why.triedHeight)
            .arg(why.triedSpacing)
            .arg(why.takesWidth)
            .arg(why.takesHeight);
    case NoFitReason::Kind::TooManyPages:
        return text(QT_TRANSLATE_NOOP("ShownWords", "More than %1 pages.")).arg(why.pages);
    case NoFitReason::Kind::FontUnreadable: // the font file's own error, kept
    case NoFitReason::Kind::None:
        break;
    }
    return QString::fromStdString(fit.message);
}

// The route number and the destination.
QString numberAndDestination(const PresetPart* number, const PresetPart* destination)
{
    if (number && !number->fit.fits)
        return text(QT_TRANSLATE_NOOP("ShownWords", "The route number does not fit: %1")).arg(whyNot(number->fit));
    if (!destination)
        return text(QT_TRANSLATE_NOOP("ShownWords", "Number at %1.")).arg(pxText(number->fit));
    const FitResult& d = destination->fit;
    const bool two = destination->lines > 1;
    if (!number) {
        if (!d.fits)
            return text(QT_TRANSLATE_NOOP("ShownWords", "The destination does not fit: %1")).arg(whyNot(d));
        return (two ? text(QT_TRANSLATE_NOOP("ShownWords", "Destination on two lines at %1, spacing %2."))
                    : text(QT_TRANSLATE_NOOP("ShownWords", "Destination on one line at %1, spacing %2.")))
            .arg(pxText(d))
            .arg(d.letterSpacing);
    }
    const QString numberPx = pxText(number->fit);
    if (!d.fits)
        return text(QT_TRANSLATE_NOOP("ShownWords", "Number at %1, the destination does not fit: %2"))
            .arg(numberPx, whyNot(d));
    return (two ? text(QT_TRANSLATE_NOOP("ShownWords", "Number at %1, destination on two lines at %2, spacing %3."))
                : text(QT_TRANSLATE_NOOP("ShownWords", "Number at %1, destination on one line at %2, spacing %3.")))
        .arg(numberPx, pxText(d))
        .arg(d.letterSpacing);
}

// The upper and the lower line, each of which may be empty.
QString upperAndLower(const PresetPart* upper, const PresetPart* lower)
{
    if (upper && lower) {
        const FitResult& u = upper->fit;
        const FitResult& l = lower->fit;
        if (u.fits && l.fits)
            return text(QT_TRANSLATE_NOOP("ShownWords", "Upper line at %1, spacing %2, lower line at %3, spacing %4."))
                .arg(pxText(u))
                .arg(u.letterSpacing)
                .arg(pxText(l))
                .arg(l.letterSpacing);
        if (u.fits)
            return text(QT_TRANSLATE_NOOP("ShownWords", "Upper line at %1, spacing %2, lower line does not fit."))
                .arg(pxText(u))
                .arg(u.letterSpacing);
        if (l.fits)
            return text(QT_TRANSLATE_NOOP("ShownWords", "Upper line does not fit, lower line at %1, spacing %2."))
                .arg(pxText(l))
                .arg(l.letterSpacing);
        return text(QT_TRANSLATE_NOOP("ShownWords", "Upper line does not fit, lower line does not fit."));
    }
    const PresetPart& one = upper ? *upper : *lower;
    if (!one.fit.fits)
        return upper ? text(QT_TRANSLATE_NOOP("ShownWords", "Upper line does not fit."))
                     : text(QT_TRANSLATE_NOOP("ShownWords", "Lower line does not fit."));
    return (upper ? text(QT_TRANSLATE_NOOP("ShownWords", "Upper line at %1, spacing %2."))
                  : text(QT_TRANSLATE_NOOP("ShownWords", "Lower line at %1, spacing %2.")))
        .arg(pxText(one.fit))
        .arg(one.fit.letterSpacing);
}

// Two lines that each fit their half, but touch at every face.
QString linesTouching(const PresetPart& upper, const PresetPart& lower)
{
    return text(QT_TRANSLATE_NOOP("ShownWords",
                                  "Upper line at %1, spacing %2, lower line at %3, spacing %4, the lines touch at "
                                  "every face."))
        .arg(pxText(upper.fit))
        .arg(upper.fit.letterSpacing)
        .arg(pxText(lower.fit))
        .arg(lower.fit.letterSpacing);
}

} // namespace

QString shownFitMessage(const FitResult& fit)
{
    if (!fit.fits)
        return whyNot(fit);
    const char* said =
        fit.step == TextFit::TwoLinesStep ? QT_TRANSLATE_NOOP("ShownWords", "Fitted on two lines at %1, spacing %2.")
        : fit.step == TextFit::HyphenStep
            ? QT_TRANSLATE_NOOP("ShownWords", "Fitted on two lines after the hyphen at %1, spacing %2.")
            : QT_TRANSLATE_NOOP("ShownWords", "Fitted at %1, spacing %2.");
    return text(said).arg(pxText(fit)).arg(fit.letterSpacing);
}

QString shownPresetMessage(const PresetLayout& layout)
{
    const PresetPart* found[4] = {};
    for (const PresetPart& part : layout.parts)
        found[static_cast<int>(part.role)] = &part;
    using Role = PresetPart::Role;
    if (found[static_cast<int>(Role::Number)] || found[static_cast<int>(Role::Destination)])
        return numberAndDestination(found[static_cast<int>(Role::Number)], found[static_cast<int>(Role::Destination)]);
    if (layout.linesTouch)
        return linesTouching(*found[static_cast<int>(Role::UpperLine)], *found[static_cast<int>(Role::LowerLine)]);
    if (found[static_cast<int>(Role::UpperLine)] || found[static_cast<int>(Role::LowerLine)])
        return upperAndLower(found[static_cast<int>(Role::UpperLine)], found[static_cast<int>(Role::LowerLine)]);
    return text(QT_TRANSLATE_NOOP("ShownWords", "There is no text to lay out."));
}

} // namespace vexel
