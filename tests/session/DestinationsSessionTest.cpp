// A destination set open below its window: the table's fit statuses follow
// each edit, hand-made images go stale when the texts change, the Latin
// suggestion stays a suggestion until taken, filtering, and the second
// opener that only reads.
#include "sets/DestinationSet.h"
#include "sets/SetContents.h"
#include "sets/SignProfile.h"
#include "document/ImageFile.h"
#include "lettering/FontList.h"
#include "session/DestinationsModel.h"
#include "session/DestinationsSession.h"
#include "session/OverrideFiles.h"
#include "fleet/SetRelease.h"
#include "support/TestFiles.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vexel::Destination;
using vexel::DestinationsModel;
using vexel::DestinationsSession;
using vexel::DestinationSet;

namespace {

vexel::FontList::Places projectFonts()
{
    vexel::FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

Destination destination(const QString& code, const QString& route, const QString& ka, const QString& en)
{
    Destination d;
    d.code = code;
    d.route = route;
    d.destinationKa = ka;
    d.destinationEn = en;
    return d;
}

class DestinationsSessionTest : public ::testing::Test {
protected:
    DestinationsSessionTest() : folder(testing_support::folderOf(dir)), path(folder + QStringLiteral("depot.vxset"))
    {
        auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        EXPECT_TRUE(signs) << signs.error().toStdString();
        auto made = DestinationSet::create(path, *signs);
        EXPECT_TRUE(made) << made.error().toStdString();
        EXPECT_TRUE((*made)->addDestination(destination("12", "12", "აეროპორტი", "Airport")));
        EXPECT_TRUE((*made)->addDestination(destination("37", "37", "დიდუბე", "Didube")));
        // No rear sign holds a ten-digit number.
        EXPECT_TRUE((*made)->addDestination(destination("long", "1234567890", "გლდანი", "")));
    }

    std::unique_ptr<DestinationsSession> openSession()
    {
        auto opened = DestinationsSession::open(path, fonts);
        EXPECT_TRUE(opened) << opened.error().toStdString();
        return opened ? std::move(opened).value() : nullptr;
    }

    static int signColumn(const DestinationsSession& s, const QString& name)
    {
        for (std::size_t i = 0; i < s.signs().size(); ++i)
            if (s.signs()[i].name == name)
                return DestinationsModel::FirstSign + static_cast<int>(i);
        return -1;
    }

    static QVariant at(DestinationsSession& s, int row, int column, int role)
    {
        return s.model().data(s.model().index(row, column), role);
    }

    QTemporaryDir dir;
    QString folder;
    QString path;
    vexel::FontList fonts{projectFonts()};
};

} // namespace

TEST_F(DestinationsSessionTest, AnEditReachesTheSetAndRelettersItsRowOnly)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    ASSERT_EQ(s->model().rowCount(), 3);
    const int rear = signColumn(*s, QStringLiteral("rear"));
    const int row = s->rowOf(QStringLiteral("long"));
    EXPECT_FALSE(at(*s, row, rear, DestinationsModel::FitsRole).toBool());
    const QString tip = at(*s, row, rear, Qt::ToolTipRole).toString();
    EXPECT_EQ(tip.count(QStringLiteral("does not fit")), 1) << tip.toStdString();
    EXPECT_EQ(at(*s, row, rear, DestinationsModel::MarkRole).toInt(), int(DestinationsModel::Mark::Unfit));
    EXPECT_TRUE(at(*s, row, DestinationsModel::Code, DestinationsModel::UnfitRowRole).toBool());
    EXPECT_FALSE(at(*s, s->rowOf(QStringLiteral("12")), DestinationsModel::Code, DestinationsModel::UnfitRowRole).toBool());
    EXPECT_EQ(s->unfitCount(), 1);

