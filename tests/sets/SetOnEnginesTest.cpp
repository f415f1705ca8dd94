// A destination set's use on either engine, with the same expectations: a
// file set in this binary, a server set in the one with a cluster.
#include "sets/DestinationSet.h"
#include "store/ServerAddress.h"
#include "sets/SetContents.h"
#include "sets/SetCopy.h"
#include "store/SetSchema.h"
#include "sets/SetOnEngines.h"
#include "depot/TextLimit.h"
#include "sets/VersionDiff.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QDateTime>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <functional>

#include <gtest/gtest.h>

using namespace vexel;
using set_test::Engine;

namespace {

const char* const NumberLayout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

VehicleSign sign(const char* name, int w, int h, const char* layout = NumberLayout)
{
    return VehicleSign{QString::fromUtf8(name), w, h, QString::fromUtf8(layout)};
}

Destination destination(const QString& code, const QString& ka, const QString& en = {}, const QString& via = {})
{
    Destination d;
    d.code = d.route = code;
    d.destinationKa = ka;
    d.destinationEn = en;
    d.viaKa = via;
    return d;
}

Destination destination(const char* code, const char* ka, const char* en = "", const char* via = "")
{
    return destination(QString::fromUtf8(code), QString::fromUtf8(ka), QString::fromUtf8(en), QString::fromUtf8(via));
}

ImageRecord image(int w, int h, unsigned seed)
{
    return *ImageFile::parse(testing_support::randomImageText(2, w, h, seed));
}

// What a release would keep: the set's destinations and overrides and an
// image of each destination on each sign, drawn from `seed`.
SetVersion released(const DestinationSet& set, unsigned seed, const QString& note = {})
{
    SetVersion v;
    v.note = note;
    v.destinations = *set.destinations();
    v.overrides = *set.overrides();
    const std::vector<VehicleSign> signs = *set.signs();
    for (const VehicleSign& s : signs)
        for (const Destination& d : v.destinations)
            v.images.push_back({s.name, d.code, image(s.width, s.height, seed + qHash(d.code + d.destinationKa))});
    return v;
}

class SetOnEnginesTest : public set_test::SetOnEngines {
protected:
    using SetOnEngines::make;
    std::unique_ptr<DestinationSet> make() { return make({sign("front", 160, 19), sign("rear", 28, 16)}); }

    // A second editor of the same set. A file's lock keeps a second editor
    // out, so it stands for one whose lock was removed by hand.
    std::unique_ptr<DestinationSet> secondEditor()
    {
        if (GetParam() == Engine::File)
            QFile::remove(DestinationSet::lockPath(path));
        return open(DestinationSet::Access::Edit);
    }
};

} // namespace

TEST_P(SetOnEnginesTest, ChangesAreKeptAcrossReopening)
{
    {
        auto set = make();
        ASSERT_TRUE(set);
        EXPECT_FALSE(set->readOnly());
        ASSERT_TRUE(set->addDestination(destination("12", "აეროპორტი", "Airport", "ვაკე")).ok());
        ASSERT_TRUE(set->addDestination(destination("12R", "", "Didube")).ok()); // Latin only
        ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());
        Destination renamed = destination("61", "გლდანი");
        renamed.note = QStringLiteral("night only");
        renamed.inUse = false;
        ASSERT_TRUE(set->updateDestination(QStringLiteral("37"), renamed).ok());
        ASSERT_TRUE(set->removeDestination(QStringLiteral("12R")).ok());

        SignOverride image;
        image.code = QStringLiteral("12");
        image.sign = QStringLiteral("rear");
        image.image = *ImageFile::parse(testing_support::blankImageText(28, 16));
        image.madeFrom = destination("12", "აეროპორტი", "Airport", "ვაკე");
        ASSERT_TRUE(set->storeOverride(image).ok());
        // Codes and sign names name files: "12r" is "12R" on Windows.
        EXPECT_FALSE(set->addDestination(destination("61", "x")).ok());
        EXPECT_FALSE(set->addDestination(destination("12r", "x")).ok() &&
                     set->addDestination(destination("12R", "y")).ok());
    }
    auto reopened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    const DestinationSet& set = *reopened.value();
    EXPECT_TRUE(set.readOnly());
    const std::vector<Destination> all = *set.destinations();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], destination("12", "აეროპორტი", "Airport", "ვაკე"));
    EXPECT_EQ(all[1].code, QStringLiteral("61"));
    EXPECT_EQ(all[1].note, QStringLiteral("night only"));
    EXPECT_FALSE(all[1].inUse);
    EXPECT_EQ(all[2].code, QStringLiteral("12r"));

    const std::vector<VehicleSign> signs = *set.signs();
    ASSERT_EQ(signs.size(), 2u);
    EXPECT_EQ(signs[0].name, QStringLiteral("front"));
    EXPECT_EQ(signs[1].width, 28);
    EXPECT_EQ(signs[1].routeLayout()->boardWidth, 28);

    const std::vector<SignOverride> images = *set.overrides();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image, *ImageFile::parse(testing_support::blankImageText(28, 16)));
    EXPECT_FALSE(images[0].staleFor(all[0]));
    Destination edited = all[0];
    edited.viaKa = QStringLiteral("საბურთალო");
    EXPECT_TRUE(images[0].staleFor(edited));
    edited = all[0];
    edited.note = QStringLiteral("a note is no text of the sign");
    EXPECT_FALSE(images[0].staleFor(edited));
}

