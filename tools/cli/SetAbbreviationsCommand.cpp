// `vexel set abbreviations`: a set's abbreviations to and from CSV.
#include "Cli.h"

#include "sets/AbbreviationCsv.h"
#include "sets/DestinationSet.h"

#include <QDir>

using namespace vexel;

int Cli::setAbbreviations(const QStringList& args)
{
    const Parsed p = parse(args, {QStringLiteral("--export"), QStringLiteral("--import")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    const bool exporting = p.options.count(QStringLiteral("--export")) > 0;
    const bool importing = p.options.count(QStringLiteral("--import")) > 0;
    if (p.positional.size() != 1 || exporting == importing)
        return usage(QStringLiteral("set abbreviations wants SET and --export FILE|- or --import FILE"));
    auto refused = [&](const QString& message) {
        say(err_, message);
        return Failed;
    };

    if (exporting) {
        const auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Read);
        if (!opened)
            return refused(opened.error());
        const Expected<SetWords> words = opened.value()->words();
        if (!words)
            return refused(words.error());
        const QByteArray bytes = AbbreviationCsv::text(words->abbreviations);
        const QString out = p.options.at(QStringLiteral("--export"));
        if (out == QLatin1String("-")) {
            std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out_);
            return std::fflush(out_) == 0 ? Success : Failed;
        }
        const Status written = AbbreviationCsv::write(out, words->abbreviations);
        if (!written)
            return refused(written.error());
        say(err_, QStringLiteral("Wrote %1 abbreviations to %2")
                      .arg(words->abbreviations.size())
                      .arg(QDir::toNativeSeparators(out)));
        return Success;
    }

    // Read before the set is opened for editing: a refused file changes nothing.
    const Expected<std::vector<SetWords::Abbreviation>> read =
        AbbreviationCsv::read(p.options.at(QStringLiteral("--import")));
    if (!read)
        return refused(read.error());
    auto opened = DestinationSet::open(p.positional[0], DestinationSet::Access::Edit);
    if (!opened)
        return refused(opened.error());
    DestinationSet& set = *opened.value();
    std::size_t before = 0;
    const Status written = set.editWords([&](SetWords& words) {
        before = words.abbreviations.size();
        words.abbreviations = *read;
        return Status::success();
    });
    if (!written)
        return refused(written.error());
    say(out_, QStringLiteral("%1 abbreviations (%2 before)").arg(read->size()).arg(before));
    return Success;
}
