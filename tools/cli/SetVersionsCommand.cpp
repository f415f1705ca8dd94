// `vexel set versions` and `vexel set diff`: the releases a set keeps.
#include "Cli.h"

#include "sets/DestinationSet.h"
#include "sets/VersionDiff.h"

using namespace vexel;

namespace {

// A free text on one line, quoted so that a script can split the line.
QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20 || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x85))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

bool versionNumber(const QString& text, int& number)
{
    bool ok = false;
    number = text.toInt(&ok);
    return ok && number >= 1;
}

} // namespace

int Cli::setVersions(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("set versions wants SET"));
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened) {
        say(err_, opened.error());
        return Failed;
    }
    const Expected<std::vector<SetVersion>> versions = opened.value()->versions();
    if (!versions) {
        say(err_, versions.error());
        return Failed;
    }
    for (const SetVersion& v : *versions)
        say(out_, QStringLiteral("%1 %2 note %3 feed %4: %5 destinations, %6 images; +%7 ~%8 -%9")
                      .arg(v.number)
                      .arg(v.time.toUTC().toString(Qt::ISODate), quoted(v.note), quoted(v.feedVersion))
                      .arg(v.destinations.size())
                      .arg(v.imageCount)
                      .arg(v.added)
                      .arg(v.changed)
                      .arg(v.removed));
    return Success;
}

int Cli::setDiff(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    int a = 0;
    int b = 0;
    if (p.positional.size() != 3 || !versionNumber(p.positional[1], a) || !versionNumber(p.positional[2], b))
        return usage(QStringLiteral("set diff wants SET A B, two version numbers"));
    const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
    if (!opened) {
        say(err_, opened.error());
        return Failed;
    }
    const Expected<VersionDiff> diff = opened.value()->compareVersions(a, b);
    if (!diff) {
        say(err_, diff.error());
        return Failed;
    }
    const QStringList lines = versionDiffLines(*diff);
    for (const QString& line : lines)
        say(out_, line);
    return lines.isEmpty() ? Success : Failed;
}