TEST_P(SetOnEnginesTest, MergeReportsAndIsAllOrNothing)
{
    auto set = make();
    ASSERT_TRUE(set);
    Destination kept = destination("12", "აეროპორტი", "Airport");
    kept.note = QStringLiteral("kept");
    ASSERT_TRUE(set->addDestination(kept).ok());
    ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());

    const auto report = set->merge({destination("12", "აეროპორტი", "Airport"), destination("37", "დიდუბე", "Didube"),
                                     destination("88", "ვარკეთილი")});
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(report->added, QStringList{QStringLiteral("88")});
    EXPECT_EQ(report->changed, QStringList{QStringLiteral("37")});
    EXPECT_EQ(report->unchanged, QStringList{QStringLiteral("12")});
    EXPECT_EQ(set->destinations()->front().note, QStringLiteral("kept"));

    // A destination without text part-way: nothing of the merge is kept.
    const auto refused = set->merge({destination("90", "ა"), destination("91", "", ""), destination("92", "ბ")});
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("destination 91 has no destination text"), std::string::npos) << refused.error().toStdString();
    EXPECT_EQ(set->destinations()->size(), 3u);
}

TEST_P(SetOnEnginesTest, BadValuesAreRefusedWithTheReason)
{
    auto set = make();
    ASSERT_TRUE(set);
    const std::pair<Destination, const char*> destinations[] = {
        {destination("", "ა"), "the code is empty"},
        {destination("../x", "ა"), "a file name cannot hold"},
        {destination("-rf", "ა"), "begins with \"-\""},
        {destination("lpt1.img", "ა"), "a device"},
        {destination("7", " ", ""), "no destination text"},
    };
    for (const auto& [d, reason] : destinations) {
        const Status added = set->addDestination(d);
        ASSERT_FALSE(added.ok()) << reason;
        EXPECT_NE(added.error().toStdString().find(reason), std::string::npos) << added.error().toStdString();
        EXPECT_EQ(added.error().toStdString().rfind("Cannot change destination set \"", 0), 0u) << added.error().toStdString();
    }
    const std::pair<VehicleSign, const char*> signs[] = {
        {sign("big", 489, 19), "not a board size"},
        {sign("flat", 96, 0), "not a board size"},
        {sign("nul", 96, 24), "a device"},
        {sign("odd", 96, 24, "{ \"frames\": 3 }"), "frames: must be a list"},
        {sign("other", 96, 24, R"({ "board": { "width": 128, "height": 24 }, "frames": [] })"), "not the sign's size"},
        {sign("Front", 96, 24), "is there already"},
    };
    for (const auto& [s, reason] : signs) {
        const Status added = set->addSign(s);
        ASSERT_FALSE(added.ok()) << reason;
        EXPECT_NE(added.error().toStdString().find(reason), std::string::npos) << added.error().toStdString();
    }
    // An override bigger than its sign, and a sign made too small for one.
    ASSERT_TRUE(set->addDestination(destination("12", "ა")).ok());
    SignOverride image{QStringLiteral("12"), QStringLiteral("rear"),
                       *ImageFile::parse(testing_support::blankImageText(96, 24)), destination("12", "ა")};
    EXPECT_FALSE(set->storeOverride(image).ok());
    image.sign = QStringLiteral("front");
    image.image = *ImageFile::parse(testing_support::blankImageText(160, 19));
    ASSERT_TRUE(set->storeOverride(image).ok());
    EXPECT_FALSE(set->updateSign(QStringLiteral("front"), sign("front", 96, 19)).ok());
    EXPECT_EQ(set->signs()->front().width, 160);
    ASSERT_TRUE(set->removeSign(QStringLiteral("front")).ok());
    EXPECT_TRUE(set->overrides()->empty());
}

