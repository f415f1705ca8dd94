// The Versions window on a set with two releases: the table of changes with
// each sign drawn old | new, the proof sheet of the changes, Restore, and a
// second window on a set an editor holds.
#include "app/Prompter.h"
#include "app/VersionsWindow.h"
#include "sets/DestinationSet.h"
#include "document/ImageFile.h"
#include "support/Spoken.h"
#include "support/TestFiles.h"

#include <QAccessible>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

Destination destination(const char* code, const char* ka)
{
    Destination d;
    d.code = d.route = QLatin1String(code);
    d.destinationKa = QString::fromUtf8(ka);
    return d;
}

ImageRecord image(int w, int h, unsigned seed)
{
    return *ImageFile::parse(testing_support::randomImageText(2, w, h, seed));
}

// Version 1: 12 and 37; version 2: 12 renamed with new images on both signs,
// 37 gone, 61 new.
bool makeSet(const QString& path)
{
    const QString layout = QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })");
    auto made = DestinationSet::create(path, {VehicleSign{QStringLiteral("front"), 40, 8, layout},
                                              VehicleSign{QStringLiteral("rear"), 16, 8, layout}});
    if (!made)
        return false;
    DestinationSet& set = *made.value();
    auto release = [&](unsigned seed) {
        SetVersion v;
        v.destinations = *set.destinations();
        for (const auto& [sign, w] : {std::make_pair("front", 40), std::make_pair("rear", 16)})
            for (const Destination& d : v.destinations)
                v.images.push_back({QLatin1String(sign), d.code,
                                    image(w, 8, qHash(d.code) + (d.code == QLatin1String("12") ? seed : 0))});
        return set.addVersion(v).ok();
    };
    return set.addDestination(destination("12", "ვაკე")).ok() && set.addDestination(destination("37", "დიდუბე")).ok() &&
           release(1) && set.apply({destination("12", "ვაკე-საბურთალო"), destination("61", "გლდანი")},
                                   {QStringLiteral("37")}, {}) &&
           release(2);
}

