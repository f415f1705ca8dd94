#include "fleet/BusCsv.h"

#include "feeds/ByteStream.h"
#include "feeds/CsvReader.h"
#include "sets/DestinationSet.h"
#include "store/ServerAddress.h"
#include "fleet/BusList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <map>

namespace vexel {

namespace {

// Control characters are looked for in the field as written, before the
// reader trims it.
bool hasControl(const std::string& raw)
{
    return std::any_of(raw.begin(), raw.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

// The columns of the list, by title; -1 where the header has none.
struct Columns {
    int at[6];
};

// One row as a bus; fails with what is wrong with it.
Expected<Bus> busOf(CsvReader& csv, const Columns& columns)
{
    const int* const c = columns.at;
    if (std::any_of(c, c + 6, [&](int column) { return hasControl(csv.field(column)); }))
        return Expected<Bus>::failure(QStringLiteral("it holds a control character"));
    Bus b;
    b.number = csv.text(c[0]);
    b.depot = csv.text(c[1]);
    b.set = csv.text(c[2]);
    b.codes = csv.text(c[3]).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    b.note = csv.text(c[5]);
    const QString service = csv.text(c[4]).toLower();
    if (service.isEmpty() || service == QLatin1String("yes") || service == QLatin1String("1") ||
        service == QLatin1String("true")) {
        b.inService = true;
    } else if (service == QLatin1String("no") || service == QLatin1String("0") || service == QLatin1String("false")) {
        b.inService = false;
    } else {
        return Expected<Bus>::failure(QStringLiteral("in_service is \"%1\", not yes or no").arg(service.left(40)));
    }
    QString wrong = BusList::problem(b);
    if (wrong.isEmpty() && b.set.isEmpty())
        wrong = QStringLiteral("bus %1 names no set").arg(b.number);
    if (wrong.isEmpty() && b.codes.isEmpty())
        wrong = QStringLiteral("bus %1 serves no code (* serves every one)").arg(b.number);
    if (!wrong.isEmpty())
        return Expected<Bus>::failure(wrong);
    return b;
}

} // namespace

Expected<BusCsv::Table> BusCsv::parse(const QByteArray& bytes, const QString& name)
{
    using Result = Expected<Table>;
    const QString refusal = QCoreApplication::translate("BusCsv", "Cannot read the bus list: ");
    MemoryStream stream(bytes);
    CsvReader csv(stream, name);
    if (!csv.readHeader())
        return Result::failure(refusal + (csv.failed() ? csv.error() : name + QStringLiteral(": the table is empty")));
    const Columns columns{{csv.column("bus"), csv.column("depot"), csv.column("set"), csv.column("codes"),
                           csv.column("in_service"), csv.column("note")}};
    const char* titles[] = {"bus", "depot", "set", "codes", "in_service", "note"};
    for (int i = 0; i < 6; ++i)
        if (columns.at[i] < 0 && i != 5)
            return Result::failure(refusal + name + QStringLiteral(": the header has no column \"") +
                                   QLatin1String(titles[i]) + QLatin1Char('"'));

    Table table;
    std::map<QString, int> lines;
    const auto problem = [&](const QString& text) {
        table.problems << QStringLiteral("%1, line %2: %3").arg(name, QString::number(csv.line()), text);
    };
    while (csv.next()) {
        const Expected<Bus> b = busOf(csv, columns);
        if (!b) {
            problem(b.error());
            continue;
        }
        const auto [at, fresh] = lines.emplace(b->number, csv.line());
        if (!fresh) {
            problem(QStringLiteral("bus %1 is on line %2 already").arg(b->number).arg(at->second));
            continue;
        }
        if (table.rows.size() >= static_cast<std::size_t>(BusList::MaxBuses)) {
            problem(QStringLiteral("more than %1 buses").arg(BusList::MaxBuses));
            break;
        }
        table.rows.push_back({*b, csv.line()});
    }
    if (csv.failed())
        return Result::failure(refusal + csv.error());
    return table;
}

Expected<BusCsv::Table> BusCsv::read(const QString& path)
{
    using Result = Expected<Table>;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(
            QCoreApplication::translate("BusCsv", "Cannot read the bus list: %1: %2").arg(shown, file.errorString()));
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        return Result::failure(QCoreApplication::translate("BusCsv", "Cannot read the bus list: %1: larger than %2 MiB")
                                   .arg(shown)
                                   .arg(MaxFileBytes / (1024 * 1024)));
    return parse(bytes, shown);
}

void BusCsv::checkSets(Table& table, const QString& name, const QString& base)
{
    struct Known {
        QString problem;
        QSet<QString> codes; // lower case
    };
    std::map<QString, Known> sets;
    std::vector<Row> kept;
    for (Row& row : table.rows) {
        Bus& b = row.bus;
        if (!ServerAddress::isServer(b.set) && QFileInfo(b.set).isRelative())
            b.set = QDir::cleanPath(QDir(base).absoluteFilePath(b.set));
        auto found = sets.find(b.set);
        if (found == sets.end()) {
            Known k;
            const auto opened = DestinationSet::open(b.set, DestinationSet::Access::Read);
            if (!opened) {
                k.problem = opened.error();
            } else if (const auto destinations = opened.value()->destinations(); !destinations) {
                k.problem = destinations.error();
            } else {
                for (const Destination& d : *destinations)
                    k.codes.insert(d.code.toLower());
            }
            found = sets.emplace(b.set, k).first;
        }
        QString wrong = found->second.problem;
        if (wrong.isEmpty() && !b.everyCode())
            for (const QString& code : b.codes)
                if (!found->second.codes.contains(code.toLower())) {
                    wrong = QStringLiteral("bus %1: its set has no destination %2").arg(b.number, code);
                    break;
                }
        if (wrong.isEmpty())
            kept.push_back(row);
        else
            table.problems << QStringLiteral("%1, line %2: %3").arg(name, QString::number(row.line), wrong);
    }
    table.rows = std::move(kept);
}

QByteArray BusCsv::text(const std::vector<Bus>& buses)
{
    QByteArray out = "bus,depot,set,codes,in_service,note\n";
    for (const Bus& b : buses)
        out += csvField(b.number).toUtf8() + "," + csvField(b.depot).toUtf8() + "," + csvField(b.set).toUtf8() + "," +
               csvField(b.codes.join(QLatin1Char(' '))).toUtf8() + "," + (b.inService ? "yes" : "no") + "," + csvField(b.note).toUtf8() + "\n";
    return out;
}

Status BusCsv::write(const QString& path, const std::vector<Bus>& buses)
{
    return writeCsvFile(path, text(buses));
}

} // namespace vexel
