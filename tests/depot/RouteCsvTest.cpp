// Route lists as CSV: real quoting, columns by name, and faults named by line.
#include "depot/RouteCsv.h"
#include "depot/TextLimit.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

std::vector<RouteRow> parsed(const QByteArray& text)
{
    const Expected<std::vector<RouteRow>> rows = RouteCsv::parse(text, QStringLiteral("routes.csv"));
    EXPECT_TRUE(rows.ok()) << rows.error().toStdString();
    return rows.ok() ? *rows : std::vector<RouteRow>{};
}

} // namespace

TEST(RouteCsv, QuotedFieldsKeepCommasQuotesAndLineBreaks)
{
    const QByteArray text = "\xEF\xBB\xBF" // a byte order mark, as spreadsheets write it
                            "via,route,destination_en,destination_ka,depot\r\n"
                            "\"Rustaveli, Vake\",12,Airport,\xE1\x83\x90\xE1\x83\x94\xE1\x83\xA0\xE1\x83\x9D,north\r\n"
                            "\"\",\"37\",\"The \"\"Old\"\" Town\",\"\xE1\x83\x95\xE1\x83\x90\xE1\x83\x99\xE1\x83\x94\nnext line\",\r\n"
                            "\r\n"
                            ",61,,\xE1\x83\x95\xE1\x83\x90\xE1\x83\x99\xE1\x83\x94,\n"
                            "3,4,5,6,7"; // the last line without its line end
    const std::vector<RouteRow> rows = parsed(text);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_EQ(rows[0].route, QStringLiteral("12"));
    EXPECT_EQ(rows[0].via, QStringLiteral("Rustaveli, Vake"));
    EXPECT_EQ(rows[0].destinationEn, QStringLiteral("Airport"));
    EXPECT_EQ(rows[0].destinationKa, QStringLiteral("აერო"));
    EXPECT_EQ(rows[1].line, 3);
    EXPECT_EQ(rows[1].route, QStringLiteral("37"));
    EXPECT_EQ(rows[1].destinationEn, QStringLiteral("The \"Old\" Town"));
    EXPECT_EQ(rows[1].destinationKa, QStringLiteral("ვაკე\nnext line"));
    EXPECT_TRUE(rows[1].via.isEmpty());
    // The line break inside the quotes and the blank line count as lines.
    EXPECT_EQ(rows[2].line, 6);
    EXPECT_TRUE(rows[2].destinationEn.isEmpty());
    EXPECT_EQ(rows[3].line, 7);
    EXPECT_EQ(rows[3].route, QStringLiteral("4"));
}

TEST(RouteCsv, OptionalColumnsMayBeLeftOut)
{
    const std::vector<RouteRow> rows = parsed(" Destination_KA , ROUTE\n\xE1\x83\x95,  7 \n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].route, QStringLiteral("7"));
    EXPECT_TRUE(rows[0].via.isEmpty());
    EXPECT_TRUE(rows[0].destinationEn.isEmpty());
}

TEST(RouteCsv, FaultsAreNamedByFileAndLine)
{
    struct Case {
        QByteArray text;
        const char* message;
    };
    const Case cases[] = {
        {"route,destination_ka\n1,\"open\n2,b\n", "line 2: a quoted field is not closed"},
        {"route,destination_ka\n1,a\"b\n", "line 2: a quote inside a field"},
        {"route,destination_ka\n1,\"a\"b\n", "line 2: a quoted field must end at a comma"},
        {"route,destination_ka\n1,a\n2,b,c\n", "line 3: 3 fields, but the header names 2 columns"},
        {"route,via\n1,a\n", "line 1: the header names no column \"destination_ka\""},
        {"route,destination_ka,Route\n1,a,2\n", "line 1: the column \"route\" is named twice"},
        {"route,destination_ka\n1,a\n2,\xFF\xFE\n", "line 3: the text is not UTF-8"},
        {"route,destination_ka\n1,\xC0\xAF\n", "line 2: the text is not UTF-8"}, // an overlong '/'
        {"", "the file holds no header line"},
    };
    for (const Case& c : cases) {
        const Expected<std::vector<RouteRow>> rows = RouteCsv::parse(c.text, QStringLiteral("routes.csv"));
        ASSERT_FALSE(rows.ok()) << c.message;
        EXPECT_EQ(rows.error().toStdString().rfind("Cannot read route list \"routes.csv\": ", 0), 0u) << rows.error().toStdString();
        EXPECT_NE(rows.error().toStdString().find(c.message), std::string::npos) << rows.error().toStdString();
    }
}

TEST(RouteCsv, ATextNoSignCouldShowMarksItsRowAndIsKeptShort)
{
    const char* const columns[] = {"route", "code", "destination_ka", "destination_en", "via_ka", "via_en", "via"};
    for (const char* column : columns) {
        const QByteArray header = QByteArray(column) == "via" ? "route,destination_ka,via"
                                                                : "route,code,destination_ka,destination_en,via_ka,via_en";
        const QList<QByteArray> names = header.split(',');
        for (int length : {MaxSignTextLength, MaxSignTextLength + 1}) {
            QByteArrayList fields;
            for (const QByteArray& name : names)
                fields << (name == column ? QByteArray(length, 'x') : QByteArray("7"));
            const QByteArray next = QByteArrayList(names.size(), "8").join(',');
            const std::vector<RouteRow> rows = parsed(header + "\n" + fields.join(',') + "\n" + next + "\n");
            ASSERT_EQ(rows.size(), 2u) << column;
            if (length == MaxSignTextLength) {
                EXPECT_EQ(rows[0].problem, QString()) << column;
                continue;
            }
            EXPECT_EQ(rows[0].problem,
                      QStringLiteral("%1 is 1001 characters long, at most 1000").arg(QLatin1String(column)));
            for (const QString& text : {rows[0].route, rows[0].code, rows[0].destinationKa, rows[0].destinationEn,
                                        rows[0].via, rows[0].viaKa, rows[0].viaEn})
                EXPECT_LE(text.size(), 41) << column;
            EXPECT_EQ(rows[1].problem, QString()) << "the next row is another's";
        }
    }
}
