// The layout of a route set: defaults, per-frame keys, and refusals that
// name the key at fault.
#include "depot/RouteLayout.h"

#include <gtest/gtest.h>

using namespace vexel;

TEST(RouteLayout, FramesTakeTheDefaultsAndTheirOwnKeys)
{
    const QByteArray json = R"({
        "board": { "width": 128, "height": 32 },
        "font": "Vexel LED", "letterSpacing": 1, "duration": 4000, "exit": 3,
        "frames": [
            { "preset": "number", "destination": "{destination_ka}" },
            { "preset": "two-lines", "upper": "{{via}}", "lower": "{via}", "entry": 2, "duration": 2500 },
            { "preset": "one-text", "text": "{route}", "fit": false, "height": 7, "align": "left",
              "window": { "x": 8, "y": 4, "h": 20 } }
        ] })";
    const Expected<RouteLayout> layout = RouteLayout::parse(json, QStringLiteral("layout.json"));
    ASSERT_TRUE(layout.ok()) << layout.error().toStdString();
    EXPECT_EQ(layout->boardWidth, 128);
    EXPECT_EQ(layout->boardHeight, 32);
    ASSERT_EQ(layout->frames.size(), 3u);
    const RouteFrame& number = layout->frames[0];
    EXPECT_EQ(number.preset, RouteFrame::Preset::NumberAndDestination);
    EXPECT_EQ(number.number, QStringLiteral("{route}"));
    EXPECT_EQ(number.style.letterSpacing, 1);
    EXPECT_EQ(number.duration, 4000);
    EXPECT_EQ(number.exit, 3);
    EXPECT_FALSE(number.window.has_value());
    EXPECT_EQ(number.columns(), (std::vector<QString>{"route", "destination_ka"}));

    const RouteFrame& two = layout->frames[1];
    EXPECT_EQ(two.preset, RouteFrame::Preset::TwoLines);
    EXPECT_EQ(two.entry, 2);
    EXPECT_EQ(two.duration, 2500);
    EXPECT_EQ(two.columns(), (std::vector<QString>{"via"}));

    const RouteFrame& one = layout->frames[2];
    EXPECT_FALSE(one.fit);
    EXPECT_EQ(one.style.height, 7);
    EXPECT_EQ(one.style.hAlign, HAlign::Left);
    ASSERT_TRUE(one.window.has_value());
    EXPECT_EQ(*one.window, (FrameRect{8, 4, 120, 20})); // the width runs to the board's edge

    const std::map<QString, QString> values{{"via", "Vake"}, {"route", "12"}};
    EXPECT_EQ(RouteLayout::expand(two.upper, values), QStringLiteral("{via}"));
    EXPECT_EQ(RouteLayout::expand(QStringLiteral("{route} to {via}}}"), values), QStringLiteral("12 to Vake}"));
}

TEST(RouteLayout, RefusalsNameTheKey)
{
    struct Case {
        const char* json;
        const char* message;
    };
    const Case cases[] = {
        {"{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"x\" } ],\n \"font\": }",
         "line 2: "},
        {"{ \"board\": { \"width\": 500 }, \"frames\": [] }", "board.width: must be a whole number from 1 to 488"},
        {"{ \"board\": { \"wide\": 5 }, \"frames\": [] }", "board.wide: unknown key"},
        {"{ \"frames\": [] }", "frames: must be a list of 1 to 256 frames"},
        {"{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"x\", \"duratoin\": 5 } ] }",
         "frames[0].duratoin: unknown key"},
        {"{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"x\", \"duration\": 2.5 } ] }",
         "frames[0].duration: must be a whole number from 0 to 65535"},
        {"{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"x\", \"max_pages\": 0 } ] }",
         "frames[0].max_pages: must be a whole number from 1 to 256"},
        {"{ \"frames\": [ { \"preset\": \"banner\" } ] }", "frames[0].preset: must be one of"},
        {"{ \"frames\": [ { \"preset\": \"number\" } ] }", "frames[0].destination: missing"},
        {"{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"{town}\" } ] }",
         "frames[0].destination: {town} is no column"},
        {"{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"x\", \"text\": \"y\" } ] }",
         "frames[0].text: not used by the \"number\" preset"},
        {"{ \"frames\": [ { \"preset\": \"two-lines\", \"text\": \"a\", \"upper\": \"b\" } ] }",
         "frames[0].text: give either \"text\" or \"upper\" and \"lower\""},
        {"{ \"frames\": [ { \"preset\": \"one-text\", \"text\": \"a\", \"window\": { \"x\": 90, \"w\": 10 } } ] }",
         "frames[0].window.w: the window reaches past the 96 x 24 board"},
    };
    for (const Case& c : cases) {
        const Expected<RouteLayout> layout = RouteLayout::parse(c.json, QStringLiteral("layout.json"));
        ASSERT_FALSE(layout.ok()) << c.json;
        EXPECT_EQ(layout.error().toStdString().rfind("Cannot read layout \"layout.json\": ", 0), 0u) << layout.error().toStdString();
        EXPECT_NE(layout.error().toStdString().find(c.message), std::string::npos) << layout.error().toStdString();
    }
}

