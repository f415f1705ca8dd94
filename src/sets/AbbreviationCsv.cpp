#include "sets/AbbreviationCsv.h"

#include "feeds/ByteStream.h"
#include "feeds/CsvReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <map>

namespace vexel {

namespace {

} // namespace

Expected<std::vector<SetWords::Abbreviation>> AbbreviationCsv::parse(const QByteArray& bytes, const QString& name)
{
    using Result = Expected<std::vector<SetWords::Abbreviation>>;
    const QString refusal = QCoreApplication::translate("AbbreviationCsv", "Cannot read abbreviations: ");
    MemoryStream stream(bytes);
    CsvReader csv(stream, name);
    if (!csv.readHeader())
        return Result::failure(refusal + (csv.failed() ? csv.error() : name + QStringLiteral(": the table is empty")));
    const int script = csv.column("script");
    const int word = csv.column("word");
    const int shortForm = csv.column("short");
    for (auto [column, title] : {std::pair{script, "script"}, {word, "word"}, {shortForm, "short"}})
        if (column < 0)
            return Result::failure(refusal + name + QStringLiteral(": the header has no column \"") + QLatin1String(title) +
                                   QLatin1Char('"'));


    std::vector<SetWords::Abbreviation> rows;
    QStringList problems;
    int more = 0;
    std::map<std::pair<QString, QString>, int> lines; // (script, word) -> its line
    auto problem = [&](const QString& text) {
        if (problems.size() < MaxProblemsShown)
            problems << QCoreApplication::translate("AbbreviationCsv", "%1, line %2: %3").arg(name, QString::number(csv.line()), text);
        else
            ++more;
    };
    while (csv.next()) {
        const SetWords::Abbreviation a{csv.text(script), csv.text(word), csv.text(shortForm)};
        if (a.script != QLatin1String("ka") && a.script != QLatin1String("en")) {
            problem(QCoreApplication::translate("AbbreviationCsv", "the script is \"%1\", not ka or en").arg(a.script.left(40)));
            continue;
        }
        if (a.word.isEmpty() || a.shortForm.isEmpty() || a.word.size() > SetWords::MaxWordLength ||
            a.shortForm.size() > SetWords::MaxWordLength) {
            problem(QCoreApplication::translate("AbbreviationCsv", "a word and its short form need 1 to %1 characters each").arg(SetWords::MaxWordLength));
            continue;
        }
        const auto [at, fresh] = lines.emplace(std::pair{a.script, a.word}, csv.line());
        if (!fresh) {
            problem(QCoreApplication::translate("AbbreviationCsv", "\"%1\" is abbreviated on line %2 already").arg(a.word, QString::number(at->second)));
            continue;
        }
        if (rows.size() >= static_cast<std::size_t>(SetWords::MaxEntries)) {
            problem(QCoreApplication::translate("AbbreviationCsv", "more than %1 abbreviations").arg(SetWords::MaxEntries));
            break;
        }
        rows.push_back(a);
    }
    if (csv.failed())
        return Result::failure(refusal + csv.error());
    if (!problems.isEmpty()) {
        if (more > 0)
            problems << QCoreApplication::translate("AbbreviationCsv", "and %1 more").arg(more);
        return Result::failure(refusal + problems.join(QStringLiteral("; ")));
    }
    return rows;
}

Expected<std::vector<SetWords::Abbreviation>> AbbreviationCsv::read(const QString& path)
{
    using Result = Expected<std::vector<SetWords::Abbreviation>>;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(
            QCoreApplication::translate("AbbreviationCsv", "Cannot read abbreviations: %1: %2").arg(shown, file.errorString()));
    if (file.size() > MaxFileBytes)
        return Result::failure(QCoreApplication::translate("AbbreviationCsv", "Cannot read abbreviations: %1: larger than %2 MiB")
                                   .arg(shown)
                                   .arg(MaxFileBytes / (1024 * 1024)));
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        return Result::failure(QCoreApplication::translate("AbbreviationCsv", "Cannot read abbreviations: %1: larger than %2 MiB")
                                   .arg(shown)
                                   .arg(MaxFileBytes / (1024 * 1024)));
    return parse(bytes, shown);
}

QByteArray AbbreviationCsv::text(const std::vector<SetWords::Abbreviation>& abbreviations)
{
    QByteArray out = "script,word,short\n";
    for (const SetWords::Abbreviation& a : abbreviations)
        out += csvField(a.script).toUtf8() + "," + csvField(a.word).toUtf8() + "," + csvField(a.shortForm).toUtf8() + "\n";
    return out;
}

Status AbbreviationCsv::write(const QString& path, const std::vector<SetWords::Abbreviation>& abbreviations)
{
    return writeCsvFile(path, text(abbreviations));
}

} // namespace vexel
