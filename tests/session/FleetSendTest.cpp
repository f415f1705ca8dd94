// "Send to this bus" against a release made here: the bus's codes for one
// sign on the send list with the bus number filled in, every code for "*",
// and each refusal with its reason.
#include "sets/DestinationSet.h"
#include "lettering/FontList.h"
#include "session/FleetSession.h"
#include "fleet/SetRelease.h"
#include "settings/AppSettings.h"

#include "SessionFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace vexel;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

const char* const FrontLayout = R"({ "font": "Vexel LED", "height": 11, "frames": [
    { "preset": "number", "number": "{route}", "destination": "{destination_en}" } ] })";

class FleetSendTest : public session_testing::SessionTest {
protected:
    void SetUp() override
    {
        started();
        FontList::Places places;
        places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
        places.systemFonts = false;
        FontList fonts(places);
        auto made = DestinationSet::create(folder + "city.vxset", {VehicleSign{"front", 96, 24, FrontLayout}});
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        for (const char* code : {"12", "37", "61"}) {
            Destination d;
            d.code = d.route = QString::fromUtf8(code);
            d.destinationEn = QStringLiteral("Airport");
            ASSERT_TRUE((*made)->addDestination(d).ok());
        }
        release = folder + "release/";
        const Expected<ReleaseReport> report = SetRelease::release(**made, fonts, release, {});
        ASSERT_TRUE(report.ok()) << report.error().toStdString();
        state.bus.number = QStringLiteral("1042");
        state.bus.depot = QStringLiteral("North");
        state.bus.set = folder + "city.vxset";
        state.bus.codes = {QStringLiteral("37"), QStringLiteral("12")};
        state.releaseFolder = release;
        FleetSignState front;
        front.sign = QStringLiteral("front");
        front.latestVersion = report->version;
        state.signs = {front};
    }

    QString release;
    FleetBusState state;
};

} // namespace

TEST_F(FleetSendTest, TheBusCodesGoOnTheSendListWithItsNumber)
{
    ASSERT_TRUE(FleetSession::sendToBus(session, state, "front").ok());
    EXPECT_EQ(QDir(doc().folder()), QDir(release + "front"));
    EXPECT_EQ(session.sendList().entries(), QStringList({"37.img", "12.img"}));
    EXPECT_EQ(session.settings().busNumber(), "1042");
    for (const Finding& f : session.preflight())
        ADD_FAILURE() << f.line().toStdString();

    state.bus.codes = {QStringLiteral("*")};
    state.bus.number = QStringLiteral("77");
    ASSERT_TRUE(FleetSession::sendToBus(session, state, "front").ok());
    EXPECT_EQ(session.sendList().entries(), QStringList({"12.img", "37.img", "61.img"}));
    EXPECT_EQ(session.settings().busNumber(), "77");
}

// The files are checked against the bus's sign, whatever the board in use.
TEST_F(FleetSendTest, TheCheckBeforeSendHoldsTheFilesAgainstTheBusSign)
{
    session.settings().setBoardWidth(160);
    session.settings().setBoardHeight(19);
    state.signs[0].width = 96;
    state.signs[0].height = 24;
    ASSERT_TRUE(FleetSession::sendToBus(session, state, "front").ok());
    for (const Finding& f : session.preflight())
        ADD_FAILURE() << f.line().toStdString();

    // The bus's set says the sign is another size than the release's.
    state.signs[0].width = 112;
    state.signs[0].height = 16;
    ASSERT_TRUE(FleetSession::sendToBus(session, state, "front").ok());
    int sized = 0;
    for (const Finding& f : session.preflight())
        if (f.kind == Finding::Kind::BoardSize) {
            ++sized;
            EXPECT_TRUE(f.message.endsWith("not for the 112 x 16 board of the front sign.")) << f.line().toStdString();
        }
    EXPECT_EQ(sized, 2) << "37.img and 12.img";
}

TEST_F(FleetSendTest, ARefusalSaysWhyAndLeavesTheSendListAlone)
{
    struct Case {
        const char* name;
        std::function<void(FleetBusState&)> change;
        const char* reason;
    };
    QStringList many;
    for (int i = 0; i < 256; ++i)
        many << QString::number(i);
    const std::vector<Case> cases{
        {"no folder known", [](FleetBusState& s) { s.releaseFolder.clear(); }, "is not known on this PC"},
        {"folder missing", [this](FleetBusState& s) { s.releaseFolder = folder + "gone/"; }, "is not at hand"},
        {"not a release", [this](FleetBusState& s) { s.releaseFolder = folder; }, "has no release.txt"},
        {"another version", [](FleetBusState& s) { s.signs[0].latestVersion += 1; }, "not the latest version"},
        {"another set", [](FleetBusState& s) { s.setId = QStringLiteral("a7f3-other"); }, "release of another set"},
        {"no such sign", [](FleetBusState& s) { s.signs[0].sign = QStringLiteral("rear"); }, "no sign front"},
        {"a code not released", [](FleetBusState& s) { s.bus.codes << QStringLiteral("99"); }, "99.img"},
        {"more than one message", [&](FleetBusState& s) { s.bus.codes = many; }, "at most 255 files"},
    };
    session.sendList().setEntries({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FleetBusState changed = state;
        c.change(changed);
        const Status sent = FleetSession::sendToBus(session, changed, "front");
        ASSERT_FALSE(sent.ok());
        EXPECT_NE(sent.error().toStdString().find(c.reason), std::string::npos) << sent.error().toStdString();
        EXPECT_TRUE(session.sendList().entries().isEmpty());
        EXPECT_NE(session.settings().busNumber(), "1042");
    }
}

TEST_F(FleetSendTest, ASetIdInReleaseTextIsFoundWhateverItsKey)
{
    state.setId = QStringLiteral("5c1d7e2a");
    QByteArray text = readAll(release + "release.txt");
    writeAll(release + "release.txt", text.replace("time:", "set id: 5c1d7e2a\ntime:"));
    EXPECT_TRUE(FleetSession::releaseProblem(state, "front").isEmpty())
        << FleetSession::releaseProblem(state, "front").toStdString();
}
