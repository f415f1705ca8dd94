#include "sets/SetCsv.h"

#include "feeds/CsvReader.h"
#include "store/DestinationTable.h"
#include "feeds/ImportWords.h"

#include <QCoreApplication>
#include <QDir>

#include <map>

namespace vexel {

namespace {

QByteArray quoted(const QString& field)
{
    QByteArray text = field.toUtf8();
    text.replace("\"", "\"\"");
    return "\"" + text + "\"";
}

// The operator's texts where the list has what it had at the last import;
// the columns kept.
QStringList keepHandChanges(Destination& listed, const Destination& own,
                            const std::map<QString, ImportMemory::Text>& remembered)
{
    QStringList kept;
    for (const TextField& f : TextFields) {
        const auto was = remembered.find(QLatin1String(f.name));
        if (was == remembered.end() || listed.*f.text != was->second.value || own.*f.text == was->second.value)
            continue;
        listed.*f.text = own.*f.text;
        if (f.text == &Destination::destinationEn)
            listed.latinSuggested = own.latinSuggested;
        kept << QLatin1String(f.name);
    }
    return kept;
}

// The set's own texts kept against a list's: its letter case, the service
// when the list has no such column, and texts changed by hand since the
// last import ("CODE field" each, for the report).
QStringList keepOwnTexts(std::vector<Destination>& incoming, const std::vector<Destination>& current,
                         const ImportMemory::Texts& memory, bool hasService)
{
    QStringList keptByHand;
    std::map<QString, const Destination*> own;
    for (const Destination& d : current)
        own[d.code.toLower()] = &d;
    for (Destination& d : incoming) {
        const auto found = own.find(d.code.toLower());
        if (found == own.end())
            continue;
        if (keepsOwnCase(found->second->destinationEn, d.destinationEn)) {
            d.destinationEn = found->second->destinationEn;
            d.latinSuggested = found->second->latinSuggested;
        }
        if (keepsOwnCase(found->second->viaEn, d.viaEn))
            d.viaEn = found->second->viaEn;
        // A list without the column says nothing of the service.
        if (!hasService && d.service.isEmpty())
            d.service = found->second->service;
        const auto known = memory.find(found->first);
        if (known != memory.end())
            for (const QString& field : keepHandChanges(d, *found->second, known->second))
                keptByHand << d.code + QLatin1Char(' ') + field;
    }
    return keptByHand;
}

} // namespace

QByteArray SetCsv::text(const std::vector<Destination>& destinations)
{
    QByteArray out = "code,route,destination_ka,destination_en,via_ka,via_en,service\r\n";
    for (const Destination& d : destinations)
        out += quoted(d.code) + "," + quoted(d.route) + "," + quoted(d.destinationKa) + "," +
               quoted(d.destinationEn) + "," + quoted(d.viaKa) + "," + quoted(d.viaEn) + "," + quoted(d.service) +
               "\r\n";
    return out;
}

Expected<SetCsv::Import> SetCsv::importFile(DestinationSet& set, const QString& csvPath)
{
    const Expected<std::vector<RouteRow>> rows = RouteCsv::read(csvPath);
    if (!rows)
        return rows.status();
    const QString source = QDir::toNativeSeparators(csvPath);
    Import result;
    std::vector<Destination> incoming;
    bool hasService = false;
    std::map<QString, int> seen; // code -> its line
    for (const RouteRow& row : *rows) {
        const QString where =
            QCoreApplication::translate("SetCsv", "%1: line %2, code %3: ").arg(source, QString::number(row.line), RouteCsv::shortened(row.code));
        const Destination d = row.destination();
        Status fine = row.problem.isEmpty() ? DestinationTable::check(d) : Status::failure(row.problem);
        const auto earlier = seen.find(row.code.toLower());
        if (fine && earlier != seen.end())
            fine = Status::failure(QCoreApplication::translate("SetCsv", "the code is on line %1 already").arg(earlier->second));
        if (!fine) {
            result.problems << where + fine.error() + QStringLiteral("; not imported");
            continue;
        }
        seen[row.code.toLower()] = row.line;
        hasService = row.hasService;
        incoming.push_back(d);
    }
    const Expected<SetWords> words = set.words();
    if (!words)
        return words.status();
    const Expected<std::vector<Destination>> current = set.destinations();
    if (!current)
        return current.status();
    const Expected<ImportMemory::Texts> memory = set.importMemory();
    if (!memory)
        return memory.status();
    shapeImported(incoming, *words, LetterCase::Auto);
    // The list as it reads is what the set remembers of it, not the texts kept.
    const std::vector<Destination> listed = incoming;
    result.keptByHand = keepOwnTexts(incoming, *current, *memory, hasService);
    const Expected<DestinationSet::MergeReport> merged = set.apply(incoming, {}, {}, listed);
    if (!merged)
        return merged.status();
    result.merged = *merged;
    return result;
}

Status SetCsv::exportFile(const DestinationSet& set, const QString& csvPath)
{
    const Expected<std::vector<Destination>> all = set.destinations();
    if (!all)
        return all.status();
    return writeCsvFile(csvPath, text(*all));
}

} // namespace vexel
