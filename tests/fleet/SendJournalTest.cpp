// The send journal below the windows: what a bus carries, the filters, and
// the release note it takes the set and version from.
#include "fleet/ReleaseNote.h"
#include "fleet/SendJournal.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vexel::JournalEntry;
using vexel::JournalFilter;
using vexel::ReleaseListing;
using vexel::ReleaseNote;
using vexel::SendJournal;

namespace {

JournalEntry sent(const QString& when, const QString& bus, const QString& sign, int version, const QString& reply)
{
    JournalEntry e;
    e.time = QDateTime::fromString(when, Qt::ISODate);
    e.bus = bus;
    e.sign = sign;
    e.set = QStringLiteral("City");
    e.version = version;
    e.port = QStringLiteral("/dev/ttyUSB0");
    e.files = {QStringLiteral("12.img"), QStringLiteral("12R.img")};
    e.bytes = 300;
    e.checksum = 0x1A2B;
    e.reply = reply;
    return e;
}

QList<int> versions(const std::vector<JournalEntry>& entries)
{
    QList<int> v;
    for (const JournalEntry& e : entries)
        v << e.version;
    return v;
}

TEST(SendJournal, TheBusCarriesItsLastSendTheBoardTookOnThatSign)
{
    QTemporaryDir dir;
    const SendJournal journal(dir.path() + "/deeper/journal.sqlite");
    // Recorded out of time order: the answer goes by the time of the send.
    for (const JournalEntry& e : {
             sent("2026-03-01T08:00:00Z", "1042", "front", 2, "OK"),
             sent("2026-03-01T07:00:00Z", "1042", "front", 1, "OK"),
             sent("2026-03-02T08:00:00Z", "1042", "front", 3, "CS"),
             sent("2026-03-02T09:00:00Z", "1042", "front", 4, "no reply"),
             sent("2026-03-02T10:00:00Z", "1042", "front", 5, "not sent: Port was not opened"),
             sent("2026-03-03T08:00:00Z", "1042", "rear", 6, "OK"),
             sent("2026-03-03T08:00:00Z", "1043", "front", 7, "OK"),
         })
        ASSERT_TRUE(journal.record(e)) << journal.record(e).error().toStdString();
    JournalEntry read = sent("2026-03-04T08:00:00Z", "1042", "", 0, "OK");
    read.read = true;
    read.files.clear();
    ASSERT_TRUE(journal.record(read));

    const auto front = journal.carried("1042", "front");
    ASSERT_TRUE(front);
    ASSERT_TRUE(front->has_value());
    EXPECT_EQ((*front)->version, 2);
    const QString answer = SendJournal::carriedText("1042", "front", *front);
    EXPECT_TRUE(answer.contains("version 2 of City")) << answer.toStdString();
    EXPECT_TRUE(answer.contains("12.img; 12R.img")) << answer.toStdString();

    EXPECT_EQ((*journal.carried("1042", "rear"))->version, 6);
    // A read's OK is no picture on a sign.
    EXPECT_EQ((*journal.carried("1042", ""))->version, 6);
    const auto none = journal.carried("999", "front");
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->has_value());
    EXPECT_TRUE(SendJournal::carriedText("999", "front", *none).contains("no send"));

    // Filters, oldest first.
    EXPECT_EQ(versions(*journal.entries()), QList<int>({1, 2, 3, 4, 5, 6, 7, 0}));
    JournalFilter f;
    f.bus = "1042";
    f.sign = "front";
    EXPECT_EQ(versions(*journal.entries(f)), QList<int>({1, 2, 3, 4, 5}));
    f = {};
    f.reply = SendJournal::NotSent;
    EXPECT_EQ(versions(*journal.entries(f)), QList<int>({5}));
    f = {};
    f.reply = "CS";
    EXPECT_EQ(versions(*journal.entries(f)), QList<int>({3}));
    f = {};
    f.from = QDateTime::fromString("2026-03-02T12:00:00Z", Qt::ISODate).toLocalTime().date();
    f.to = f.from;
    EXPECT_EQ(versions(*journal.entries(f)), QList<int>({3, 4, 5}));
    f = {};
    f.set = "Elsewhere";
    EXPECT_TRUE(journal.entries(f)->empty());