    QSignalSpy changed(&s->model(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(s->model().setData(s->model().index(row, DestinationsModel::Route), QStringLiteral(" 61 ")));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), row);
    EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>().row(), row);
    EXPECT_TRUE(at(*s, row, rear, DestinationsModel::FitsRole).toBool());
    EXPECT_EQ(at(*s, row, rear, Qt::DisplayRole).toString(), QStringLiteral("fits"));
    EXPECT_EQ(s->unfitCount(), 0);

    // The change is in the file, trimmed as typed into the table.
    s.reset();
    auto reread = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(reread);
    const auto stored = (*reread)->destinations();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)[2].route, QStringLiteral("61"));
}

TEST_F(DestinationsSessionTest, TheSetsAbbreviationsLetterWhatFitsNoOtherWay)
{
    {
        auto set = DestinationSet::open(path, DestinationSet::Access::Edit);
        ASSERT_TRUE(set);
        ASSERT_TRUE((*set)->addDestination(destination("90", "90", "აეროპორტი",
                                                       "Internationalairportterminalbuildings")));
    }
    auto s = openSession();
    ASSERT_TRUE(s);
    const int side = signColumn(*s, QStringLiteral("side"));
    const int row = s->rowOf(QStringLiteral("90"));
    ASSERT_FALSE(at(*s, row, side, DestinationsModel::FitsRole).toBool()) << "one word wider than the sign";

    vexel::SetWords words;
    words.abbreviations = {{QStringLiteral("en"), QStringLiteral("Internationalairportterminalbuildings"),
                            QStringLiteral("Airport")},
                           {QStringLiteral("en"), QStringLiteral("Didube"), QStringLiteral("Did.")}};
    ASSERT_TRUE(s->setWords(words));
    EXPECT_TRUE(at(*s, row, side, DestinationsModel::FitsRole).toBool());
    EXPECT_TRUE(at(*s, row, side, Qt::DisplayRole).toString().endsWith(QLatin1String("abbreviated")))
        << at(*s, row, side, Qt::DisplayRole).toString().toStdString();
    // A text that fits as it is keeps every word.
    EXPECT_FALSE(at(*s, s->rowOf(QStringLiteral("37")), side, Qt::DisplayRole).toString().contains(
        QLatin1String("abbreviated")));

    // The next opening finds the list in the set.
    s.reset();
    auto again = openSession();
    ASSERT_TRUE(again);
    EXPECT_TRUE(at(*again, again->rowOf(QStringLiteral("90")), side, DestinationsModel::FitsRole).toBool());
}

TEST_F(DestinationsSessionTest, RefusedEditsChangeNothingAndSayWhy)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    QStringList errors;
    QObject::connect(s.get(), &DestinationsSession::error, [&](const QString& m) { errors << m; });
    const int row = s->rowOf(QStringLiteral("37"));
    // A code another destination has, and a destination left with no text.
    EXPECT_FALSE(s->model().setData(s->model().index(row, DestinationsModel::Code), QStringLiteral("12")));
    const int lone = s->rowOf(QStringLiteral("long"));
    EXPECT_FALSE(s->model().setData(s->model().index(lone, DestinationsModel::DestinationKa), QString()));
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("12"))) << errors[0].toStdString();
    EXPECT_EQ(s->destinations()[static_cast<std::size_t>(row)].code, QStringLiteral("37"));
    EXPECT_EQ(s->destinations()[static_cast<std::size_t>(lone)].destinationKa, QStringLiteral("გლდანი"));
    // The sign columns are not typed into.
    EXPECT_FALSE(s->model().flags(s->model().index(row, DestinationsModel::FirstSign)).testFlag(Qt::ItemIsEditable));
}

