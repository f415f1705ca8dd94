#include "depot/RouteCsv.h"

#include "depot/Romanization.h"
#include "depot/TextLimit.h"
#include "depot/Utf8Check.h"

#include "document/LimitedFile.h"

#include <QCoreApplication>
#include <QDir>

#include <map>

namespace vexel {

namespace {

QString atLine(int line, const QString& reason)
{
    return QCoreApplication::translate("RouteCsv", "line %1: %2").arg(line).arg(reason);

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
    d.service = service;
    return d;
}

namespace {

using Record = RouteCsv::Record;

// Splits the text into records: fields between commas, where a field in
// quotes may hold commas, doubled quotes and line breaks. Each character
// is one step; a step returns why the text is refused, empty when it goes on.
class RecordReader {
public:
    explicit RecordReader(const QString& text) : text_(text) {}

    Expected<std::vector<Record>> read()
    {
        for (i_ = 0; i_ < text_.size(); ++i_) {
            if (tooMany())
                return tooManyRows();
            if (record_.line == 0)
                record_.line = line_;
            const QString problem = inQuotes_ ? quoted(text_[i_]) : unquoted(text_[i_]);
            if (!problem.isEmpty())
                return Expected<std::vector<Record>>::failure(problem);
        }
        if (inQuotes_)
            return Expected<std::vector<Record>>::failure(
                atLine(fieldLine_, QCoreApplication::translate("RouteCsv", "a quoted field is not closed before the end of the file")));
        if (record_.line != 0)
            endRecord();
        if (tooMany())
            return tooManyRows();
        return std::move(out_);
    }

private:
    // The header and MaxRows rows.
    bool tooMany() const { return out_.size() > static_cast<std::size_t>(RouteCsv::MaxRows) + 1; }
    Expected<std::vector<Record>> tooManyRows() const
    {
        return Expected<std::vector<Record>>::failure(
            atLine(out_.back().line, QCoreApplication::translate("RouteCsv", "more than %1 rows").arg(RouteCsv::MaxRows)));
    }

    bool next(QChar c) const { return i_ + 1 < text_.size() && text_[i_ + 1] == c; }

    // CR, LF or CR LF.
    void lineBreak()
    {
        ++line_;
        if (text_[i_] == QLatin1Char('\r') && next(QLatin1Char('\n')))
            ++i_;
    }

    QString quoted(QChar c)
    {
        if (c == QLatin1Char('"')) {
            if (next(QLatin1Char('"'))) {
                field_ += QLatin1Char('"');
                ++i_;
            } else {
                inQuotes_ = false;
                afterQuote_ = true;
            }
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            // A line break inside a field is kept as one LF.
            field_ += QLatin1Char('\n');
            lineBreak();
        } else {
            field_ += c;
        }
        return {};
    }

    QString unquoted(QChar c)
    {
        if (c == QLatin1Char(',')) {
            recordStarted_ = true;
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            endRecord();
            lineBreak();
        } else if (c == QLatin1Char('"')) {
            if (afterQuote_)
                return atLine(line_, QCoreApplication::translate("RouteCsv", "a quoted field must end at a comma or at the end of the line"));
            if (!field_.isEmpty())
                return atLine(line_, QCoreApplication::translate("RouteCsv", "a quote inside a field that does not begin with one "
                                                                         "(quote the whole field and double the quote)"));
            inQuotes_ = recordStarted_ = true;
            fieldLine_ = line_;
        } else {
            if (afterQuote_)
                return atLine(line_, QCoreApplication::translate("RouteCsv", "a quoted field must end at a comma or at the end of the line"));
            field_ += c;
        }
        return {};
    }

    void endField()
    {
        record_.fields << field_;
        field_.clear();
        afterQuote_ = false;
    }

    void endRecord()
    {
        endField();
        // A line with nothing on it is no record.
        const bool blank = record_.fields.size() == 1 && record_.fields.front().isEmpty() && !recordStarted_;
        if (!blank)
            out_.push_back(std::move(record_));
        record_ = Record{};
        recordStarted_ = false;
    }