    // What went in comes back.
    const JournalEntry first = journal.entries()->front();
    EXPECT_EQ(first.time, QDateTime::fromString("2026-03-01T07:00:00Z", Qt::ISODate));
    EXPECT_EQ(first.files, QStringList({"12.img", "12R.img"}));
    EXPECT_EQ(SendJournal::checksumText(first), "1A2B");
    EXPECT_EQ(first.bytes, 300);
    EXPECT_TRUE(journal.entries()->back().read);
}

TEST(SendJournal, AJournalThatCannotBeWrittenSaysWhereAndOneNotMadeYetIsEmpty)
{
    QTemporaryDir dir;
    testing_support::writeAll(dir.path() + "/plain-file", "not a folder");
    const SendJournal blocked(dir.path() + "/plain-file/journal.sqlite");
    const vexel::Status recorded = blocked.record(sent("2026-03-01T08:00:00Z", "1", "front", 1, "OK"));
    ASSERT_FALSE(recorded);
    EXPECT_NE(recorded.error().toStdString().find("plain-file"), std::string::npos) << recorded.error().toStdString();

    const SendJournal fresh(dir.path() + "/none.sqlite");
    ASSERT_TRUE(fresh.entries());
    EXPECT_TRUE(fresh.entries()->empty());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/none.sqlite")) << "reading makes no journal";

    testing_support::writeAll(dir.path() + "/garbage.sqlite", QByteArray(4096, 'x'));
    EXPECT_FALSE(SendJournal(dir.path() + "/garbage.sqlite").entries());
    EXPECT_FALSE(SendJournal(dir.path() + "/garbage.sqlite").record(sent("2026-03-01T08:00:00Z", "1", "", 0, "OK")));
}

TEST(SendJournal, AnotherWriterHoldingTheJournalFailsTheEntryAfterTheWaitNotForever)
{
    QTemporaryDir dir;
    const SendJournal journal(dir.path() + "/journal.sqlite");
    ASSERT_TRUE(journal.record(sent("2026-03-01T08:00:00Z", "1", "front", 1, "OK")));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-writer");
        other.setDatabaseName(journal.path());
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec("BEGIN IMMEDIATE"));
        const vexel::Status blocked = journal.record(sent("2026-03-01T09:00:00Z", "1", "front", 2, "OK"));
        EXPECT_FALSE(blocked);
        // Readers still see what was committed.
        EXPECT_EQ(journal.entries()->size(), 1u);
        ASSERT_TRUE(hold.exec("COMMIT"));
        other.close();
    }
    QSqlDatabase::removeDatabase("other-writer");
    ASSERT_TRUE(journal.record(sent("2026-03-01T10:00:00Z", "1", "front", 3, "OK")));
    EXPECT_EQ(versions(*journal.entries()), QList<int>({1, 3}));
}

TEST(SendJournal, CsvRowsQuoteWhatWouldSplitThem)
{
    JournalEntry e = sent("2026-03-01T08:00:00Z", "10,42", "front", 3, "not sent: \"a.img\" is missing");
    EXPECT_EQ(SendJournal::csvHeader(), "time,bus,sign,set,version,port,files,bytes,checksum,reply,message_bytes");
    EXPECT_EQ(SendJournal::csvRow(e), "2026-03-01T08:00:00.000Z,\"10,42\",front,City,3,/dev/ttyUSB0,12.img; 12R.img,"
                                      "300,1A2B,\"not sent: \"\"a.img\"\" is missing\",318");
    e.version = 0;
    e.bytes = -1;
    e.checksum = -1;
    EXPECT_EQ(SendJournal::csvRow(e).count(','), 11);
    EXPECT_TRUE(SendJournal::csvRow(e).contains("/dev/ttyUSB0,12.img; 12R.img,,,")) << SendJournal::csvRow(e).toStdString();
}

TEST(ReleaseNote, NamesTheSetVersionAndSignInWhateverShapeTheNoteTakes)
{
    struct Case {
        QByteArray text;
        QString set;
        int version;
        QString sign;
    };
    const Case cases[] = {
        {"Set: City routes\r\nVersion 3\r\nfront/12.img 1 frame\r\n", "City routes", 3, ""},
        {"\xEF\xBB\xBFset = \"City\"\nversion=12\nsign: front\n", "City", 12, "front"},
        {"Destination set City, version 4, 2026-03-01\n", "City", 4, ""},
        {"# release\nSETTINGS\nsigns 3\nversions: none\n", "", 0, ""},
        {"", "", 0, ""},
        {"\xFF\xFE garbage \x00 version 99999999999\n", "", 0, ""},
    };
    for (const Case& c : cases) {
        const ReleaseNote note = ReleaseNote::parse(c.text);
        EXPECT_EQ(note.set, c.set) << c.text.toStdString();
        EXPECT_EQ(note.version, c.version) << c.text.toStdString();
        EXPECT_EQ(note.sign, c.sign) << c.text.toStdString();
    }
}