TEST_P(SetOnEnginesTest, WordListsAndSignPitchAreKeptAndCheckedAsRead)
{
    {
        auto set = make();
        ASSERT_TRUE(set);
        const Expected<SetWords> fresh = set->words();
        ASSERT_TRUE(fresh.ok()) << fresh.error().toStdString();
        EXPECT_EQ(fresh->viaSeparators, QStringList{QStringLiteral(" via ")});

        SetWords words;
        words.abbreviations = {{QStringLiteral("en"), QStringLiteral("Avenue"), QStringLiteral("Av")},
                               {QStringLiteral("ka"), QStringLiteral("გამზირი"), QStringLiteral("გამზ.")}};
        words.upperWords = {QStringLiteral("SBS"), QStringLiteral("JFK")};
        words.viaSeparators = {QStringLiteral(" via "), QStringLiteral(" - ")};
        ASSERT_TRUE(set->setWords(words).ok());

        SetWords twice = words;
        twice.abbreviations.push_back(twice.abbreviations.front());
        SetWords script = words;
        script.abbreviations.front().script = QStringLiteral("ru");
        SetWords empty = words;
        empty.upperWords.append(QString());
        for (const SetWords& bad : {twice, script, empty})
            EXPECT_FALSE(set->setWords(bad).ok());
        EXPECT_EQ(*set->words(), words);

        VehicleSign front = sign("front", 160, 19);
        front.pitchMm = 8;
        front.place = QStringLiteral("front");
        ASSERT_TRUE(set->updateSign(QStringLiteral("front"), front).ok());
        VehicleSign bad = front;
        bad.place = QStringLiteral("roof");
        EXPECT_NE(set->updateSign(QStringLiteral("front"), bad).error().toStdString().find("not one of front, side"),
                  std::string::npos);
        bad = front;
        bad.pitchMm = -1;
        EXPECT_FALSE(set->updateSign(QStringLiteral("front"), bad).ok());
    }
    auto reopened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    EXPECT_EQ(reopened.value()->words()->upperWords.size(), 2);
    EXPECT_EQ(reopened.value()->signs()->front().pitchMm, 8.0);
    EXPECT_EQ(reopened.value()->signs()->front().place, QStringLiteral("front"));
}

TEST_P(SetOnEnginesTest, WhatLetteringReadsIsReadAsOneStateAndLeavesTheSetFreeToChange)
{
    auto set = make();
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->addDestination(destination("12", "აეროპორტი", "Airport")).ok());
    SignOverride byHand;
    byHand.code = QStringLiteral("12");
    byHand.sign = QStringLiteral("rear");
    byHand.image = image(28, 16, 7);
    ASSERT_TRUE(set->storeOverride(byHand).ok());
    SetWords words;
    words.upperWords = {QStringLiteral("SBS")};
    ASSERT_TRUE(set->setWords(words).ok());

    const Expected<SetContents> contents = SetContents::read(*set);
    ASSERT_TRUE(contents.ok()) << contents.error().toStdString();
    EXPECT_EQ(contents->destinations.size(), 1u);
    EXPECT_EQ(contents->signs.size(), 2u);
    EXPECT_EQ(contents->words, words);
    ASSERT_NE(contents->byHand(QStringLiteral("12"), QStringLiteral("REAR")), nullptr);
    EXPECT_EQ(contents->byHand(QStringLiteral("12"), QStringLiteral("front")), nullptr);

    // A reading that fails says why and ends; the set changes afterwards.
    const Status refused = set->readTogether([&] {
        EXPECT_TRUE(set->destinations().ok());
        return Status::failure(QStringLiteral("stopped on purpose"));
    });
    EXPECT_EQ(refused.error(), QStringLiteral("stopped on purpose"));
    ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());

    // On a server another editor's change made meanwhile is not seen half
    // way (a file's reader keeps writers out until it is done).
    auto other = GetParam() == Engine::Server ? secondEditor() : nullptr;
    std::size_t first = 0;
    std::size_t second = 0;
    const Status read = set->readTogether([&] {
        first = set->destinations()->size();
        if (other) {
            EXPECT_TRUE(other->addDestination(destination("61", "გლდანი")).ok());
        }
        second = set->destinations()->size();
        return Status::success();
    });
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(first, 2u);
    EXPECT_EQ(second, 2u);
    ASSERT_TRUE(set->removeDestination(QStringLiteral("37")).ok());
    EXPECT_EQ(set->destinations()->size(), other ? 2u : 1u);
}