TEST_F(DestinationsSessionTest, AHandMadeImageIsStoredFromItsFileAndGoesStaleWithTheTexts)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    const int row = s->rowOf(QStringLiteral("12"));
    const int front = signColumn(*s, QStringLiteral("front"));
    const int sign = DestinationsModel::signOf(front);
    const auto file = s->writeOverrideFile(row, sign);
    ASSERT_TRUE(file) << file.error().toStdString();
    EXPECT_EQ(QFileInfo(*file).absoluteFilePath(), folder + QStringLiteral("depot.overrides/front/12.img"));
    ASSERT_TRUE(s->image(row, sign).image);
    EXPECT_EQ(*vexel::ImageFile::load(*file), *s->image(row, sign).image);

    // The operator edits the file in the editor and saves it: the link finds
    // this session and the set takes the image.
    vexel::OverrideLink link;
    link.attach(s.get());
    testing_support::writeAll(*file, testing_support::blankImageText(160, 19));
    const vexel::ImageRecord edited = *vexel::ImageFile::load(*file);
    const auto stored = link.imageSaved(*file);
    ASSERT_TRUE(stored.has_value());
    ASSERT_TRUE(*stored) << stored->error().toStdString();
    EXPECT_TRUE(at(*s, row, front, DestinationsModel::ByHandRole).toBool());
    EXPECT_FALSE(at(*s, row, front, DestinationsModel::StaleRole).toBool());
    EXPECT_EQ(at(*s, row, front, Qt::DisplayRole).toString(), QStringLiteral("by hand"));

    // A note is no text of the image; the Latin name is.
    ASSERT_TRUE(s->model().setData(s->model().index(row, DestinationsModel::Note), QStringLiteral("night")));
    EXPECT_FALSE(at(*s, row, front, DestinationsModel::StaleRole).toBool());
    ASSERT_TRUE(s->model().setData(s->model().index(row, DestinationsModel::DestinationEn), QStringLiteral("Airport T2")));
    EXPECT_TRUE(at(*s, row, front, DestinationsModel::StaleRole).toBool());
    EXPECT_TRUE(at(*s, row, front, Qt::ToolTipRole).toString().contains(QStringLiteral("stale")));
    EXPECT_EQ(*s->image(row, sign).image, edited) << "a stale image is still the one the sign gets";

    // Reopened, the set still has it, still stale.
    s.reset();
    s = openSession();
    EXPECT_TRUE(at(*s, row, front, DestinationsModel::StaleRole).toBool());

    // Saved from a board narrower than the sign: it does not fit, and the
    // table says by how much.
    testing_support::writeAll(*file, testing_support::blankImageText(96, 19));
    link.attach(s.get());
    ASSERT_TRUE(*link.imageSaved(*file));
    EXPECT_FALSE(at(*s, row, front, DestinationsModel::FitsRole).toBool());
    EXPECT_EQ(at(*s, row, front, DestinationsModel::MarkRole).toInt(), static_cast<int>(DestinationsModel::Mark::Unfit));
    EXPECT_TRUE(at(*s, row, front, Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("by hand, does not fit: the image is 96 x 19, the sign 160 x 19")));
}

