#pragma once

// Sets for the copy and merge tests: one with something in every table, and
// a file's tables read row by row to compare two sets by.
#include "sets/DestinationSet.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

namespace copy_test {

inline const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

inline vexel::Destination destination(const char* code, const char* ka, const char* en = "")
{
    vexel::Destination d;
    d.code = d.route = QString::fromUtf8(code);
    d.destinationKa = QString::fromUtf8(ka);
    d.destinationEn = QString::fromUtf8(en);
    return d;
}

inline vexel::ImageRecord image(int w, int h, unsigned seed)
{
    return *vexel::ImageFile::parse(testing_support::randomImageText(2, w, h, seed));
}

inline vexel::SignOverride byHand(const vexel::DestinationSet& set, const char* code, const char* sign, unsigned seed)
{
    vexel::SignOverride o;
    o.code = QString::fromUtf8(code);
    o.sign = QString::fromUtf8(sign);
    const std::vector<vexel::VehicleSign> signs = *set.signs();
    for (const vexel::VehicleSign& s : signs)
        if (s.name == o.sign)
            o.image = image(s.width, s.height, seed);
    const std::vector<vexel::Destination> destinations = *set.destinations();
    for (const vexel::Destination& d : destinations)
        if (d.code == o.code)
            o.madeFrom = d;
    return o;
}

// What a release keeps: the texts, the overrides and an image per sign.
inline vexel::SetVersion released(const vexel::DestinationSet& set, unsigned seed)
{
    vexel::SetVersion v;
    v.note = QStringLiteral("release %1").arg(seed);
    v.destinations = *set.destinations();
    v.overrides = *set.overrides();
    v.findings << QStringLiteral("12 on rear: the text is small");
    const std::vector<vexel::VehicleSign> signs = *set.signs();
    for (const vexel::VehicleSign& s : signs)
        for (const vexel::Destination& d : v.destinations)
            v.images.push_back({s.name, d.code, image(s.width, s.height, seed + qHash(d.code))});
    return v;
}

// A set with rows in every table a depot fills: signs, destinations with
// their history, what an import had, an override, words, and two releases
// sharing images.
inline void fill(vexel::DestinationSet& set)
{
    using vexel::Destination;
    for (const Destination& d : {destination("12", "ვაკე", "Vake"), destination("37", "საბურთალო", "Saburtalo"),
                                 destination("61", "დიდუბე", "Didube"), destination("150", "გლდანი", "Gldani")})
        ASSERT_TRUE(set.addDestination(d).ok());
    Destination night = destination("61", "დიდუბე", "Didube");
    night.note = QStringLiteral("night");
    ASSERT_TRUE(set.updateDestination(QStringLiteral("61"), night).ok());
    // An import that remembers what the feed had: all of 12's texts but the
    // Latin name, which the set holds otherwise.
    ASSERT_TRUE(set.apply({destination("12", "ვაკე", "Vake")}, {}, {}, {destination("12", "ვაკე", "VAKE")}).ok());
    ASSERT_TRUE(set.storeOverride(byHand(set, "37", "front", 7)).ok());
    vexel::SetWords words = *set.words();
    words.abbreviations.push_back({QStringLiteral("en"), QStringLiteral("Avenue"), QStringLiteral("Ave")});
    words.upperWords << QStringLiteral("TBILISI");
    words.viaSeparators << QStringLiteral(" - ");
    ASSERT_TRUE(set.setWords(words).ok());
    ASSERT_TRUE(set.addVersion(released(set, 1)).ok());
    ASSERT_TRUE(set.removeDestination(QStringLiteral("150")).ok());
    ASSERT_TRUE(set.addVersion(released(set, 1)).ok());
}

inline std::vector<vexel::VehicleSign> signs()
{
    return {vexel::VehicleSign{QStringLiteral("front"), 160, 19, QString::fromUtf8(Layout)},
            vexel::VehicleSign{QStringLiteral("rear"), 28, 16, QString::fromUtf8(Layout)}};
}

// Every table of a set file, each row as text (bytes in hex), in its
// stored order; the copy's own record of where it came from left out.
inline std::map<QString, std::vector<QStringList>> tables(const QString& path)
{
    std::map<QString, std::vector<QStringList>> out;
    const QString name = QStringLiteral("copy-test-read");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        EXPECT_TRUE(db.open());
        QSqlQuery list(db);
        list.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        QStringList names;
        while (list.next())
            names << list.value(0).toString();
        for (const QString& table : names) {
            if (table.startsWith(QLatin1String("copy_")))
                continue;
            QSqlQuery rows(db);
            EXPECT_TRUE(rows.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)));
            std::vector<QStringList>& into = out[table];
            while (rows.next()) {
                QStringList row;
                for (int i = 0; i < rows.record().count(); ++i) {
                    const QVariant v = rows.value(i);
                    row << (v.typeId() == QMetaType::QByteArray ? QString::fromLatin1(v.toByteArray().toHex())
                                                                 : v.toString());
                }
                into.push_back(row);
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

} // namespace copy_test