TEST_P(SetOnEnginesTest, VersionsAreKeptListedAndRestored)
{
    auto set = make();
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->addDestination(destination("12", "ვაკე", "Vake")).ok());
    ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());
    SignOverride hand{QStringLiteral("37"), QStringLiteral("rear"), image(28, 16, 99), destination("37", "დიდუბე")};
    ASSERT_TRUE(set->storeOverride(hand).ok());
    ASSERT_TRUE(set->apply({destination("12", "ვაკე", "Vake")}, {}, QStringLiteral("feed-2026-03")).ok());

    const SetVersion first = released(*set, 1, QStringLiteral("spring"));
    ASSERT_EQ(*set->addVersion(first), 1);

    // The next step comes from a feed without a version: the last one stays.
    ASSERT_TRUE(set->apply({destination("12", "ვაკე-საბურთალო", "Vake")}, {QStringLiteral("37")}, {}).ok());
    ASSERT_TRUE(set->addDestination(destination("61", "გლდანი")).ok());
    SetVersion second = released(*set, 2, QStringLiteral("summer"));
    ASSERT_EQ(*set->addVersion(second), 2);

    const auto list = set->versions();
    ASSERT_TRUE(list.ok()) << list.error().toStdString();
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].note, QStringLiteral("spring"));
    EXPECT_EQ((*list)[1].feedVersion, QStringLiteral("feed-2026-03"));
    EXPECT_TRUE((*list)[1].images.empty());
    EXPECT_EQ((*list)[1].imageCount, 4);
    EXPECT_EQ((*list)[1].added, 1);   // 61
    EXPECT_EQ((*list)[1].changed, 1); // 12's text and images
    EXPECT_EQ((*list)[1].removed, 1); // 37
    EXPECT_TRUE((*list)[0].time.isValid());

    // Every image comes back as the file it was, byte for byte.
    const Expected<SetVersion> back = set->version(1);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    ASSERT_EQ(back->images.size(), first.images.size());
    for (std::size_t i = 0; i < first.images.size(); ++i) {
        EXPECT_EQ(back->images[i].sign, first.images[i].sign);
        EXPECT_EQ(back->images[i].code, first.images[i].code);
        EXPECT_EQ(back->images[i].image.text(), first.images[i].image.text());
    }
    ASSERT_EQ(back->overrides.size(), 1u);
    EXPECT_EQ(back->overrides[0].image, hand.image);
    EXPECT_FALSE(set->version(3).ok());

    // Restoring 1 brings back its destinations and override as a change of
    // the set; 61, which it did not have, stays out of use; both versions stay.
    ASSERT_TRUE(set->restoreVersion(1).ok());
    std::vector<Destination> now = *set->destinations();
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(now[2].code, QStringLiteral("61"));
    EXPECT_FALSE(now[2].inUse);
    now.pop_back();
    EXPECT_EQ(now, first.destinations);
    ASSERT_EQ(set->overrides()->size(), 1u);
    EXPECT_EQ((*set->overrides())[0].image, hand.image);
    EXPECT_EQ(set->versions()->size(), 2u);
    ASSERT_TRUE(set->removeDestination(QStringLiteral("61")).ok());
    const Expected<int> third = set->addVersion(released(*set, 1));
    ASSERT_EQ(*third, 3);
    EXPECT_TRUE(set->compareVersions(1, 3)->isEmpty());
    EXPECT_EQ(set->compareVersions(2, 3)->changes.size(), 3u);

    // A read-only set changes nothing.
    set.reset();
    auto read = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.value()->addVersion(first).ok());
    EXPECT_FALSE(read.value()->restoreVersion(2).ok());
}

TEST_P(SetOnEnginesTest, TwoVersionsCompareByDestinationAndSign)
{
    SetVersion a;
    a.number = 1;
    a.destinations = {destination("12", "ვაკე"), destination("37", "დიდუბე"), destination("61", "გლდანი")};
    SetVersion b = a;
    b.number = 2;
    b.destinations[0].destinationKa = QStringLiteral("ვაკე-2");
    b.destinations.erase(b.destinations.begin() + 1);
    b.destinations.push_back(destination("90", "", "Airport"));
    for (const Destination& d : a.destinations)
        for (const char* sign : {"front", "rear"})
            a.images.push_back({QLatin1String(sign), d.code, image(28, 16, qHash(d.code))});
    for (const Destination& d : b.destinations)
        for (const char* sign : {"front", "rear"})
            b.images.push_back({QLatin1String(sign), d.code, image(28, 16, qHash(d.code))});
    b.images[3].image = image(28, 16, 7); // 61 on the rear, texts the same

    const VersionDiff diff = diffVersions(a, b);
    ASSERT_EQ(diff.changes.size(), 4u);
    EXPECT_EQ(diff.count(VersionChange::Kind::Added), 1);
    EXPECT_EQ(diff.count(VersionChange::Kind::Removed), 1);
    const VersionChange& renamed = diff.changes[0];
    EXPECT_EQ(renamed.code, QStringLiteral("12"));
    ASSERT_EQ(renamed.texts.size(), 1u);
    EXPECT_EQ(renamed.texts[0].field, QStringLiteral("destination_ka"));
    const VersionChange& redrawn = diff.changes[1];
    EXPECT_EQ(redrawn.code, QStringLiteral("61"));
    EXPECT_TRUE(redrawn.texts.empty());
    ASSERT_EQ(redrawn.images.size(), 1u);
    EXPECT_EQ(redrawn.images[0].sign, QStringLiteral("rear"));
    EXPECT_EQ(diff.changes[3].images.size(), 2u); // 37 gone from both signs
    EXPECT_FALSE(diff.changes[3].images[0].after.has_value());

    const QStringList lines = versionDiffLines(diff);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("~ 61: signs rear"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("+ 90 "))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("- 37 "))) << lines[3].toStdString();
    EXPECT_TRUE(diffVersions(a, a).isEmpty());
}

