#include "depot/RouteCsv.h"

#include "depot/Romanization.h"
#include "depot/TextLimit.h"
#include "depot/Utf8Check.h"

#include "document/LimitedFile.h"

#include <QDir>

#include <map>

namespace vexel {

namespace {

QString atLine(int line, const QString& reason)
{
    return QStringLiteral("line %1: %2").arg(line).arg(reason);

}

} // namespace

QString RouteCsv::shortened(const QString& text)
{
    constexpr int Shown = 40;
    return text.size() <= Shown ? text : text.left(Shown) + QChar(0x2026);
}

RouteRow::RouteRow(int atLine, QString routeNumber, QString ka, QString en, QString viaStops)
    : line(atLine), route(std::move(routeNumber)), destinationKa(std::move(ka)), destinationEn(std::move(en)),
      code(route)
{
    if (hasGeorgian(viaStops))
        setVia(viaStops, QString());
    else
        setVia(QString(), viaStops);
}

void RouteRow::setVia(const QString& ka, const QString& en)
{
    viaKa = ka;
    viaEn = en;
    via = ka.trimmed().isEmpty() ? en : ka;
}

Destination RouteRow::destination() const
{
    Destination d;
    d.code = code.isEmpty() ? route : code;
    d.route = route;
    d.destinationKa = destinationKa;
    d.destinationEn = destinationEn;
    d.viaKa = viaKa;
    d.viaEn = viaEn;
    return d;
}

Expected<std::vector<RouteCsv::Record>> RouteCsv::records(const QByteArray& input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const qsizetype bad = firstBadUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (bad >= 0)
        return Expected<std::vector<Record>>::failure(
            atLine(static_cast<int>(bytes.left(bad).count('\n')) + 1, QStringLiteral("the text is not UTF-8")));
    const QString text = QString::fromUtf8(bytes);

    std::vector<Record> out;
    Record record;
    QString field;
    bool inQuotes = false;
    bool afterQuote = false; // its closing quote has been read
    int line = 1;
    int fieldLine = 1;
    bool recordStarted = false;

    auto endField = [&] {
        record.fields << field;
        field.clear();
        afterQuote = false;
    };
    auto endRecord = [&] {
        endField();
        // A line with nothing on it is no record.
        const bool blank = record.fields.size() == 1 && record.fields.front().isEmpty() && !recordStarted;
        if (!blank)
            out.push_back(std::move(record));
        record = Record{};
        recordStarted = false;
    };

    // The header and MaxRows rows.
    auto tooMany = [&] { return out.size() > static_cast<std::size_t>(MaxRows) + 1; };
    auto tooManyRows = [&] {
        return Expected<std::vector<Record>>::failure(
            atLine(out.back().line, QStringLiteral("more than %1 rows").arg(MaxRows)));
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (tooMany())
            return tooManyRows();
        const QChar c = text[i];
        const bool crlf = c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n');
        if (record.line == 0)
            record.line = line;
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                } else {
                    inQuotes = false;
                    afterQuote = true;
                }
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                // A line break inside a field is kept as one LF.
                field += QLatin1Char('\n');
                ++line;
                if (crlf)
                    ++i;
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            recordStarted = true;
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            endRecord();
            ++line;
            if (crlf)
                ++i;
        } else if (c == QLatin1Char('"')) {
            if (afterQuote)
                return Expected<std::vector<Record>>::failure(
                    atLine(line, QStringLiteral("a quoted field must end at a comma or at the end of the line")));
            if (!field.isEmpty())
                return Expected<std::vector<Record>>::failure(atLine(
                    line, QStringLiteral("a quote inside a field that does not begin with one (quote the whole "
                                         "field and double the quote)")));
            inQuotes = recordStarted = true;
            fieldLine = line;
        } else {
            if (afterQuote)
                return Expected<std::vector<Record>>::failure(
                    atLine(line, QStringLiteral("a quoted field must end at a comma or at the end of the line")));
            field += c;
        }
    }
    if (inQuotes)
        return Expected<std::vector<Record>>::failure(
            atLine(fieldLine, QStringLiteral("a quoted field is not closed before the end of the file")));
    if (record.line != 0)
        endRecord();
    if (tooMany())
        return tooManyRows();
    return out;
}

