// `vexel fleet`: the bus list, what each bus carries and the visit list.
#include "Cli.h"

#include "feeds/CsvReader.h"
#include "fleet/BusCsv.h"
#include "fleet/BusList.h"
#include "fleet/FleetStatus.h"
#include "fleet/FleetVisit.h"
#include "fleet/SendJournal.h"
#include "fleet/VisitSheet.h"

#include <QDir>
#include <QFileInfo>

using namespace vexel;

namespace {

QString versionText(int version) { return version > 0 ? QString::number(version) : QStringLiteral("-"); }

QString sinceText(const QDateTime& since)
{
    return since.isValid() ? since.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
}

// Out of service or not in the bus list, and what could not be read about it.
QString noteOn(const FleetBusState& bus)
{
    QString note = bus.listed ? bus.problem : QStringLiteral("not in the bus list");
    if (!bus.bus.inService)
        note = note.isEmpty() ? QStringLiteral("out of service") : QStringLiteral("out of service; ") + note;
    return note;
}

QString inServiceText(const FleetBusState& bus)
{
    return bus.bus.inService ? QStringLiteral("yes") : QStringLiteral("no");
}

// The lines `fleet status` shows for one bus: one a sign, or one for the
// bus when none of its signs is known; as CSV rows with `csv`.
QStringList statusLines(const FleetBusState& bus, const FleetFilter& filter, bool csv)
{
    const QString note = noteOn(bus);
    if (bus.signs.empty()) {
        if (csv)
            return {SendJournal::printable(QStringList{csvField(bus.bus.number), csvField(bus.bus.depot), {}, {}, {},
                                                       {}, {}, inServiceText(bus), csvField(note)}
                                               .join(QLatin1Char(',')))};
        return {SendJournal::printable(QStringLiteral("bus %1  %2").arg(bus.bus.number, note))};
    }
    QStringList lines;
    for (const FleetSignState& sign : bus.signs) {
        if (filter.behindOnly && !sign.isBehind())
            continue;
        const QString carried = versionText(sign.carriedVersion) + (sign.mixed ? QStringLiteral("*") : QString());
        if (csv) {
            const QStringList fields{csvField(bus.bus.number), csvField(bus.bus.depot), csvField(sign.sign),
                                     sign.behind.join(QLatin1Char(' ')), carried,
                                     versionText(sign.latestVersion), sinceText(sign.since),
                                     inServiceText(bus), csvField(note)};
            lines << SendJournal::printable(fields.join(QLatin1Char(',')));
            continue;
        }
        QString line = QStringLiteral("bus %1  %2  carries %3, latest %4")
                           .arg(bus.bus.number, sign.sign, carried, versionText(sign.latestVersion));
        line += sign.isBehind() ? QStringLiteral("  behind: %1 since %2")
                                      .arg(sign.behind.join(QLatin1Char(' ')), sinceText(sign.since))
                                : QStringLiteral("  up to date");
        if (!note.isEmpty())
            line += QStringLiteral("  (%1)").arg(note);
        lines << SendJournal::printable(line);
    }
    return lines;
}

} // namespace

int Cli::fleet(const QStringList& args)
{
    const QString what = args.value(0);
    const QStringList rest = args.mid(1);
    const SendJournal journal = journalInUse();
    if (what == QLatin1String("import"))
        return fleetImport(rest, journal);
    if (what == QLatin1String("export"))
        return fleetExport(rest, journal);
    if (what == QLatin1String("status"))
        return fleetStatus(rest, journal);
    if (what == QLatin1String("visit"))
        return fleetVisit(rest, journal);
    return usage(QStringLiteral("fleet takes import, export, status or visit"));
}

int Cli::fleetImport(const QStringList& args, const SendJournal& journal)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.size() != 1)
        return usage(QStringLiteral("fleet import wants BUSES.csv"));
    const QString path = p.positional[0];
    Expected<BusCsv::Table> table = BusCsv::read(path);
    if (!table) {
        say(err_, table.error());
        return Failed;
    }
    BusCsv::checkSets(table.value(), QDir::toNativeSeparators(path), QFileInfo(path).absolutePath());
    std::vector<Bus> buses;
    for (const BusCsv::Row& row : table->rows)
        buses.push_back(row.bus);
    const Expected<BusImportReport> merged = BusList(journal).merge(buses);
    if (!merged) {
        say(err_, merged.error());
        return Failed;
    }
    for (const QString& line : table->problems)
        say(err_, line);
    say(out_, QStringLiteral("Buses: %1 added, %2 changed, %3 unchanged; %4 left out")
                  .arg(merged->added.size())
                  .arg(merged->changed.size())
                  .arg(merged->unchanged.size())
                  .arg(table->problems.size()));
    return table->problems.isEmpty() ? Success : Failed;
}