TEST_P(SetOnEnginesTest, AnEditFromAStaleReadingIsRefusedNamingTheStationAndTime)
{
    auto mine = make();
    ASSERT_TRUE(mine);
    ASSERT_TRUE(mine->addDestination(destination("37", "დიდუბე")).ok());
    ASSERT_TRUE(mine->addDestination(destination("61", "გლდანი")).ok());
    auto theirs = secondEditor();
    ASSERT_TRUE(theirs);
    const std::vector<Destination> read = *mine->destinations();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].revision, 1);

    DestinationSet::setStationName(QStringLiteral("depot-2"));
    Destination elsewhere = (*theirs->destinations())[0];
    elsewhere.note = QStringLiteral("changed at depot 2");
    ASSERT_TRUE(theirs->updateDestination(QStringLiteral("37"), elsewhere).ok());
    DestinationSet::setStationName(QStringLiteral("depot-1"));

    struct Edit {
        const char* what;
        std::function<Status()> run;
    };
    Destination mineEdited = read[0];
    mineEdited.destinationEn = QStringLiteral("Didube");
    const Edit stale[] = {
        {"update", [&] { return mine->updateDestination(QStringLiteral("37"), mineEdited); }},
        {"remove", [&] { return mine->removeDestination(QStringLiteral("37"), read[0].revision); }},
    };
    for (const Edit& e : stale) {
        const Status refused = e.run();
        ASSERT_FALSE(refused.ok()) << e.what;
        ASSERT_TRUE(mine->staleEdit().has_value()) << e.what;
        EXPECT_EQ(mine->staleEdit()->station, QStringLiteral("depot-2"));
        const std::string message = "37 was changed from depot-2 at ";
        EXPECT_NE(refused.error().toStdString().find(message), std::string::npos) << refused.error().toStdString();
        // The time is the change's, shown as local hours and minutes.
        EXPECT_EQ(mine->staleEdit()->message(),
                  QStringLiteral("37 was changed from depot-2 at ") +
                      mine->staleEdit()->time.toLocalTime().toString(QStringLiteral("HH:mm")));
        EXPECT_TRUE(mine->staleEdit()->time.isValid());
    }
    EXPECT_EQ((*mine->destinations())[0].note, QStringLiteral("changed at depot 2"));

    // Another row, and the same row read again, are edited as usual.
    Destination other = read[1];
    other.note = QStringLiteral("mine");
    EXPECT_TRUE(mine->updateDestination(QStringLiteral("61"), other).ok());
    EXPECT_FALSE(mine->staleEdit().has_value());
    Destination again = (*mine->destinations())[0];
    EXPECT_EQ(again.revision, 2);
    again.destinationEn = QStringLiteral("Didube");
    EXPECT_TRUE(mine->updateDestination(QStringLiteral("37"), again).ok());
    // An edit that read nothing (a script's) is not checked.
    Destination blind = destination("61", "გლდანი");
    EXPECT_TRUE(theirs->updateDestination(QStringLiteral("61"), blind).ok());
}

