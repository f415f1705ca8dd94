// `vexel set status`: how every destination letters every sign of a set.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "sets/SetContents.h"
#include "sets/SetLettering.h"
#include "lettering/FontList.h"

using namespace vexel;

namespace {

// "2,049": the summary's counts grouped by thousands, as a depot reads them.
QString grouped(int n)
{
    QString digits = QString::number(n);
    for (int at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

// How many images fit on one page, page, or do not fit.
struct StatusTally {
    int fit = 0;
    int paged = 0;
    int notFit = 0;

    void count(const SignFit& sign)
    {
        if (!sign.fits)
            ++notFit;
        else if (sign.status.contains(QLatin1String(" pages")))
            ++paged;
        else
            ++fit;
    }

    // "683 destinations, 2,049 signs: 1,966 fit, 78 paged, 5 do not fit"
    QString summary(int destinations) const
    {
        const int signs = fit + paged + notFit;
        return QStringLiteral("%1 %2, %3 %4: %5 fit, %6 paged, %7 %8 not fit")
            .arg(grouped(destinations), destinations == 1 ? QStringLiteral("destination") : QStringLiteral("destinations"),
                 grouped(signs), signs == 1 ? QStringLiteral("sign") : QStringLiteral("signs"), grouped(fit),
                 grouped(paged), grouped(notFit), notFit == 1 ? QStringLiteral("does") : QStringLiteral("do"));
    }
};

// "101 front: 3 pages (frame 2)": the status, and the layout frames it
// refers to when a frame took a step past "fits".
QString statusLine(const QString& code, const QString& sign, const SignImage& image)
{
    QString line = QStringLiteral("%1 %2: %3").arg(code, sign, image.fit.status);
    if (!image.fit.frames.isEmpty())
        line += QStringLiteral(" (%1)").arg(image.fit.frames);
    if (image.stale)
        line += QStringLiteral(", stale");
    return line;
}

} // namespace

int Cli::setStatus(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("set status wants SET"));
    auto refused = [&](const QString& message) {
        say(err_, message);
        return Failed;
    };
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened)
        return refused(opened.error());
    const Expected<SetContents> contents = SetContents::read(*opened.value());
    if (!contents)
        return refused(contents.error());
    FontList fonts(FontList::installedPlaces());
    SetLettering lettering(fonts);
    contents->prepare(lettering);
    StatusTally tally;
    for (const Destination& d : contents->destinations) {
        for (const VehicleSign& sign : contents->signs) {
            const SignImage image = lettering.letter(sign, d, contents->byHand(d.code, sign.name));
            tally.count(image.fit);
            say(out_, statusLine(d.code, sign.name, image));
        }
    }
    say(out_, tally.summary(static_cast<int>(contents->destinations.size())));
    const bool allFit = tally.notFit == 0;
    return allFit ? Success : Failed;
}