    const QString& text_;
    qsizetype i_ = 0;
    std::vector<Record> out_;
    Record record_;
    QString field_;
    bool inQuotes_ = false;
    bool afterQuote_ = false; // its closing quote has been read
    int line_ = 1;
    int fieldLine_ = 1;
    bool recordStarted_ = false;
};

enum Column { Route, DestinationKa, DestinationEn, Via, Code, ViaKa, ViaEn, Service, ColumnCount };
const char* const ColumnNames[] = {"route", "destination_ka", "destination_en", "via", "code", "via_ka", "via_en",
                                   "service"};
using Columns = std::map<int, int>; // column -> field index

// Where the header puts each column it names; why it cannot be read.
Expected<Columns> columnsOf(const Record& header)
{
    using Result = Expected<Columns>;
    Columns at;
    for (int i = 0; i < header.fields.size(); ++i) {
        const QString title = header.fields[i].trimmed().toLower();
        for (int c = Route; c < ColumnCount; ++c) {
            if (title != QLatin1String(ColumnNames[c]))
                continue;
            if (at.count(c))
                return Result::failure(
                    atLine(header.line, QCoreApplication::translate("RouteCsv", "the column \"%1\" is named twice").arg(ColumnNames[c])));
            at[c] = i;
        }
    }
    for (int c : {Route, DestinationKa})
        if (!at.count(c))
            return Result::failure(atLine(header.line, QCoreApplication::translate("RouteCsv", "the header names no column \"%1\" (it names: %2)")
                                                           .arg(ColumnNames[c], header.fields.join(QStringLiteral(", ")))));
    // Which script an old `via` holds is told row by row; beside the new
    // columns it would say the same thing twice.
    for (int c : {ViaKa, ViaEn})
        if (at.count(Via) && at.count(c))
            return Result::failure(atLine(header.line, QCoreApplication::translate("RouteCsv", "the columns \"via\" and \"%1\" both give the stops; "
                                                                                           "\"via\" is the older name of \"via_ka\" and \"via_en\"")
                                                           .arg(ColumnNames[c])));
    return at;
}

// One row of the list; a short row keeps what it has, so its report can
// name the route.
RouteRow rowOf(const Record& record, int headerFields, const Columns& at)
{
    auto value = [&](int column) {
        const auto found = at.find(column);
        return found != at.end() && found->second < record.fields.size() ? record.fields[found->second] : QString();
    };
    RouteRow row;
    row.line = record.line;
    row.route = value(Route).trimmed();
    row.code = value(Code).trimmed();
    if (row.code.isEmpty())
        row.code = row.route;
    row.destinationKa = value(DestinationKa);
    row.destinationEn = value(DestinationEn);
    row.service = value(Service);
    row.hasService = at.count(Service) > 0;
    if (at.count(Via)) {
        const QString via = value(Via);
        row.setVia(hasGeorgian(via) ? via : QString(), hasGeorgian(via) ? QString() : via);
    } else {
        row.setVia(value(ViaKa), value(ViaEn));
    }
    if (record.fields.size() < headerFields)
        row.problem = QCoreApplication::translate("RouteCsv", "%1 fields, but the header names %2 columns").arg(record.fields.size()).arg(headerFields);
    // A text no sign could show is refused here, before any fitting, and
    // only its start is kept, for the report.
    for (const auto& [c, field] : at) {
        if (field >= record.fields.size())
            continue;
        const QString reason = signTextLengthError(record.fields[field], QLatin1String(ColumnNames[c]));
        if (reason.isEmpty())
            continue;
        if (row.problem.isEmpty())
            row.problem = reason;
        for (QString* text : {&row.route, &row.code, &row.destinationKa, &row.destinationEn, &row.via, &row.viaKa,
                              &row.viaEn, &row.service})
            *text = RouteCsv::shortened(*text);
    }
    return row;
}

} // namespace

Expected<std::vector<RouteCsv::Record>> RouteCsv::records(const QByteArray& input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const qsizetype bad = firstBadUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (bad >= 0)
        return Expected<std::vector<Record>>::failure(
            atLine(static_cast<int>(bytes.left(bad).count('\n')) + 1, QCoreApplication::translate("RouteCsv", "the text is not UTF-8")));
    const QString text = QString::fromUtf8(bytes);
    return RecordReader(text).read();
}

Expected<std::vector<RouteRow>> RouteCsv::parse(const QByteArray& bytes, const QString& name)
{
    auto fail = [&](const QString& reason) {
        return Expected<std::vector<RouteRow>>::failure(
            QCoreApplication::translate("RouteCsv", "Cannot read route list \"%1\": %2").arg(name, reason));
    };
    const Expected<std::vector<Record>> found = records(bytes);
    if (!found)
        return fail(found.error());
    if (found->empty())
        return fail("the file holds no header line naming the columns");
    const Record& header = found->front();
    const Expected<Columns> at = columnsOf(header);
    if (!at)
        return fail(at.error());
    std::vector<RouteRow> rows;
    for (std::size_t r = 1; r < found->size(); ++r) {
        const Record& record = (*found)[r];
        if (record.fields.size() > header.fields.size())
            return fail(atLine(record.line, QCoreApplication::translate("RouteCsv", "%1 fields, but the header names %2 columns")
                                                .arg(record.fields.size())
                                                .arg(header.fields.size())));
        rows.push_back(rowOf(record, static_cast<int>(header.fields.size()), *at));
    }
    return rows;
}

Expected<std::vector<RouteRow>> RouteCsv::read(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    const Expected<QByteArray> bytes = LimitedFile::read(path, MaxFileBytes);
    if (!bytes)
        return Expected<std::vector<RouteRow>>::failure(
            QCoreApplication::translate("RouteCsv", "Cannot read route list \"%1\": %2").arg(name, bytes.error()));
    return parse(*bytes, name);
}

} // namespace vexel