// What a release writes, the fleet and the journal read back: a note, a
// finding or a stale line that speaks of another version does not count.
TEST(ReleaseNote, WhatAReleaseWritesReadsBack)
{
    ReleaseListing listing;
    listing.setName = QStringLiteral("თბილისი.vxset");
    listing.setId = QStringLiteral("5c1d7e2a-0000-4000-8000-00000000002a");
    listing.version = 4;
    listing.time = QDateTime(QDate(2026, 12, 9), QTime(21, 5), Qt::UTC);
    listing.validFrom = QDate(2027, 1, 1);
    listing.note = QStringLiteral("winter\nversion 9 of the timetable");
    listing.signs = {{QStringLiteral("Front"), 160, 19}, {QStringLiteral("rear"), 28, 16}};
    listing.findings << QStringLiteral("12 front page 2: version 7 strokes too thin");
    listing.files = {{QStringLiteral("Front/12.img"), 2, 412, 0x1a2b}, {QStringLiteral("Front/37.img"), 1, 200, 7},
                     {QStringLiteral("rear/12.img"), 1, 60, 0xffff}};
    const QString text = ReleaseNote::write(listing);
    EXPECT_TRUE(text.contains(QStringLiteral("\nFront/12.img\t2\t412\t1A2B\t430\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nnote: winter version 9 of the timetable\n")));

    for (const int version : {4, 0}) {
        listing.version = version;
        const ReleaseNote note = ReleaseNote::parse(ReleaseNote::write(listing).toUtf8());
        EXPECT_EQ(note.set, listing.setName);
        EXPECT_EQ(note.version, version);
        EXPECT_EQ(note.setId, listing.setId);
        EXPECT_EQ(note.validFrom, listing.validFrom);
        EXPECT_EQ(note.files, (std::map<QString, QStringList>{{"front", {"12.img", "37.img"}}, {"rear", {"12.img"}}}));
        EXPECT_TRUE(ReleaseNote::namesId(ReleaseNote::write(listing).toUtf8(), listing.setId));
    }
    // A note written before the message column and its explanation reads alike.
    QStringList oldLines;
    for (const QString& line : text.split('\n'))
        if (!line.startsWith('#'))
            oldLines << line.section('\t', 0, 3);
    const QString old = oldLines.join('\n');
    ASSERT_TRUE(old.contains("\nfile\tframes\tlength\tchecksum\nFront/12.img\t2\t412\t1A2B\n")) << old.toStdString();
    const ReleaseNote before = ReleaseNote::parse(old.toUtf8());
    const ReleaseNote now = ReleaseNote::parse(text.toUtf8());
    EXPECT_EQ(before.files, now.files);
    EXPECT_EQ(before.version, now.version);
    EXPECT_EQ(before.setId, now.setId);
}

TEST(ReleaseNote, FoundBesideTheFilesOrAboveTheirSignFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/release";
    QDir().mkpath(root + "/front");
    QDir().mkpath(root + "/rear");
    QDir().mkpath(dir.path() + "/loose");
    testing_support::writeAll(root + "/release.txt", "Set: City\nVersion 7\n");
    for (const QString& f : {root + "/front/12.img", root + "/rear/12.img", dir.path() + "/loose/a.img"})
        testing_support::writeAll(f, "0000\r\n");

    const ReleaseNote front = ReleaseNote::beside({root + "/front/12.img"});
    EXPECT_EQ(front.set, "City");
    EXPECT_EQ(front.version, 7);
    EXPECT_EQ(front.sign, "front");
    EXPECT_EQ(ReleaseNote::beside({root + "/front/12.img", root + "/rear/12.img"}).sign, "front, rear");

    const ReleaseNote loose = ReleaseNote::beside({dir.path() + "/loose/a.img"});
    EXPECT_TRUE(loose.set.isEmpty() && loose.version == 0 && loose.sign.isEmpty());
    // Files of a release and loose files: the send is of no one version.
    const ReleaseNote mixed = ReleaseNote::beside({root + "/front/12.img", dir.path() + "/loose/a.img"});
    EXPECT_EQ(mixed.version, 0);
    EXPECT_TRUE(mixed.set.isEmpty());
}

} // namespace
