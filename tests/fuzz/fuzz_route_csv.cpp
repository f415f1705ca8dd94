// Any bytes as a route list: the reader either names the list and the line
// of a fault, or returns rows in file order that, written out again with
// every field quoted and the newer columns, read back the same.
#include "FuzzCheck.h"

#include "depot/RouteCsv.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace vexel;

namespace {

QByteArray quoted(const QString& field)
{
    QByteArray text = field.toUtf8();
    text.replace("\"", "\"\"");
    return "\"" + text + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Expected<std::vector<RouteRow>> rows = RouteCsv::parse(bytes, QStringLiteral("fuzz.csv"));
    if (!rows) {
        FUZZ_CHECK(rows.error().toStdString().rfind("Cannot read route list \"fuzz.csv\": ", 0) == 0);
        return 0;
    }
    int line = 1;
    QByteArray again = "via_ka,destination_en,route,destination_ka,via_en,code\r\n";
    for (const RouteRow& row : *rows) {
        FUZZ_CHECK(row.line > line);
        FUZZ_CHECK(row.route == row.route.trimmed());
        FUZZ_CHECK(row.code == row.code.trimmed() && (!row.code.isEmpty() || row.route.isEmpty()));
        FUZZ_CHECK(row.via == row.viaKa || row.via == row.viaEn);
        line = row.line;
        again += quoted(row.viaKa) + "," + quoted(row.destinationEn) + "," + quoted(row.route) + "," +
                 quoted(row.destinationKa) + "," + quoted(row.viaEn) + "," + quoted(row.code) + "\r\n";
    }
    const Expected<std::vector<RouteRow>> reread = RouteCsv::parse(again, QStringLiteral("again.csv"));
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(reread->size() == rows->size());
    for (std::size_t i = 0; i < rows->size(); ++i) {
        const RouteRow& a = (*rows)[i];
        const RouteRow& b = (*reread)[i];
        FUZZ_CHECK(a.route == b.route && a.destinationKa == b.destinationKa && a.destinationEn == b.destinationEn &&
                   a.via == b.via && a.viaKa == b.viaKa && a.viaEn == b.viaEn && a.code == b.code);
        // Written out whole, a short row is short no more.
        FUZZ_CHECK(b.problem.isEmpty());
    }
    return 0;
}