TEST_F(DestinationsSessionTest, TheLinkStoresWithoutAWindowAndIgnoresOtherFiles)
{
    vexel::OverrideLink link;
    {
        // A session attached and closed since is forgotten, not called.
        auto closed = openSession();
        link.attach(closed.get());
    }
    const QString file = vexel::OverrideFiles::path(path, QStringLiteral("rear"), QStringLiteral("37"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    testing_support::writeAll(file, testing_support::blankImageText(28, 16));
    const auto stored = link.imageSaved(file);
    ASSERT_TRUE(stored.has_value());
    EXPECT_TRUE(*stored) << stored->error().toStdString();
    auto set = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(set);
    const auto overrides = (*set)->overrides();
    ASSERT_TRUE(overrides);
    ASSERT_EQ(overrides->size(), 1u);
    EXPECT_EQ((*overrides)[0].code, QStringLiteral("37"));
    EXPECT_EQ((*overrides)[0].madeFrom.destinationEn, QStringLiteral("Didube"));

    // Elsewhere, or in a folder whose set is not there: none of its business.
    testing_support::writeAll(folder + QStringLiteral("loose.img"), testing_support::blankImageText(28, 16));
    EXPECT_FALSE(link.imageSaved(folder + QStringLiteral("loose.img")).has_value());
    const QString orphan = folder + QStringLiteral("gone.overrides/rear/37.img");
    QDir().mkpath(QFileInfo(orphan).absolutePath());
    testing_support::writeAll(orphan, testing_support::blankImageText(28, 16));
    EXPECT_FALSE(link.imageSaved(orphan).has_value());

    // An image the sign cannot hold is refused, not reported as stored.
    testing_support::writeAll(file, testing_support::blankImageText(96, 24));
    const auto tooBig = link.imageSaved(file);
    ASSERT_TRUE(tooBig.has_value());
    EXPECT_FALSE(*tooBig);
}

TEST_F(DestinationsSessionTest, SuggestedLatinStaysASuggestionUntilTakenOrEdited)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    const int row = s->rowOf(QStringLiteral("long"));
    const QModelIndex en = s->model().index(row, DestinationsModel::DestinationEn);
    const auto filled = s->suggestLatin(row);
    ASSERT_TRUE(filled);
    EXPECT_TRUE(*filled);
    EXPECT_EQ(en.data().toString(), QStringLiteral("Gldani"));
    EXPECT_TRUE(en.data(DestinationsModel::SuggestedRole).toBool());

    // A name that is there is never replaced.
    const auto again = s->suggestLatin(s->rowOf(QStringLiteral("12")));
    ASSERT_TRUE(again);
    EXPECT_FALSE(*again);
    EXPECT_EQ(s->destinations()[0].destinationEn, QStringLiteral("Airport"));

    // Entering the suggestion as it is takes it.
    ASSERT_TRUE(s->model().setData(en, QStringLiteral("Gldani")));
    EXPECT_FALSE(en.data(DestinationsModel::SuggestedRole).toBool());
    s.reset();
    auto set = DestinationSet::open(path, DestinationSet::Access::Read);
    const auto stored = (*set)->destinations();
    EXPECT_FALSE((*stored)[2].latinSuggested);
    EXPECT_EQ((*stored)[2].destinationEn, QStringLiteral("Gldani"));
}

TEST_F(DestinationsSessionTest, FilterAndSortByTextInAnyColumn)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    QSortFilterProxyModel& view = s->sorted();
    s->setFilterText(QStringLiteral("didube"));
    ASSERT_EQ(view.rowCount(), 1);
    EXPECT_EQ(view.index(0, DestinationsModel::Code).data().toString(), QStringLiteral("37"));
    s->setFilterText(QStringLiteral("გლდ"));
    ASSERT_EQ(view.rowCount(), 1);
    EXPECT_EQ(view.index(0, DestinationsModel::Code).data().toString(), QStringLiteral("long"));
    // The fit words are text too: the rows that need work.
    s->setFilterText(QStringLiteral("does not fit"));
    EXPECT_EQ(view.rowCount(), 1);
    s->setFilterText(QString());
    view.sort(DestinationsModel::DestinationEn, Qt::DescendingOrder);
    EXPECT_EQ(view.index(0, DestinationsModel::Code).data().toString(), QStringLiteral("37"));

    // A row added while filtered out appears once the filter is cleared.
    s->setFilterText(QStringLiteral("didube"));
    const auto added = s->add();
    ASSERT_TRUE(added);
    EXPECT_EQ(view.rowCount(), 1);
    s->setFilterText(QString());
    EXPECT_EQ(view.rowCount(), 4);
    ASSERT_TRUE(s->remove(*added));
    EXPECT_EQ(view.rowCount(), 3);
}

