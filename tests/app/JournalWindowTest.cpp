// The send panel's bus number and View > Journal... in the main window.
#include "app/JournalWindow.h"
#include "support/EditorFixture.h"
#include "support/Spoken.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

namespace {

using frames_fixture::EditorTest;
using testing_support::spoken;

class JournalWindowTest : public EditorTest {};

vexel::JournalEntry entry(const QString& bus, int version, const QString& reply)
{
    vexel::JournalEntry e;
    e.time = QDateTime::currentDateTimeUtc().addSecs(version);
    e.bus = bus;
    e.sign = QStringLiteral("front");
    e.set = QStringLiteral("City");
    e.version = version;
    e.files = {QStringLiteral("12.img")};
    e.reply = reply;
    return e;
}

TEST_F(JournalWindowTest, TheWindowOpensOnTheTypedBusAndAnswersWhatItCarries)
{
    openBlank();
    session.setJournalPath(dir.path() + "/journal.sqlite");
    const vexel::SendJournal journal(session.journalPath());
    for (const vexel::JournalEntry& e : {entry("1042", 1, "OK"), entry("1042", 2, "CS"), entry("7", 3, "OK")})
        ASSERT_TRUE(journal.record(e));

    auto* bus = testing_support::controlNamed<QLineEdit>(form, "Edit_Bus");
    ASSERT_TRUE(bus);
    EXPECT_EQ(bus->accessibleName(), "Bus number");
    bus->setFocus();
    QTest::keyClicks(bus, "1042 ");
    QTest::keyClick(bus, Qt::Key_Return);
    EXPECT_EQ(session.settings().busNumber(), "1042");

    auto* journalAction = testing_support::controlNamed<QAction>(form, "Journal1");
    ASSERT_TRUE(journalAction);
    EXPECT_EQ(journalAction->text(), "Journal...");
    journalAction->trigger();
    auto* window = testing_support::controlNamed<JournalWindow>(form, "Journal_Window");
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    // It opens on the bus typed for sending, newest first.
    EXPECT_EQ(window->Edit_Bus->text(), "1042");
    ASSERT_EQ(window->Table_Entries->rowCount(), 2);
    EXPECT_EQ(window->Table_Entries->item(0, 9)->text(), "CS");

    window->Combo_Reply->setCurrentIndex(window->Combo_Reply->findData(QStringLiteral("OK")));
    ASSERT_EQ(window->Table_Entries->rowCount(), 1);
    EXPECT_EQ(window->Table_Entries->item(0, 4)->text(), "1");
    // Assistive tools hear the box by its name, the reply chosen as its description.
    EXPECT_EQ(spoken(window->Combo_Reply, QAccessible::Name), "Reply");
    EXPECT_EQ(spoken(window->Combo_Reply, QAccessible::Description), "OK");

    window->Edit_Sign->setText("front");
    window->Button_Carried->click();
    EXPECT_TRUE(window->Label_Answer->text().contains("version 1 of City")) << window->Label_Answer->text().toStdString();
    EXPECT_EQ(spoken(window->Label_Answer, QAccessible::Name), "Answer");
    EXPECT_EQ(spoken(window->Label_Answer, QAccessible::Description), window->Label_Answer->text());
    window->Edit_Bus->setText("9999");
    window->Refresh_Entries();
    EXPECT_EQ(spoken(window->Label_Answer, QAccessible::Description), "No entries.");
    window->close();
}

} // namespace