TEST_P(SetOnEnginesTest, SignAndImageEditsFromAStaleReadingAreRefusedToo)
{
    auto mine = make();
    ASSERT_TRUE(mine);
    ASSERT_TRUE(mine->addDestination(destination("37", "დიდუბე")).ok());
    SignOverride o;
    o.code = QStringLiteral("37");
    o.sign = QStringLiteral("front");
    o.image = image(160, 19, 1);
    o.madeFrom = (*mine->destinations())[0];
    ASSERT_TRUE(mine->storeOverride(o, 0).ok());
    const std::vector<VehicleSign> signsRead = *mine->signs();
    const std::vector<SignOverride> imagesRead = *mine->overrides();
    ASSERT_EQ(imagesRead.size(), 1u);
    EXPECT_EQ(imagesRead[0].revision, 1);
    EXPECT_EQ(signsRead[0].revision, 1);

    auto theirs = secondEditor();
    ASSERT_TRUE(theirs);
    DestinationSet::setStationName(QStringLiteral("depot-2"));
    VehicleSign wider = signsRead[0];
    wider.pitchMm = 5;
    wider.revision = 0;
    ASSERT_TRUE(theirs->updateSign(QStringLiteral("front"), wider).ok());
    SignOverride theirImage = o;
    theirImage.image = image(160, 19, 2);
    ASSERT_TRUE(theirs->storeOverride(theirImage, 1).ok());
    DestinationSet::setStationName(QStringLiteral("depot-1"));

    struct Edit {
        const char* what;
        std::function<Status()> run;
        const char* message; // the start of the refusal
    };
    VehicleSign myFront = signsRead[0];
    myFront.place = QStringLiteral("front");
    SignOverride myImage = o;
    myImage.image = image(160, 19, 3);
    SignOverride aNewOne = o;
    aNewOne.sign = QStringLiteral("rear");
    aNewOne.image = image(28, 16, 4);
    const Edit stale[] = {
        {"sign update", [&] { return mine->updateSign(QStringLiteral("front"), myFront); }, "The sign front was changed elsewhere"},
        {"sign removal", [&] { return mine->removeSign(QStringLiteral("front"), signsRead[0].revision); },
         "The sign front was changed elsewhere"},
        {"image stored", [&] { return mine->storeOverride(myImage, imagesRead[0].revision); },
         "The image of 37 on front was changed from depot-2 at "},
        {"image removed", [&] { return mine->removeOverride(QStringLiteral("37"), QStringLiteral("front"), 1); },
         "The image of 37 on front was changed from depot-2 at "},
    };
    for (const Edit& e : stale) {
        const Status refused = e.run();
        ASSERT_FALSE(refused.ok()) << e.what;
        ASSERT_TRUE(mine->staleEdit().has_value()) << e.what;
        EXPECT_NE(refused.error().toStdString().find(e.message), std::string::npos) << refused.error().toStdString();
    }
    EXPECT_EQ((*mine->overrides())[0].image, theirImage.image) << "their image stays";
    EXPECT_EQ((*mine->signs())[0].pitchMm, 5.0);

    // An image made where this editor read none is refused once another
    // made one there; where none is still, it is stored.
    ASSERT_TRUE(theirs->storeOverride(aNewOne).ok());
    EXPECT_FALSE(mine->storeOverride(aNewOne, 0).ok());
    ASSERT_TRUE(theirs->removeOverride(QStringLiteral("37"), QStringLiteral("rear")).ok());
    EXPECT_TRUE(mine->storeOverride(aNewOne, 0).ok());

    // Read again, the same edits go through; the images' changes are in the
    // destination's history.
    myFront.revision = (*mine->signs())[0].revision;
    EXPECT_TRUE(mine->updateSign(QStringLiteral("front"), myFront).ok());
    EXPECT_TRUE(mine->storeOverride(myImage, (*mine->overrides())[0].revision).ok());
    const std::vector<HistoryEntry> history = *mine->history(QStringLiteral("37"));
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history[0].what, QStringLiteral("image on front stored by hand"));
    EXPECT_EQ(history[0].station, QStringLiteral("depot-1"));
    DestinationSet::setStationName({});
}

TEST_P(SetOnEnginesTest, EachDestinationKeepsAHistoryOfWhoChangedWhat)
{
    auto set = make();
    ASSERT_TRUE(set);
    DestinationSet::setStationName(QStringLiteral("depot-7"));
    ASSERT_TRUE(set->addDestination(destination("12", "აეროპორტი")).ok());
    Destination d = (*set->destinations())[0];
    d.route = QStringLiteral("12a");
    d.inUse = false;
    ASSERT_TRUE(set->updateDestination(QStringLiteral("12"), d).ok());
    ASSERT_TRUE(set->merge({destination("12", "აეროპორტი", "Airport")}).ok());
    ASSERT_TRUE(set->removeDestination(QStringLiteral("12")).ok());
    DestinationSet::setStationName({});

    // Matched by the folded code, so the history outlives the row.
    const Expected<std::vector<HistoryEntry>> history = set->history(QStringLiteral("12"));
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    ASSERT_EQ(history->size(), 4u);
    const QString expected[] = {
        QStringLiteral("removed"),
        QStringLiteral("by an import: route \"12a\" \u2192 \"12\"; destination_en \"\" \u2192 \"Airport\""),
        QStringLiteral("route \"12\" \u2192 \"12a\"; out of use"),
        QStringLiteral("added"),
    };
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ((*history)[i].what, expected[i]);
        EXPECT_EQ((*history)[i].station, QStringLiteral("depot-7"));
        EXPECT_TRUE((*history)[i].time.isValid());
        // The database's user is named on a server only.
        EXPECT_EQ((*history)[i].user, GetParam() == Engine::Server ? QStringLiteral("postgres") : QString());
    }
    EXPECT_TRUE(set->history(QStringLiteral("99"))->empty());
}

TEST_P(SetOnEnginesTest, CodesAndSignNamesMatchByTheProgramsFoldingOnEitherEngine)
{
    auto set = make();
    ASSERT_TRUE(set);
    // Beyond ASCII, where SQLite's NOCASE folds nothing and a server's
    // collation depends on its locale.
    const std::pair<const char*, const char*> alike[] = {{"12R", "12r"}, {"ÄB", "äb"}, {"ΣΑ", "σα"}};
    for (const auto& [first, second] : alike) {
        ASSERT_TRUE(set->addDestination(destination(first, "ა")).ok()) << first;
        const Status twice = set->addDestination(destination(second, "ბ"));
        EXPECT_FALSE(twice.ok()) << second;
        Destination renamed = destination(second, "გ");
        EXPECT_TRUE(set->updateDestination(QString::fromUtf8(first), renamed).ok()) << first;
        EXPECT_TRUE(set->removeDestination(QString::fromUtf8(first)).ok()) << first;
    }
    EXPECT_FALSE(set->addSign(sign("FRONT", 96, 19)).ok());
    EXPECT_TRUE(set->updateSign(QStringLiteral("Rear"), sign("rear", 28, 16)).ok());
}