TEST(RouteLayout, NumberFontAndFittingOrderKeys)
{
    const Expected<RouteLayout> layout = RouteLayout::parse(
        R"({ "number_font": "Vexel LED Numbers", "max_pages": 3, "frames": [
               { "preset": "number", "destination": "x" },
               { "preset": "number", "destination": "x", "number_font": "Other", "doubled": false,
                 "max_pages": 1 },
               { "preset": "one-text", "text": "x", "tightSpacing": false } ] })",
        QStringLiteral("layout.json"));
    ASSERT_TRUE(layout.ok()) << layout.error().toStdString();
    EXPECT_EQ(layout->frames[0].numberFont, QStringLiteral("Vexel LED Numbers"));
    EXPECT_TRUE(layout->frames[0].order.doubled);
    EXPECT_TRUE(layout->frames[0].order.tightSpacing);
    EXPECT_EQ(layout->frames[1].numberFont, QStringLiteral("Other"));
    EXPECT_FALSE(layout->frames[1].order.doubled);
    EXPECT_FALSE(layout->frames[2].order.tightSpacing);
    EXPECT_EQ(layout->frames[0].maxPages, 3);
    EXPECT_EQ(layout->frames[1].maxPages, 1);
    EXPECT_EQ(RouteLayout::defaultFrame().maxPages, 0); // as many as the image holds

    const Expected<RouteLayout> misplaced = RouteLayout::parse(
        R"({ "frames": [ { "preset": "two-lines", "text": "x", "number_font": "N" } ] })", QStringLiteral("l.json"));
    ASSERT_FALSE(misplaced.ok());
    EXPECT_NE(misplaced.error().toStdString().find("frames[0].number_font: not used by the \"two-lines\" preset"), std::string::npos)
        << misplaced.error().toStdString();
    const Expected<RouteLayout> wrongType =
        RouteLayout::parse(R"({ "doubled": "no", "frames": [ { "preset": "one-text", "text": "x" } ] })",
                           QStringLiteral("l.json"));
    ASSERT_FALSE(wrongType.ok());
    EXPECT_NE(wrongType.error().toStdString().find("doubled: must be true or false"), std::string::npos) << wrongType.error().toStdString();
}

