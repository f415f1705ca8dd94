// View > Fleet...: the filters, a reload keeping the selected bus, the
// bus's sends, Export CSV and "Send to this bus" through the prompts, and
// the main window putting the bus's codes on its send list.
#include "app/FleetWindow.h"
#include "support/EditorFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

namespace {

using frames_fixture::EditorTest;
using vexel::FleetBusState;
using vexel::FleetSignState;

class FleetWindowTest : public EditorTest {};

FleetBusState bus(const QString& number, const QString& depot, int rearVersion)
{
    FleetBusState b;
    b.bus.number = number;
    b.bus.depot = depot;
    b.bus.set = QStringLiteral("/sets/city.vxset");
    b.bus.codes = {QStringLiteral("37"), QStringLiteral("12")};
    for (const char* name : {"front", "rear"}) {
        FleetSignState s;
        s.sign = QString::fromUtf8(name);
        s.latestVersion = 3;
        s.carriedVersion = s.sign == "rear" ? rearVersion : 3;
        if (s.carriedVersion != 3)
            s.behind = {QStringLiteral("12")};
        b.signs.push_back(s);
    }
    return b;
}

// A release of version 3 with a front folder, as `vexel set release` leaves it.
QString releaseIn(const QString& folder)
{
    const QString release = folder + "release/";
    QDir().mkpath(release + "front");
    for (const char* code : {"12", "37"})
        testing_support::writeAll(release + "front/" + code + ".img", testing_support::blankImageText(96, 16));
    testing_support::writeAll(release + "release.txt", "Vexel Image release\nset: city.vxset\nversion: 3\n");
    return release;
}

TEST_F(FleetWindowTest, FiltersAndReloadsKeepTheSelectedBus)
{
    std::vector<FleetBusState> fleet{bus("101", "North", 3), bus("102", "North", 2), bus("201", "South", 2)};
    session.setJournalPath(dir.path() + "/journal.sqlite");
    vexel::FleetSources sources{[&] { return vexel::Expected<std::vector<FleetBusState>>(fleet); }, {},
                                [this] { return session.journal(); }};
    FleetWindow window(sources, prompter, nullptr);
    window.show();
    EXPECT_EQ(window.Label_Counts->text(), "1 of 3 buses up to date on every sign");
    EXPECT_EQ(window.Combo_Depot->count(), 3);
    for (QComboBox* combo : {window.Combo_Depot, window.Combo_Set, window.Combo_Sign})
        EXPECT_FALSE(combo->accessibleName().isEmpty());
    EXPECT_FALSE(window.Table_Fleet->accessibleName().isEmpty());
    EXPECT_FALSE(window.Table_History->accessibleName().isEmpty());

    window.Select_Bus("102");
    EXPECT_EQ(window.Combo_Sign->count(), 2);
    EXPECT_TRUE(window.Button_Send->isEnabled());
    window.Check_Behind->setChecked(true);
    EXPECT_EQ(window.session().model().rowCount(), 2);
    EXPECT_EQ(window.Selected_Bus(), "102");
    window.Combo_Depot->setCurrentIndex(window.Combo_Depot->findData(QStringLiteral("South")));
    EXPECT_EQ(window.Label_Counts->text(), "0 of 1 bus up to date on every sign");
    EXPECT_TRUE(window.Selected_Bus().isEmpty()) << "102 is not shown";
    EXPECT_FALSE(window.Button_Send->isEnabled());

    window.Combo_Depot->setCurrentIndex(0);
    window.Select_Bus("201");
    // A new bus comes before it: the selection follows the bus, not the row.
    fleet.insert(fleet.begin(), bus("200", "South", 1));
    window.Refresh_Click();
    EXPECT_EQ(window.Selected_Bus(), "201");
    EXPECT_EQ(window.session().model().rowOf("201"), 2);
    // Brought up to date, it leaves the behind-only list.
    fleet.back() = bus("201", "South", 3);
    window.Refresh_Click();
    EXPECT_TRUE(window.Selected_Bus().isEmpty());
    EXPECT_EQ(window.Label_Counts->text(), "0 of 2 buses up to date on every sign");
}

TEST_F(FleetWindowTest, ExportAndRefusedSendGoThroughThePrompts)
{
    std::vector<FleetBusState> fleet{bus("101", "North", 2)};
    fleet[0].releaseFolder = folder + "nowhere/";
    FleetWindow window({[&] { return vexel::Expected<std::vector<FleetBusState>>(fleet); }, {}, {}}, prompter, nullptr);
    window.show();
    window.Select_Bus("101");
    QSignalSpy asked(&window, &FleetWindow::sendRequested);
    window.Button_Send->click();
    EXPECT_EQ(asked.count(), 0);
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.texts("error").front().contains("is not at hand")) << prompter.texts("error").front().toStdString();

    prompter.fileAnswers.push_back(folder + "fleet.csv");
    window.Button_Export->click();
    EXPECT_TRUE(testing_support::readAll(folder + "fleet.csv").startsWith("bus,depot,set,"));

    // With the release at hand, the window asks the editor to send.
    fleet[0].releaseFolder = releaseIn(folder);
    window.Refresh_Click();
    window.Combo_Sign->setCurrentText("front");
    window.Button_Send->click();
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.front().at(1).toString(), "front");
}

TEST_F(FleetWindowTest, SendToThisBusFillsTheMainWindowsSendList)
{
    openBlank();
    auto* fleetAction = testing_support::controlNamed<QAction>(form, "Fleet1");
    ASSERT_TRUE(fleetAction);
    EXPECT_EQ(fleetAction->text(), "Fleet...");
    fleetAction->trigger();
    ASSERT_TRUE(testing_support::controlNamed<FleetWindow>(form, "Fleet_Window"));

    FleetBusState state = bus("1042", "North", 2);
    state.releaseFolder = releaseIn(folder);
    emit testing_support::controlNamed<FleetWindow>(form, "Fleet_Window")->sendRequested(state, "front");
    EXPECT_EQ(session.sendList().entries(), QStringList({"37.img", "12.img"}));
    EXPECT_EQ(session.settings().busNumber(), "1042");
    EXPECT_EQ(testing_support::controlNamed<QLineEdit>(form, "Edit_Bus")->text(), "1042");
}

} // namespace