int Cli::fleetExport(const QStringList& args, const SendJournal& journal)
{
    const Parsed p = parse(args, {QStringLiteral("--csv")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (!p.positional.isEmpty() || !p.options.count(QStringLiteral("--csv")))
        return usage(QStringLiteral("fleet export wants --csv OUT"));
    QStringList skipped;
    const Expected<std::vector<Bus>> buses = BusList(journal).buses(&skipped);
    if (!buses) {
        say(err_, buses.error());
        return Failed;
    }
    for (const QString& line : skipped)
        say(err_, QStringLiteral("vexel: ") + line);
    const QString out = p.options.at(QStringLiteral("--csv"));
    if (out == QLatin1String("-")) {
        const QByteArray bytes = BusCsv::text(*buses);
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out_);
        return std::fflush(out_) == 0 ? Success : Failed;
    }
    const Status written = BusCsv::write(out, *buses);
    if (!written) {
        say(err_, written.error());
        return Failed;
    }
    say(err_, QStringLiteral("Wrote %1 buses").arg(buses->size()));
    return Success;
}

int Cli::fleetStatus(const QStringList& args, const SendJournal& journal)
{
    const Parsed p = parse(args, {QStringLiteral("--depot"), QStringLiteral("--bus")},
                           {QStringLiteral("--behind"), QStringLiteral("--csv")});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (!p.positional.isEmpty())
        return usage(QStringLiteral("fleet status takes no argument but its options"));
    FleetFilter filter;
    filter.behindOnly = p.options.count(QStringLiteral("--behind")) > 0;
    if (p.options.count(QStringLiteral("--depot")))
        filter.depot = p.options.at(QStringLiteral("--depot"));
    if (p.options.count(QStringLiteral("--bus")))
        filter.bus = p.options.at(QStringLiteral("--bus"));
    QStringList skipped;
    const Expected<std::vector<FleetBusState>> all = FleetStatus::load(journal, QDate::currentDate(), &skipped);
    if (!all) {
        say(err_, all.error());
        return Failed;
    }
    // What could not be read counts as not known to be up to date.
    for (const QString& line : skipped)
        say(err_, QStringLiteral("vexel: ") + line);
    const bool csv = p.options.count(QStringLiteral("--csv")) > 0;
    if (csv)
        say(out_, QStringLiteral("bus,depot,sign,behind,carried,latest,since,in_service,note"));
    bool anyBehind = false;
    const std::vector<FleetBusState> shown = FleetStatus::filtered(*all, filter);
    for (const FleetBusState& bus : shown) {
        if (bus.isBehind() && bus.bus.inService && bus.listed)
            anyBehind = true;
        for (const QString& line : statusLines(bus, filter, csv))
            say(out_, line);
    }
    // The Fleet window's count, kept off standard output, which scripts read line by line.
    say(err_, FleetStatus::countText(shown));
    return anyBehind || !skipped.isEmpty() ? Failed : Success;
}

int Cli::fleetVisit(const QStringList& args, const SendJournal& journal)
{
    const Parsed p = parse(args, {QStringLiteral("--depot"), QStringLiteral("--release"), QStringLiteral("--pdf")}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (!p.positional.isEmpty() || !p.options.count(QStringLiteral("--depot")) ||
        !p.options.count(QStringLiteral("--release")))
        return usage(QStringLiteral("fleet visit wants --depot D --release DIR [--pdf OUT]"));
    const QString depot = p.options.at(QStringLiteral("--depot"));
    const QString release = p.options.at(QStringLiteral("--release"));
    const Expected<std::vector<VisitItem>> items = FleetVisit::list(journal, depot, release);
    if (!items) {
        say(err_, items.error());
        return Failed;
    }
    for (const VisitItem& item : *items)
        say(out_, FleetVisit::line(item));
    if (items->empty())
        say(err_, QStringLiteral("No bus of depot %1 is behind this release").arg(depot));
    if (!p.options.count(QStringLiteral("--pdf")))
        return Success;
    const QString pdf = p.options.at(QStringLiteral("--pdf"));
    const Status written = VisitSheet::print(pdf, depot, release, *items, QDate::currentDate());
    if (!written) {
        say(err_, written.error());
        return Failed;
    }
    say(err_, QStringLiteral("Wrote the visit list to %1").arg(QDir::toNativeSeparators(pdf)));
    return Success;
}