namespace {

// SQL run behind the set's back: on the file, or in the server set's schema.
bool behindItsBack(Engine engine, const QString& path, const QStringList& statements)
{
    if (engine == Engine::Server) {
        const Expected<ServerAddress> address = ServerAddress::parse(path, ServerAddress::SetName::Required);
        return address && set_test::asAdministrator(QStringList{QStringLiteral("SET search_path TO ") + address->set} +
                                                    statements);
    }
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("behind"));
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString& sql : statements) {
            QSqlQuery query(db);
            ok = ok && query.exec(sql);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("behind"));
    return ok;
}

} // namespace

// What each text was at the last import: kept where the set holds it so,
// forgotten with its destination, carried by a copy, checked as it is read.
TEST_P(SetOnEnginesTest, WhatTheLastImportHadIsKeptCopiedAndChecked)
{
    {
        auto set = make();
        ASSERT_TRUE(set);
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        // The operator's "Vake" kept against the feed's "VAKE".
        ASSERT_TRUE(set->apply({destination("12", "ვაკე", "Vake"), destination("37", "დიდუბე", "Didube")}, {}, {},
                               {destination("12", "ვაკე", "VAKE"), destination("37", "დიდუბე", "Didube")})
                        .ok());
        const Expected<ImportMemory::Texts> memory = set->importMemory();
        ASSERT_TRUE(memory.ok()) << memory.error().toStdString();
        ASSERT_EQ(memory->size(), 2u);
        const auto& twelve = memory->at(QStringLiteral("12"));
        EXPECT_EQ(twelve.size(), 5u);
        EXPECT_EQ(twelve.count(QStringLiteral("destination_en")), 0u);
        EXPECT_EQ(twelve.at(QStringLiteral("destination_ka")).value, QStringLiteral("ვაკე"));
        EXPECT_GE(twelve.at(QStringLiteral("route")).time, before);
        EXPECT_EQ(memory->at(QStringLiteral("37")).at(QStringLiteral("destination_en")).value, QStringLiteral("Didube"));
        ASSERT_TRUE(set->apply({}, {QStringLiteral("37")}, {}).ok());
        EXPECT_EQ(set->importMemory()->count(QStringLiteral("37")), 0u);
    }
    const QString copy = dir.filePath(QStringLiteral("copy.vxset"));
    ASSERT_TRUE(SetCopy::copy(path, copy).ok());
    {
        auto copied = DestinationSet::open(copy, DestinationSet::Access::Read);
        ASSERT_TRUE(copied.ok()) << copied.error().toStdString();
        auto original = open(DestinationSet::Access::Read);
        ASSERT_TRUE(original);
        const Expected<ImportMemory::Texts> theirs = copied.value()->importMemory();
        ASSERT_TRUE(theirs.ok());
        ASSERT_EQ(theirs->size(), 1u);
        EXPECT_EQ(theirs->at(QStringLiteral("12")).at(QStringLiteral("via_ka")).time,
                  original->importMemory()->at(QStringLiteral("12")).at(QStringLiteral("via_ka")).time);
    }

    // A key the program would have folded is refused as it is read.
    ASSERT_TRUE(behindItsBack(GetParam(), path,
                              {QStringLiteral("INSERT INTO imported_text (code_key, field, value, time) VALUES "
                                              "('12R', 'route', '12', '2026-12-10T09:00:00.000Z')")}));
    {
        auto set = open(DestinationSet::Access::Read);
        ASSERT_TRUE(set);
        const Expected<ImportMemory::Texts> damaged = set->importMemory();
        ASSERT_FALSE(damaged.ok());
        EXPECT_NE(damaged.error().toStdString().find("its record of what destination 12R was at its last import is damaged"),
                  std::string::npos) << damaged.error().toStdString();
    }
    // A table the steps did not make is no set's.
    const QStringList reshaped =
        GetParam() == Engine::Server
            ? QStringList{QStringLiteral("ALTER TABLE imported_text ADD COLUMN spy TEXT")}
            : QStringList{QStringLiteral("DROP TABLE imported_text"),
                          QStringLiteral("CREATE TABLE imported_text (code_key TEXT, field TEXT, value TEXT, time TEXT, "
                                         "PRIMARY KEY (code_key, field))")};
    ASSERT_TRUE(behindItsBack(GetParam(), path, reshaped));
    const auto refused = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find(GetParam() == Engine::Server ? "column \"imported_text.spy\""
                                                                              : "its table \"imported_text\" is not"),
              std::string::npos) << refused.error().toStdString();
}

