// `vexel set release`: a destination set's images, proof sheets and
// release.txt, as the Destinations window's Release writes them.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "lettering/FontList.h"
#include "fleet/SetRelease.h"

#include <QDate>
#include <QDir>

using namespace vexel;

namespace {

// The release's options; the usage problem, or empty.
QString readReleaseOptions(const std::map<QString, QString>& given, ReleaseOptions& options)
{
    options.partial = given.count(QStringLiteral("--partial")) > 0;
    if (given.count(QStringLiteral("--version"))) {
        bool ok = false;
        options.version = given.at(QStringLiteral("--version")).toInt(&ok);
        if (!ok || options.version < 1)
            return QStringLiteral("--version wants the number of a stored version");
        if (given.count(QStringLiteral("--note")) || options.partial || given.count(QStringLiteral("--rules")) ||
            given.count(QStringLiteral("--valid-from")))
            return QStringLiteral("set release: a stored version is written as it was, without --note, "
                                  "--partial, --rules or --valid-from");
    }
    if (given.count(QStringLiteral("--valid-from"))) {
        options.validFrom = QDate::fromString(given.at(QStringLiteral("--valid-from")), Qt::ISODate);
        if (!options.validFrom.isValid())
            return QStringLiteral("--valid-from wants a day as YYYY-MM-DD");
    }
    if (given.count(QStringLiteral("--note")))
        options.note = given.at(QStringLiteral("--note"));
    if (given.count(QStringLiteral("--rules")))
        options.rules = given.at(QStringLiteral("--rules"));
    if (given.count(QStringLiteral("--sheets"))) {
        const QString format = given.at(QStringLiteral("--sheets"));
        if (format == QLatin1String("png"))
            options.sheets = SheetFormat::Png;
        else if (format == QLatin1String("pdf"))
            options.sheets = SheetFormat::Pdf;
        else
            return QStringLiteral("--sheets wants png or pdf, not \"%1\"").arg(format);
    }
    return QString();
}

} // namespace

int Cli::setRelease(const QStringList& args)
{
    const Parsed p = parse(args,
                           {QStringLiteral("--out"), QStringLiteral("--version"), QStringLiteral("--note"),
                            QStringLiteral("--rules"), QStringLiteral("--valid-from"), QStringLiteral("--sheets")},
                           {QStringLiteral("--partial")});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1 || !p.options.count(QStringLiteral("--out")))
        return usage(QStringLiteral("set release wants SET --out DIR [--partial] [--version N] [--note TEXT] [--rules NAME|FILE] [--valid-from YYYY-MM-DD] [--sheets png|pdf]"));
    ReleaseOptions options;
    if (const QString problem = readReleaseOptions(p.options, options); !problem.isEmpty())
        return usage(problem);
    const QString folder = p.options.at(QStringLiteral("--out"));

    // A new release is kept in the set as its next version, which changes
    // the set; writing a stored one again only reads it.
    auto opened = DestinationSet::open(p.positional[0], options.version > 0 ? DestinationSet::Access::Read
                                                                            : DestinationSet::Access::Edit);
    if (!opened) {
        say(err_, opened.error());
        return Failed;
    }
    FontList fonts(FontList::installedPlaces());
    const Expected<ReleaseReport> report = SetRelease::release(*opened.value(), fonts, folder, options);
    if (!report) {
        say(err_, report.error());
        return Failed;
    }
    for (const QString& line : report->unfit)
        say(err_, QStringLiteral("Does not fit: ") + line);
    for (const QString& line : report->stale)
        say(err_, QStringLiteral("Made by hand from older texts: ") + line);
    for (const QString& line : report->findings)
        say(err_, QStringLiteral("Legibility: ") + line);
    if (!report->unfit.isEmpty() && !options.partial) {
        say(err_, QStringLiteral("Nothing was released: %1 %2 not fit (--partial releases the rest)")
                      .arg(report->unfit.size())
                      .arg(report->unfit.size() == 1 ? QStringLiteral("image does") : QStringLiteral("images do")));
        return Failed;
    }
    QString version = report->version > 0 ? QStringLiteral(" as version %1").arg(report->version) : QString();
    say(err_, QStringLiteral("Released %1 %2 to %3%4")
                  .arg(report->written.size())
                  .arg(report->written.size() == 1 ? QStringLiteral("image") : QStringLiteral("images"))
                  .arg(QDir::toNativeSeparators(folder), version));
    say(out_, report->summary());
    return report->unfit.isEmpty() ? Success : Failed;
}