// A second opener in the program shares the set; one in another program
// (its lock stands for it here) only reads, and says why.
TEST_F(DestinationsSessionTest, ASecondOpenerSharesTheSetAndAnotherProgramOnlyReads)
{
    auto first = openSession();
    ASSERT_TRUE(first);
    auto second = openSession();
    ASSERT_TRUE(second);
    EXPECT_EQ(&second->set(), &first->set());
    EXPECT_FALSE(second->readOnly());
    const auto file = first->writeOverrideFile(0, 0);
    ASSERT_TRUE(file);
    first.reset();
    second.reset();

    QLockFile other(DestinationSet::lockPath(path));
    ASSERT_TRUE(other.tryLock(0));
    auto reader = openSession();
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->readOnly());
    EXPECT_FALSE(reader->readOnlyReason().isEmpty());
    const QModelIndex code = reader->model().index(0, DestinationsModel::Code);
    EXPECT_FALSE(reader->model().flags(code).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(reader->model().setData(code, QStringLiteral("99")));
    EXPECT_FALSE(reader->add());

    // A hand-made image saved while the set is only read is not lost quietly.
    EXPECT_FALSE(reader->writeOverrideFile(0, 0));
    const auto stored = reader->storeOverrideFile(reader->signs()[0].name, QStringLiteral("12"), *file);
    EXPECT_FALSE(stored);
    EXPECT_NE(stored.error().toStdString().find("read-only"), std::string::npos) << stored.error().toStdString();
}

TEST_F(DestinationsSessionTest, TheLegibilityColumnFollowsEachEditWithTheFindingsInItsTooltip)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    const int row = s->rowOf(QStringLiteral("12"));
    const int column = DestinationsModel::Legibility;
    EXPECT_EQ(s->model().headerData(column, Qt::Horizontal).toString(), "Legibility");
    // The example side sign sets the number 2 LEDs from a Georgian
    // destination, which the number-gap rule finds whatever the texts; the
    // other rules follow the edits.
    auto edited = [&](int r) {
        QStringList found = s->findings(r);
        found.removeIf([](const QString& line) { return line.contains(QLatin1String(": number-gap ")); });
        return found;
    };
    EXPECT_TRUE(edited(row).isEmpty()) << edited(row).join('\n').toStdString();
    EXPECT_TRUE(at(*s, s->rowOf(QStringLiteral("37")), column, Qt::ToolTipRole)
                    .toString()
                    .contains("Nothing found by the rules \"vexel\""));

    // Pages of four seconds each take this destination's loop past 15 s.
    Destination d = s->destinations()[static_cast<std::size_t>(row)];
    d.destinationEn = QStringLiteral("Spring Creek Stanley Avenue Postal Facility by Rustaveli Avenue, "
                                     "Chavchavadze Avenue and Vazha-Pshavela");
    ASSERT_TRUE(s->update(row, d));
    const QStringList found = at(*s, row, column, DestinationsModel::FindingsRole).toStringList();
    ASSERT_FALSE(found.isEmpty());
    EXPECT_TRUE(found.filter(QRegularExpression("^12 (front|side): loop-time \\d+(\\.\\d+)? s, at most 15 s$")).size() > 0)
        << found.join('\n').toStdString();
    EXPECT_TRUE(at(*s, row, column, Qt::DisplayRole).toString().startsWith(QStringLiteral("%1: ").arg(found.size())));
    EXPECT_TRUE(at(*s, row, column, Qt::ToolTipRole).toString().contains(found.first()));
    EXPECT_FALSE(s->model().flags(s->model().index(row, column)).testFlag(Qt::ItemIsEditable));
    // The other rows were not lettered again, and say nothing.
    EXPECT_TRUE(s->findings(s->rowOf(QStringLiteral("37"))).isEmpty());

    d.destinationEn = QStringLiteral("Airport");
    ASSERT_TRUE(s->update(row, d));
    EXPECT_TRUE(edited(row).isEmpty());
}