// What the step to version 8 made, taken back.
static QStringList versionEightDropped()
{
    QStringList back;
    for (const char* table : {"destination", "override", "version_destination", "version_override"})
        back << QStringLiteral("ALTER TABLE %1 DROP COLUMN service").arg(QLatin1String(table));
    return back << QStringLiteral("DROP TABLE service_word") << QStringLiteral("DROP TABLE keep_together")
                << QStringLiteral("DROP TABLE via_word") << QStringLiteral("DROP TABLE code_rule");
}

// A set of the version before remembers nothing, and gains the table when
// first opened for editing.
TEST_P(SetOnEnginesTest, ASetOfTheVersionBeforeIsBroughtUpRememberingNothing)
{
    {
        auto set = make();
        ASSERT_TRUE(set && set->addDestination(destination("12", "ვაკე", "Vake")).ok());
    }
    QStringList back = versionEightDropped();
    back << QStringLiteral("DROP TABLE imported_text")
         << (GetParam() == Engine::Server ? QStringLiteral("UPDATE set_version SET version = 6")
                                          : QStringLiteral("PRAGMA user_version = 6"));
    ASSERT_TRUE(behindItsBack(GetParam(), path, back));
    auto set = open(DestinationSet::Access::Edit);
    ASSERT_TRUE(set);
    EXPECT_TRUE(set->importMemory()->empty());
    ASSERT_TRUE(set->apply({destination("12", "ვაკე", "Vake")}, {}, {}, {destination("12", "ვაკე", "Vake")}).ok());
    EXPECT_EQ(set->importMemory()->at(QStringLiteral("12")).size(), 6u);
}

// A set made before destinations kept a service opens for editing with the
// common words kept in capitals after its own, the service words, and room
// for a service and an origin; an import's phrases join its keep-together list.
TEST_P(SetOnEnginesTest, ASetBeforeServicesGainsTheWordListsAndKeepsItsOwn)
{
    {
        auto set = make();
        ASSERT_TRUE(set && set->addDestination(destination("12", "ვაკე", "Vake")).ok());
        const Expected<SetWords> fresh = set->words();
        ASSERT_TRUE(fresh.ok()) << fresh.error().toStdString();
        EXPECT_TRUE(fresh->upperWords.contains(QStringLiteral("LIRR")));
        EXPECT_TRUE(fresh->serviceWords.contains(QStringLiteral("Select Bus")));
    }
    QStringList back = versionEightDropped();
    back << QStringLiteral("DELETE FROM upper_word") << QStringLiteral("INSERT INTO upper_word (word) VALUES ('OWN')")
         << QStringLiteral("INSERT INTO upper_word (word) VALUES ('JFK')") << QStringLiteral("DROP TABLE imported_text")
         << (GetParam() == Engine::Server ? QStringLiteral("UPDATE set_version SET version = 6")
                                          : QStringLiteral("PRAGMA user_version = 6"));
    ASSERT_TRUE(behindItsBack(GetParam(), path, back));
    {
        auto set = open(DestinationSet::Access::Edit);
        ASSERT_TRUE(set);
        const Expected<SetWords> words = set->words();
        ASSERT_TRUE(words.ok()) << words.error().toStdString();
        EXPECT_EQ(words->upperWords.mid(0, 3), (QStringList{QStringLiteral("OWN"), QStringLiteral("JFK"),
                                                            QStringLiteral("SBS")}));
        EXPECT_EQ(words->upperWords.count(QStringLiteral("JFK")), 1);
        EXPECT_EQ(words->serviceWords, SetWords().serviceWords);

        Destination served = destination("12", "ვაკე", "Vake");
        served.service = QStringLiteral("Select Bus");
        served.agency = QStringLiteral("MTA");
        served.routeId = QStringLiteral("r12");
        ASSERT_TRUE(set->apply({served}, {}, {}, {served}, {QStringLiteral("Kings Plaza"), QStringLiteral("kings plaza")}).ok());
        const Expected<ImportMemory::Texts> memory = set->importMemory();
        ASSERT_TRUE(memory.ok()) << memory.error().toStdString();
        EXPECT_EQ(memory->at(QStringLiteral("12")).at(QLatin1String(ImportMemory::AgencyField)).value, QStringLiteral("MTA"));
        EXPECT_EQ(set->words()->keepTogether, QStringList{QStringLiteral("Kings Plaza")});
    }
    auto reopened = open(DestinationSet::Access::Read);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->destinations()->front().service, QStringLiteral("Select Bus"));
}

#ifdef VEXEL_SERVER_SETS
INSTANTIATE_TEST_SUITE_P(Engines, SetOnEnginesTest, ::testing::Values(Engine::Server), set_test::engineName);
#else
INSTANTIATE_TEST_SUITE_P(Engines, SetOnEnginesTest, ::testing::Values(Engine::File), set_test::engineName);
#endif
