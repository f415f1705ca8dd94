// The route list's code and via columns, short rows, and names that cannot
// safely name a file.
#include "depot/FileStem.h"
#include "depot/RouteCsv.h"

#include <gtest/gtest.h>

using namespace vexel;

TEST(RouteListColumns, CodeAndViaInEitherScript)
{
    const QByteArray text = "route,code,destination_ka,destination_en,via_ka,via_en\n"
                            "12,12R,\xE1\x83\x90,Airport,\xE1\x83\x95,Vake\n"
                            "37,,\xE1\x83\x93,,,Saburtalo\n";
    const auto rows = RouteCsv::parse(text, QStringLiteral("routes.csv"));
    ASSERT_TRUE(rows.ok()) << rows.error().toStdString();
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].code, QStringLiteral("12R"));
    EXPECT_EQ((*rows)[0].viaKa, QStringLiteral("ვ"));
    EXPECT_EQ((*rows)[0].viaEn, QStringLiteral("Vake"));
    EXPECT_EQ((*rows)[0].via, QStringLiteral("ვ")); // {via} letters the Georgian stops
    EXPECT_EQ((*rows)[1].code, QStringLiteral("37")); // an empty code is the route number
    EXPECT_EQ((*rows)[1].via, QStringLiteral("Saburtalo"));
    EXPECT_TRUE((*rows)[1].problem.isEmpty());

    // The older column goes by its letters, row by row.
    const auto old = RouteCsv::parse("route,destination_ka,via\n1,a,\xE1\x83\x95 - Vake\n2,b,Vake\n3,c,\n",
                                     QStringLiteral("old.csv"));
    ASSERT_TRUE(old.ok()) << old.error().toStdString();
    EXPECT_EQ((*old)[0].code, QStringLiteral("1"));
    EXPECT_EQ((*old)[0].viaKa, QStringLiteral("ვ - Vake"));
    EXPECT_TRUE((*old)[0].viaEn.isEmpty());
    EXPECT_EQ((*old)[1].viaEn, QStringLiteral("Vake"));
    EXPECT_TRUE((*old)[1].viaKa.isEmpty());
    EXPECT_EQ((*old)[1].via, QStringLiteral("Vake"));
    EXPECT_TRUE((*old)[2].via.isEmpty());

    const auto both = RouteCsv::parse("route,destination_ka,via,via_en\n1,a,b,c\n", QStringLiteral("both.csv"));
    ASSERT_FALSE(both.ok());
    EXPECT_NE(both.error().toStdString().find("line 1: the columns \"via\" and \"via_en\" both give the stops"), std::string::npos)
        << both.error().toStdString();
}

TEST(RouteListColumns, AShortRowIsMarkedAndTheRestIsRead)
{
    const auto rows = RouteCsv::parse("route,destination_ka,destination_en\n"
                                      "12,\xE1\x83\x90\n"
                                      "37\n"
                                      "61,\xE1\x83\x92,Gldani\n",
                                      QStringLiteral("routes.csv"));
    ASSERT_TRUE(rows.ok()) << rows.error().toStdString();
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ((*rows)[0].problem, QStringLiteral("2 fields, but the header names 3 columns"));
    EXPECT_EQ((*rows)[0].route, QStringLiteral("12")); // what it has, to name it in the report
    EXPECT_EQ((*rows)[1].line, 3);
    EXPECT_EQ((*rows)[1].problem, QStringLiteral("1 fields, but the header names 3 columns"));
    EXPECT_TRUE((*rows)[2].problem.isEmpty());
    EXPECT_EQ((*rows)[2].destinationEn, QStringLiteral("Gldani"));
}

TEST(RouteListColumns, NamesThatCannotSafelyNameAFile)
{
    const std::pair<const char*, const char*> refused[] = {
        {"", "is empty"},
        {"..", "cannot name a file"},
        {"../x", "a file name cannot hold"},
        {"a\\b", "a file name cannot hold"},
        {"-rf", "begins with \"-\""},
        {"--help", "begins with \"-\""},
        {"CON", "a device"},
        {"con", "a device"},
        {"Prn.img", "a device"},
        {"aux.tar.gz", "a device"},
        {"NUL ", "a device"},
        {"COM1", "a device"},
        {"com9.txt", "a device"},
        {"LPT5", "a device"},
        {"COM\xC2\xB9", "a device"},
    };
    for (const auto& [name, reason] : refused) {
        const Status checked = FileStem::check(QString::fromUtf8(name), QStringLiteral("the route number"));
        ASSERT_FALSE(checked.ok()) << name;
        EXPECT_NE(checked.error().toStdString().find(reason), std::string::npos) << name << ": " << checked.error().toStdString();
    }
    for (const char* name : {"12", "12R", "1-", "COM0", "COM10", "LPT", "CONSOLE", "CON-1", "NULL", "AUXILIARY.x"})
        EXPECT_TRUE(FileStem::check(QString::fromUtf8(name), QStringLiteral("the code")).ok()) << name;
}