TEST_F(DestinationsSessionTest, ACauseManyRowsShareIsSaidOnceInTheHeaderAndNotInEachRow)
{
    const QString text = QStringLiteral("Spring Creek Stanley Avenue Postal Facility by Rustaveli Avenue, "
                                        "Chavchavadze Avenue and Vazha-Pshavela");
    {
        auto made = DestinationSet::open(path, DestinationSet::Access::Edit);
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        for (const char* code : {"80", "81", "82", "83"})
            ASSERT_TRUE((*made)->addDestination(destination(code, code, QStringLiteral("აეროპორტი"), text)));
    }
    auto s = openSession();
    ASSERT_TRUE(s);
    // The same pages on every row: one loop time, a cause of the layout.
    const QString tip = s->model().headerData(DestinationsModel::Legibility, Qt::Horizontal, Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.contains(QRegularExpression("\\n(front|side): loop-time \\d+(\\.\\d+)? s, at most 15 s: 4 images "
                                                "timed by the sign's layout \\(80, 81, 82\\)")))
        << tip.toStdString();
    for (const char* code : {"80", "81", "82", "83"}) {
        const QStringList found = s->findings(s->rowOf(QString::fromLatin1(code)));
        EXPECT_TRUE(found.filter(QStringLiteral("loop-time")).isEmpty()) << code << found.join('\n').toStdString();
    }
    // A row edited to a text of its own says its own finding again.
    const int row = s->rowOf(QStringLiteral("83"));
    Destination d = s->destinations()[static_cast<std::size_t>(row)];
    d.destinationEn = text + QStringLiteral(" and Tsereteli Avenue");
    ASSERT_TRUE(s->update(row, d));
    EXPECT_FALSE(s->findings(row).filter(QStringLiteral("loop-time")).isEmpty()) << s->findings(row).join('\n').toStdString();
}

