// An open Fleet window hears of a send recorded by another program: the
// journal file and its write-ahead log are watched, and keep being watched
// after SQLite removes and makes the log again.
#include "fleet/FleetWatch.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

JournalEntry sent(const QString& bus)
{
    JournalEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.bus = bus;
    e.sign = QStringLiteral("front");
    e.files = {QStringLiteral("12.img")};
    e.bytes = 100;
    e.checksum = 1;
    e.reply = QStringLiteral("OK");
    return e;
}

} // namespace

TEST(FleetWatch, ASendRecordedElsewhereIsHeard)
{
    QTemporaryDir dir;
    const SendJournal journal(dir.filePath("journal.sqlite"), QString(), QStringLiteral("pc"));
    // Made before the window opens, as it is once anything was sent.
    ASSERT_TRUE(journal.record(sent("1")).ok());
    FleetWatch watch(journal);
    EXPECT_FALSE(watch.listening());
    EXPECT_TRUE(watch.problem().isEmpty());
    QSignalSpy changed(&watch, &FleetWatch::changed);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(SendJournal(journal.path(), QString(), QStringLiteral("other")).record(sent("2")).ok());
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 1, 5000);
    QTest::qWait(2 * FleetWatch::DebounceMs);
    const int before = changed.count();
    ASSERT_TRUE(journal.record(sent("3")).ok());
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() > before, 5000);
}

TEST(FleetWatch, AJournalMadeAfterTheWindowOpenedIsWatched)
{
    QTemporaryDir dir;
    const SendJournal journal(dir.filePath("journal.sqlite"), QString(), QStringLiteral("pc"));
    FleetWatch watch(journal);
    QSignalSpy changed(&watch, &FleetWatch::changed);
    ASSERT_TRUE(journal.record(sent("1")).ok());
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 1, 5000);
    const int before = changed.count();
    QTest::qWait(2 * FleetWatch::DebounceMs);
    ASSERT_TRUE(journal.record(sent("2")).ok());
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() > before, 5000);
}