QPushButton* button(QWidget& window, const QString& text)
{
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

TEST(VersionsWindowTest, ComparesDrawsAndRestores)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fleet.vxset"));
    ASSERT_TRUE(makeSet(path));
    ScriptedPrompter prompter;
    VersionsWindow window(path, prompter);
    window.show();

    ASSERT_EQ(window.versionList()->count(), 2);
    // The latest two are compared at first: 12 changed, 61 added, 37 removed.
    const VersionDiff& diff = window.diff();
    EXPECT_EQ(diff.from, 1);
    EXPECT_EQ(diff.to, 2);
    QTableWidget* table = window.changesTable();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("12"));
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("destination_ka; image on front, rear"));
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("removed"));
    ASSERT_EQ(table->columnCount(), 5);
    auto* drawn = qobject_cast<QLabel*>(table->cellWidget(0, 3));
    ASSERT_NE(drawn, nullptr);
    // Old | new: two boards of 40 x 8 LEDs side by side, first frames only.
    const QImage first = drawn->pixmap().toImage();
    EXPECT_GT(first.width(), 2 * 40 * 2);
    EXPECT_LT(first.height(), 2 * 8 * 2);
    // Assistive tools read the pictures as the table's cells, and the pair compared.
    QAccessibleInterface* cells = QAccessible::queryAccessibleInterface(table);
    ASSERT_TRUE(cells && cells->tableInterface());
    QAccessibleInterface* picture = cells->tableInterface()->cellAt(0, 3);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->text(QAccessible::Name), QStringLiteral("12 on front, version 1 and 2"));
    EXPECT_EQ(picture->text(QAccessible::Description), QStringLiteral("frame 1"));
    QStringList boxes;
    for (QComboBox* box : window.findChildren<QComboBox*>())
        boxes << testing_support::spoken(box, QAccessible::Name) + QLatin1Char('=') +
                     testing_support::spoken(box, QAccessible::Description);
    EXPECT_EQ(boxes, QStringList({QStringLiteral("Compare from version=1"), QStringLiteral("Compare with version=2")}));
    window.setAllFrames(true);
    drawn = qobject_cast<QLabel*>(window.changesTable()->cellWidget(0, 3));
    ASSERT_NE(drawn, nullptr);
    EXPECT_GT(drawn->pixmap().height(), 2 * 8 * 2);
    EXPECT_FALSE(drawn->accessibleName().isEmpty());

    // The proof sheet: one per sign, changed images only.
    prompter.fileAnswers.push_back(dir.filePath(QStringLiteral("changes.png")));
    window.proofSheet();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join("").toStdString();
    for (const char* file : {"changes-front.png", "changes-rear.png"}) {
        const QImage sheet(dir.filePath(QLatin1String(file)));
        EXPECT_FALSE(sheet.isNull()) << file;
    }

    // A second window of the program shares the set: Restore there too.
    {
        ScriptedPrompter other;
        VersionsWindow second(path, other);
        EXPECT_TRUE(button(second, QStringLiteral("Restore"))->isEnabled());
        EXPECT_EQ(second.versionList()->count(), 2);
    }

    // Restore version 1, answering Yes: the set is as it was, both versions kept.
    QSignalSpy changed(&window, &VersionsWindow::setChanged);
    window.choose(1, 2);
    prompter.confirmAnswers.push_back(true);
    button(window, QStringLiteral("Restore"))->click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join("").toStdString();
    EXPECT_EQ(changed.count(), 1);
    window.close();
    ScriptedPrompter after;
    VersionsWindow reopened(path, after);
    EXPECT_EQ(reopened.versionList()->count(), 2);
    auto read = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(read.ok());
    const auto now = *read.value()->destinations();
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(now[0], destination("12", "ვაკე"));
    EXPECT_EQ(now[1].code, QStringLiteral("37"));
    EXPECT_FALSE(now[2].inUse); // 61 kept, out of use

    // Controls without a caption can be named.
    for (QWidget* w : {static_cast<QWidget*>(reopened.versionList()), static_cast<QWidget*>(reopened.changesTable())})
        EXPECT_FALSE(w->accessibleName().isEmpty());
}

TEST(VersionsWindowTest, WithoutAllFramesEachSideShowsTheFirstFrameThatDiffers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fleet.vxset"));
    const QString layout = QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })");
    auto made = DestinationSet::create(path, {VehicleSign{QStringLiteral("front"), 40, 8, layout}});
    ASSERT_TRUE(made.ok()) << made.error().toStdString();
    const std::shared_ptr<DestinationSet> shared(std::move(made).value());
    DestinationSet& set = *shared;
    ASSERT_TRUE(set.addDestination(destination("12", "ვაკე")).ok());
    // The Georgian frame stays, the Latin one changes.
    for (const std::vector<int>& rows : {std::vector<int>{0, 2}, std::vector<int>{0, 5}}) {
        SetVersion v;
        v.destinations = *set.destinations();
        v.images.push_back({QStringLiteral("front"), QStringLiteral("12"), testing_support::rowsImage(40, 8, rows)});
        ASSERT_TRUE(set.addVersion(v).ok());
    }
    ScriptedPrompter prompter;
    VersionsWindow window(shared, prompter);
    ASSERT_EQ(window.changesTable()->rowCount(), 1);
    auto* drawn = qobject_cast<QLabel*>(window.changesTable()->cellWidget(0, 3));
    ASSERT_NE(drawn, nullptr);
    const QImage pair = drawn->pixmap().toImage();
    const int side = (pair.width() - 12) / 2;
    const QImage before = pair.copy(0, 0, side, pair.height());
    const QImage after = pair.copy(pair.width() - side, 0, side, pair.height());
    EXPECT_NE(before, after) << "the two sides show the frame that changed";
    QAccessibleInterface* picture =
        QAccessible::queryAccessibleInterface(window.changesTable())->tableInterface()->cellAt(0, 3);
    EXPECT_EQ(picture->text(QAccessible::Description), QStringLiteral("frame 2"));
    window.setAllFrames(true);
    EXPECT_EQ(window.changesTable()->item(0, 3)->data(Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("every frame"));
}