TEST_F(DestinationsSessionTest, TheHeadersCountsOfASharedCauseFollowEditsAndRemovedRows)
{
    const QString text = QStringLiteral("Spring Creek Stanley Avenue Postal Facility by Rustaveli Avenue, "
                                        "Chavchavadze Avenue and Vazha-Pshavela");
    {
        auto made = DestinationSet::open(path, DestinationSet::Access::Edit);
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        for (const char* code : {"80", "81", "82", "83", "84"})
            ASSERT_TRUE((*made)->addDestination(destination(code, code, QStringLiteral("აეროპორტი"), text)));
    }
    auto s = openSession();
    ASSERT_TRUE(s);
    auto header = [&] {
        return s->model().headerData(DestinationsModel::Legibility, Qt::Horizontal, Qt::ToolTipRole).toString();
    };
    auto loopTimes = [&](const char* code) {
        return s->findings(s->rowOf(QString::fromLatin1(code))).filter(QStringLiteral("loop-time")).size();
    };
    auto edit = [&](const char* code, const QString& en) {
        const int row = s->rowOf(QString::fromLatin1(code));
        Destination d = s->destinations()[static_cast<std::size_t>(row)];
        d.destinationEn = en;
        return s->update(row, d);
    };
    ASSERT_TRUE(header().contains(": 5 images timed by the sign's layout")) << header().toStdString();

    // A row removed and one edited away from the cause: the header counts
    // what is left without the window being opened again, and says so.
    QSignalSpy headerChanged(&s->model(), &QAbstractItemModel::headerDataChanged);
    ASSERT_TRUE(s->remove(s->rowOf(QStringLiteral("84"))));
    EXPECT_TRUE(header().contains(": 4 images timed by the sign's layout")) << header().toStdString();
    EXPECT_GE(headerChanged.count(), 1);
    headerChanged.clear();
    QSignalSpy cells(&s->model(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(edit("83", QStringLiteral("Airport")));
    EXPECT_GE(headerChanged.count(), 1);
    const bool row80Told = std::any_of(cells.begin(), cells.end(), [&](const QList<QVariant>& args) {
        const auto from = args.at(0).value<QModelIndex>(), to = args.at(1).value<QModelIndex>();
        const int row = s->rowOf(QStringLiteral("80"));
        return from.row() <= row && row <= to.row() && from.column() <= int(DestinationsModel::Legibility) &&
               int(DestinationsModel::Legibility) <= to.column();
    });
    EXPECT_TRUE(row80Told);
    // Three are too few to be said once: each row says it again, the
    // header no longer does, and the other rows' cells are told.
    EXPECT_FALSE(header().contains("timed by the sign's layout")) << header().toStdString();
    for (const char* code : {"80", "81", "82"})
        EXPECT_GT(loopTimes(code), 0) << code;
    EXPECT_EQ(loopTimes("83"), 0);

    // And back: the fourth row with the same pages makes it shared again.
    ASSERT_TRUE(edit("83", text));
    EXPECT_TRUE(header().contains(": 4 images timed by the sign's layout")) << header().toStdString();
    for (const char* code : {"80", "81", "82", "83"})
        EXPECT_EQ(loopTimes(code), 0) << code;
}

// Two windows on one set (a file whose lock was removed by hand behaves as a
// server set does): the edit made from a stale reading is refused with who
// changed the row and when, and the window shows the row as it now is.
TEST_F(DestinationsSessionTest, AStaleEditIsRefusedAndTheRowReloadedWithItsHistory)
{
    auto mine = openSession();
    ASSERT_TRUE(mine);
    QFile::remove(DestinationSet::lockPath(path));
    auto theirs = openSession();
    ASSERT_TRUE(theirs);
    ASSERT_FALSE(theirs->readOnly());

    DestinationSet::setStationName(QStringLiteral("depot-2"));
    Destination changed = theirs->destinations()[1];
    changed.destinationEn = QStringLiteral("Didube Station");
    ASSERT_TRUE(theirs->update(1, changed).ok());
    DestinationSet::setStationName(QStringLiteral("depot-1"));

    Destination stale = mine->destinations()[1];
    stale.note = QStringLiteral("mine");
    const vexel::Status refused = mine->update(1, stale);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("37 was changed from depot-2 at "), std::string::npos) << refused.error().toStdString();
    EXPECT_NE(refused.error().toStdString().find("; it has been reloaded"), std::string::npos) << refused.error().toStdString();
    EXPECT_EQ(mine->destinations()[1].destinationEn, QStringLiteral("Didube Station"));
    EXPECT_TRUE(mine->destinations()[1].note.isEmpty());

    // Read again, the edit goes through, twice in a row.
    stale = mine->destinations()[0];
    stale.note = QStringLiteral("mine");
    ASSERT_TRUE(mine->update(0, stale).ok());
    stale.note = QStringLiteral("mine again");
    ASSERT_TRUE(mine->update(0, stale).ok());

    const auto history = mine->history(0);
    ASSERT_TRUE(history.ok()) << history.error().toStdString();
    ASSERT_GE(history->size(), 2u);
    EXPECT_EQ(history->front().station, QStringLiteral("depot-1"));
    EXPECT_EQ(history->front().what, QStringLiteral("note \"mine\" \u2192 \"mine again\""));
    DestinationSet::setStationName({});
}

// A release from the window's session takes the images the session holds
// and letters only what changed in the set since it read it; either way it
// writes what a release of the set alone writes, byte for byte.
TEST_F(DestinationsSessionTest, AReleaseTakesHeldImagesOnlyWhileTheyAreCurrent)
{
    auto s = openSession();
    ASSERT_TRUE(s);
    const auto held = [&](const QString& code, const QString& sign) {
        const auto contents = vexel::SetContents::read(s->set());
        EXPECT_TRUE(contents) << contents.error().toStdString();
        for (const auto& d : contents->destinations)
            for (const auto& v : contents->signs)
                if (d.code == code && v.name == sign)
                    return s->lettered(*contents, v, d) != nullptr;
        return false;
    };
    const auto sameAsAlone = [&](const QString& name) {
        vexel::ReleaseOptions options;
        options.partial = true; // "long" fits no rear sign
        options.proofSheets = false;
        const auto fromSession = s->release(folder + name + "-session", options);
        ASSERT_TRUE(fromSession) << fromSession.error().toStdString();
        const auto alone = vexel::SetRelease::release(s->set(), fonts, folder + name + "-alone", options);
        ASSERT_TRUE(alone) << alone.error().toStdString();
        ASSERT_EQ(fromSession->written.size(), alone->written.size());
        for (int i = 0; i < alone->written.size(); ++i)
            EXPECT_EQ(testing_support::readAll(fromSession->written[i]), testing_support::readAll(alone->written[i]))
                << alone->written[i].toStdString();
        EXPECT_EQ(fromSession->unfit, alone->unfit);
        EXPECT_EQ(fromSession->stale, alone->stale);
        EXPECT_EQ(fromSession->findings, alone->findings);
    };
    EXPECT_TRUE(held("12", "front"));
    EXPECT_TRUE(held("37", "rear"));
    sameAsAlone("first");

    // Changed behind the session's back, as another station's edit is
    // before the session hears of it.
    Destination changed = s->destinations()[static_cast<std::size_t>(s->rowOf("12"))];
    changed.destinationEn = QStringLiteral("Airport Terminal 2");
    ASSERT_TRUE(s->set().updateDestination(QStringLiteral("12"), changed));
    vexel::SignOverride byHand;
    byHand.code = QStringLiteral("37");
    byHand.sign = QStringLiteral("rear");
    byHand.image = *vexel::ImageFile::parse(testing_support::randomImageText(1, 28, 16, 5));
    byHand.madeFrom = s->destinations()[static_cast<std::size_t>(s->rowOf("37"))];
    ASSERT_TRUE(s->set().storeOverride(byHand));
    EXPECT_FALSE(held("12", "front"));
    EXPECT_FALSE(held("37", "rear"));
    EXPECT_TRUE(held("37", "front"));
    sameAsAlone("second");

    // The word lists letter every sign: a change to them leaves nothing current.
    auto read = s->set().words();
    ASSERT_TRUE(read);
    vexel::SetWords words = *read;
    words.abbreviations.push_back({QStringLiteral("en"), QStringLiteral("Terminal"), QStringLiteral("T")});
    ASSERT_TRUE(s->set().setWords(words));
    EXPECT_FALSE(held("37", "front"));
    sameAsAlone("third");
}

// Send takes the release the Fleet window takes, after a restart too, and
// never a folder no release went to; the next release is proposed where
// the last one went.
TEST_F(DestinationsSessionTest, SendTakesTheReleaseInForceWhereverItWasWritten)
{
    const QDate today = QDate::currentDate();
    vexel::ReleaseOptions options;
    options.partial = true; // "long" fits no rear sign
    options.proofSheets = false;
    {
        auto s = openSession();
        ASSERT_TRUE(s);
        // Files where a release beside the set would go, made by something else.
        testing_support::writeAll(s->defaultReleaseFolder() + "/front/12.img", testing_support::blankImageText(160, 19));
        const auto never = s->sendingFolder(today);
        ASSERT_FALSE(never);
        EXPECT_TRUE(never.error().contains("release the set first")) << never.error().toStdString();
        EXPECT_EQ(s->nextReleaseFolder(), s->defaultReleaseFolder());
        ASSERT_TRUE(s->release(folder + "spring", options));
    }
    auto s = openSession(); // as after a restart, or on another window
    ASSERT_TRUE(s);
    EXPECT_EQ(s->nextReleaseFolder(), QDir(folder + "spring").absolutePath());
    ASSERT_TRUE(s->sendingFolder(today)) << s->sendingFolder(today).error().toStdString();
    EXPECT_EQ(QDir(*s->sendingFolder(today)), QDir(folder + "spring"));

    // A release that counts from tomorrow is not sent today.
    options.validFrom = today.addDays(1);
    ASSERT_TRUE(s->release(folder + "summer", options));
    EXPECT_EQ(QDir(*s->sendingFolder(today)), QDir(folder + "spring"));
    EXPECT_EQ(QDir(*s->sendingFolder(today.addDays(1))), QDir(folder + "summer"));

    // A folder that no longer holds its release is refused.
    QFile::remove(folder + "spring/release.txt");
    const auto gone = s->sendingFolder(today);
    ASSERT_FALSE(gone);
    EXPECT_TRUE(gone.error().contains("has no release.txt")) << gone.error().toStdString();
}