Expected<std::vector<RouteRow>> RouteCsv::parse(const QByteArray& bytes, const QString& name)
{
    auto fail = [&](const QString& reason) {
        return Expected<std::vector<RouteRow>>::failure(
            QStringLiteral("Cannot read route list \"%1\": ").arg(name) + reason);
    };
    const Expected<std::vector<Record>> found = records(bytes);
    if (!found)
        return fail(found.error());
    if (found->empty())
        return fail("the file holds no header line naming the columns");

    const Record& header = found->front();
    enum Column { Route, DestinationKa, DestinationEn, Via, Code, ViaKa, ViaEn, ColumnCount };
    const char* const names[] = {"route", "destination_ka", "destination_en", "via", "code", "via_ka", "via_en"};
    std::map<int, int> at; // column -> field index
    for (int i = 0; i < header.fields.size(); ++i) {
        const QString title = header.fields[i].trimmed().toLower();
        for (int c = Route; c < ColumnCount; ++c) {
            if (title != QLatin1String(names[c]))
                continue;
            if (at.count(c))
                return fail(atLine(header.line, QStringLiteral("the column \"%1\" is named twice").arg(names[c])));
            at[c] = i;
        }
    }
    for (int c : {Route, DestinationKa})
        if (!at.count(c))
            return fail(atLine(header.line, QStringLiteral("the header names no column \"%1\" (it names: %2)")
                                                .arg(names[c], header.fields.join(QStringLiteral(", ")))));
    // Which script an old `via` holds is told row by row; beside the new
    // columns it would say the same thing twice.
    for (int c : {ViaKa, ViaEn})
        if (at.count(Via) && at.count(c))
            return fail(atLine(header.line, QStringLiteral("the columns \"via\" and \"%1\" both give the stops; "
                                                           "\"via\" is the older name of \"via_ka\" and \"via_en\"")
                                                .arg(names[c])));

    std::vector<RouteRow> rows;
    for (std::size_t r = 1; r < found->size(); ++r) {
        const Record& record = (*found)[r];
        if (record.fields.size() > header.fields.size())
            return fail(atLine(record.line, QStringLiteral("%1 fields, but the header names %2 columns")
                                                .arg(record.fields.size())
                                                .arg(header.fields.size())));
        // A short row keeps what it has, so its report can name the route.
        auto value = [&](int column) {
            return at.count(column) && at[column] < record.fields.size() ? record.fields[at[column]] : QString();
        };
        RouteRow row;
        row.line = record.line;
        row.route = value(Route).trimmed();
        row.code = value(Code).trimmed();
        if (row.code.isEmpty())
            row.code = row.route;
        row.destinationKa = value(DestinationKa);
        row.destinationEn = value(DestinationEn);
        if (at.count(Via)) {
            const QString via = value(Via);
            row.setVia(hasGeorgian(via) ? via : QString(), hasGeorgian(via) ? QString() : via);
        } else {
            row.setVia(value(ViaKa), value(ViaEn));
        }
        if (record.fields.size() < header.fields.size())
            row.problem = QStringLiteral("%1 fields, but the header names %2 columns")
                              .arg(record.fields.size())
                              .arg(header.fields.size());
        // A text no sign could show is refused here, before any fitting, and
        // only its start is kept, for the report.
        for (int c = Route; c < ColumnCount; ++c) {
            if (!at.count(c) || at[c] >= record.fields.size())
                continue;
            const QString reason = signTextLengthError(record.fields[at[c]], QLatin1String(names[c]));
            if (reason.isEmpty())
                continue;
            if (row.problem.isEmpty())
                row.problem = reason;
            for (QString* text : {&row.route, &row.code, &row.destinationKa, &row.destinationEn, &row.via,
                                  &row.viaKa, &row.viaEn})
                *text = shortened(*text);
        }
        rows.push_back(row);
    }
    return rows;
}

Expected<std::vector<RouteRow>> RouteCsv::read(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    const Expected<QByteArray> bytes = LimitedFile::read(path, MaxFileBytes);
    if (!bytes)
        return Expected<std::vector<RouteRow>>::failure(
            QStringLiteral("Cannot read route list \"%1\": ").arg(name) + bytes.error());
    return parse(*bytes, name);
}

} // namespace vexel