TEST(RouteLayout, SeveralSignsEachWithItsBoardAndTheTopDefaults)
{
    const Expected<std::vector<RouteSignLayout>> signs = RouteLayout::parseSigns(
        R"({ "font": "Vexel LED", "duration": 4000,
             "signs": [
               { "name": "front", "board": { "width": 160, "height": 19 }, "entry": 2,
                 "frames": [ { "preset": "number", "number": "{code}", "destination": "{via_ka}" } ] },
               { "name": "rear", "board": { "width": 28, "height": 16 }, "duration": 9000,
                 "frames": [ { "preset": "one-text", "text": "{route}", "duration": 100 },
                             { "preset": "one-text", "text": "{via_en}" } ] } ] })",
        QStringLiteral("bus.json"));
    ASSERT_TRUE(signs.ok()) << signs.error().toStdString();
    ASSERT_EQ(signs->size(), 2u);
    const RouteSignLayout& front = (*signs)[0];
    EXPECT_EQ(front.name, QStringLiteral("front"));
    EXPECT_EQ(front.layout.boardWidth * 100 + front.layout.boardHeight, 16019);
    EXPECT_EQ(front.layout.frames[0].duration, 4000);
    EXPECT_EQ(front.layout.frames[0].entry, 2);
    EXPECT_EQ(front.layout.frames[0].columns(), (std::vector<QString>{"code", "via_ka"}));
    const RouteSignLayout& rear = (*signs)[1];
    EXPECT_EQ(rear.layout.frames[0].duration, 100);
    EXPECT_EQ(rear.layout.frames[1].duration, 9000);
    EXPECT_EQ(rear.layout.frames[0].entry, 0); // the front's own key stays the front's

    // A layout of one board is one sign without a name.
    const auto one = RouteLayout::parseSigns(R"({ "frames": [ { "preset": "one-text", "text": "{code}" } ] })",
                                             QStringLiteral("one.json"));
    ASSERT_TRUE(one.ok()) << one.error().toStdString();
    ASSERT_EQ(one->size(), 1u);
    EXPECT_TRUE((*one)[0].name.isEmpty());

    const char* frame = R"("frames": [ { "preset": "one-text", "text": "x" } ])";
    auto sign = [&](const char* name) {
        return QStringLiteral(R"({ "name": %1, "board": { "width": 8, "height": 8 }, %2 })")
            .arg(QString::fromUtf8(name), QString::fromUtf8(frame));
    };
    struct Case {
        QString json;
        const char* message;
    };
    const Case cases[] = {
        {QStringLiteral(R"({ "signs": [] })"), "signs: must be a list of 1 to 64 signs"},
        {QStringLiteral(R"({ "signs": [ 5 ] })"), "signs[0]: must be an object in braces"},
        {QStringLiteral(R"({ "board": { "width": 8 }, "signs": [ %1 ] })").arg(sign("\"a\"")),
         "board: each sign names its own; put it in the sign"},
        {QStringLiteral(R"({ "signs": [ { "board": { "width": 8, "height": 8 }, %1 } ] })")
             .arg(QString::fromUtf8(frame)),
         "signs[0].name: missing"},
        {QStringLiteral(R"({ "signs": [ { "name": "a", %1 } ] })").arg(QString::fromUtf8(frame)),
         "signs[0].board: missing"},
        {QStringLiteral(R"({ "signs": [ %1 ] })").arg(sign("\"../up\"")), "signs[0].name: the sign's name"},
        {QStringLiteral(R"({ "signs": [ %1, %2 ] })").arg(sign("\"Front\""), sign("\"front\"")),
         "signs[1].name: \"front\" names another sign already"},
        {QStringLiteral(R"({ "signs": [ { "name": "a", "board": { "width": 8, "height": 8 },
            "frames": [ { "preset": "one-text", "text": "{via_xx}" } ] } ] })"),
         "signs[0].frames[0].text: {via_xx} is no column; the columns are {route}, {destination_ka}, "
         "{destination_en}, {via}, {code}, {via_ka}, {via_en} and {service}"},
        {QStringLiteral(R"({ "signs": [ { "name": "a", "board": { "height": 200 }, %1 } ] })")
             .arg(QString::fromUtf8(frame)),
         "signs[0].board.height: must be a whole number from 1 to 100"},
    };
    for (const Case& c : cases) {
        const auto parsed = RouteLayout::parseSigns(c.json.toUtf8(), QStringLiteral("bus.json"));
        ASSERT_FALSE(parsed.ok()) << c.json.toStdString();
        EXPECT_EQ(parsed.error().toStdString().rfind("Cannot read layout \"bus.json\": ", 0), 0u) << parsed.error().toStdString();
        EXPECT_NE(parsed.error().toStdString().find(c.message), std::string::npos) << parsed.error().toStdString();
    }
    // A sign's own layout, as a set keeps it, is one board.
    const auto nested = RouteLayout::parse(QStringLiteral(R"({ "signs": [ %1 ] })").arg(sign("\"a\"")).toUtf8(),
                                           QStringLiteral("sign.json"));
    ASSERT_FALSE(nested.ok());
    EXPECT_NE(nested.error().toStdString().find("signs: this layout names several signs"), std::string::npos) << nested.error().toStdString();
}
