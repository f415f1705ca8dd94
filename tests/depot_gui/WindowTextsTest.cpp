// The windows of destination sets, the journal and the fleet show every text
// of their own through translation: under a translator that marks what it
// translates, each title, caption, tooltip, accessible name, header, choice
// and message they make is marked, while what the set or the journal holds
// (names, codes, numbers) is shown as it is and still drives the window.
#include "support/EditorFixture.h"

#include "app/DestinationsWindow.h"
#include "app/FleetWindow.h"
#include "app/GtfsImportDialog.h"
#include "app/GuideWindow.h"
#include "app/JournalWindow.h"
#include "app/ReleaseDialog.h"
#include "app/SendDialog.h"
#include "app/VersionsWindow.h"
#include "app/WordListsDialog.h"
#include "sets/DestinationSet.h"
#include "feeds/GtfsTestFeed.h"
#include "sets/SignProfile.h"
#include "session/DestinationsSession.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTranslator>
#include <QTreeWidget>

using namespace vexel;

namespace {

const QChar Mark(0x2039); // ‹, before every translated text
const QChar End(0x203A);  // ›, after it

std::string marked(const char* text) { return (Mark + QString::fromUtf8(text) + End).toStdString(); }

// Marks every text it is asked for, so a test tells a translated text from
// one that never went through translation.
class MarkingTranslator : public QTranslator {
public:
    MarkingTranslator() { QCoreApplication::installTranslator(this); }
    ~MarkingTranslator() override { QCoreApplication::removeTranslator(this); }

    QString translate(const char*, const char* source, const char*, int) const override
    {
        return source && *source ? Mark + QString::fromUtf8(source) + End : QString();
    }
    bool isEmpty() const override { return false; }
};

// Every text `window` shows that is neither marked nor one of `data`, with
// where it is. Rows of tables and lists are the set's and are left out;
// headers a window makes itself are not.
QStringList unmarked(QWidget* window, const QStringList& data = {})
{
    QStringList out;
    auto check = [&](const QWidget* w, const char* what, const QString& text) {
        if (!text.isEmpty() && !text.contains(Mark) && !data.contains(text))
            out << QStringLiteral("%1 %2 %3: %4")
                       .arg(QLatin1String(w->metaObject()->className()), w->objectName(), QLatin1String(what), text);
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (w->objectName().startsWith(QLatin1String("qt_")))
            continue; // the inner parts of Qt's own controls
        if (w->isWindow())
            check(w, "title", w->windowTitle());
        check(w, "tooltip", w->toolTip());
        check(w, "name", w->accessibleName());
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i)
                check(w, "choice", box->itemText(i));
            continue; // its description is the value chosen
        }
        check(w, "description", w->accessibleDescription());
        if (auto* label = qobject_cast<QLabel*>(w))
            check(w, "text", label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            check(w, "caption", button->text());
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            check(w, "placeholder", edit->placeholderText());
        if (auto* date = qobject_cast<QDateTimeEdit*>(w))
            check(w, "special value", date->specialValueText());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                check(w, "tab", tabs->tabText(i));
        if (qobject_cast<QTableWidget*>(w) || qobject_cast<QTreeWidget*>(w)) {
            const QAbstractItemModel* model = static_cast<QAbstractItemView*>(w)->model();
            for (int c = 0; c < model->columnCount(); ++c)
                check(w, "header", model->headerData(c, Qt::Horizontal).toString());
        }
    }
    return out;
}

// The messages the prompter was given, and the file types offered by name
// in its file choosers, that did not come through the translator.
QStringList unmarkedMessages(const ScriptedPrompter& prompter)
{
    QStringList out;
    for (const ScriptedPrompter::Asked& a : prompter.asked) {
        const bool file = a.kind == QLatin1String("open") || a.kind == QLatin1String("save");
        if (file && !a.request.filter.contains(Mark))
            out << QStringLiteral("filter: ") + a.request.filter;
        else if (!file && a.kind != QLatin1String("release") && !a.text.contains(Mark))
            out << a.kind + QStringLiteral(": ") + a.text;
    }
    return out;
}

std::string lines(const QStringList& texts) { return texts.join(QLatin1Char('\n')).toStdString(); }

// Nothing left untranslated; what is, one per line.
#define EXPECT_NONE(texts)                                                                                             \
    do {                                                                                                               \
        const QStringList found = (texts);                                                                             \
        EXPECT_TRUE(found.isEmpty()) << lines(found);                                                                  \
    } while (false)

Destination destination(const char* code, const char* ka, const char* en)
{
    Destination d;
    d.code = d.route = QLatin1String(code);
    d.destinationKa = QString::fromUtf8(ka);
    d.destinationEn = QLatin1String(en);
    return d;
}

class WindowTextsTest : public frames_fixture::EditorTest {
protected:
    WindowTextsTest() : setPath(folder + QStringLiteral("city.vxset"))
    {
        const auto signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        EXPECT_TRUE(signs.ok()) << signs.error().toStdString();
        auto made = DestinationSet::create(setPath, *signs);
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        EXPECT_TRUE((*made)->addDestination(destination("1", "ვაკე", "Vake")).ok());
        EXPECT_TRUE((*made)->addDestination(destination("9", "ზოო", "")).ok());
    }

    QString setPath;
};

} // namespace

TEST_F(WindowTextsTest, DestinationsWindowAndTheWindowsItOpens)
{
    MarkingTranslator marking;
    DestinationsWindow window(prompter);
    ASSERT_TRUE(window.openSet(setPath));
    window.show();
    const QStringList signs{QStringLiteral("front"), QStringLiteral("side"), QStringLiteral("rear")};
    EXPECT_NONE(unmarked(&window, signs));

    // The messages it builds, and the filters of the files it asks for.
    window.selectRow(window.session()->rowOf(QStringLiteral("1")));
    window.Suggest_Click(); // 1 has its Latin name: nothing to suggest
    prompter.releaseAnswers.push_back({folder + QStringLiteral("release"), QString(), QDate()});
    window.Release_Click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << lines(prompter.texts(QStringLiteral("error")));
    window.Export_Click();
    prompter.confirmAnswers.push_back(true);
    window.Remove_Click();
    prompter.releaseAnswers.push_back({folder + QStringLiteral("release"), QString(), QDate()});
    window.Release_Click();
    ASSERT_EQ(prompter.count(QStringLiteral("inform")), 3) << lines(prompter.texts(QStringLiteral("inform")));
    EXPECT_NONE(unmarkedMessages(prompter));

    window.Word_Lists_Click();
    auto* words = window.findChild<WordListsDialog*>(QStringLiteral("Word_Lists_Dialog"));
    ASSERT_NE(words, nullptr);
    EXPECT_NONE(unmarked(words));
    auto* tabs = words->findChild<QTabWidget*>(QStringLiteral("Lists_Tabs"));
    ASSERT_EQ(tabs->count(), 6);
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->widget(i), words->table(WordListsDialog::List(i))->parentWidget()) << "tab " << i;

    window.Versions_Click();
    auto* versions = window.findChild<VersionsWindow*>(QStringLiteral("Versions_Window"));
    ASSERT_NE(versions, nullptr);
    ASSERT_EQ(versions->versionList()->count(), 2);
    ASSERT_EQ(versions->changesTable()->rowCount(), 1) << "1 removed";
    // The sign columns name the sign and the versions compared, nothing more.
    QStringList shown{QStringLiteral("1"), QStringLiteral("2")};
    for (const QString& sign : signs)
        shown << sign + QStringLiteral(" (1 | 2)");
    EXPECT_NONE(unmarked(versions, shown));
}

TEST_F(WindowTextsTest, GtfsImportShowsItsWordsTranslatedAndAppliesTheChoicesByValue)
{
    ASSERT_TRUE(gtfs_test::writeFolder(folder + QStringLiteral("feed"), gtfs_test::smallFeed()));
    MarkingTranslator marking;
    GtfsImportDialog dialog(prompter);
    dialog.setSetPath(setPath);
    dialog.setFeedPath(folder + QStringLiteral("feed"));
    auto* caseBox = dialog.findChild<QComboBox*>(QStringLiteral("Case_Box"));
    auto* typeBox = dialog.findChild<QComboBox*>(QStringLiteral("Type_Box"));
    ASSERT_TRUE(caseBox && typeBox);
    caseBox->setCurrentIndex(caseBox->findData(static_cast<int>(LetterCase::Keep)));
    ASSERT_TRUE(dialog.showDifference());
    const QStringList agencies{QStringLiteral("TT"), QStringLiteral("METRO")};
    EXPECT_NONE(unmarked(&dialog, agencies));
    auto* changes = dialog.findChild<QTreeWidget*>(QStringLiteral("Changes"));
    ASSERT_GT(changes->topLevelItemCount(), 0);
    for (QTreeWidgetItem* item : changes->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive))
        EXPECT_TRUE(item->text(0).isEmpty() || item->text(0).contains(Mark)) << item->text(0).toStdString();

    // The route type is chosen by its number whatever its name says.
    const int bus = typeBox->findData(3);
    ASSERT_GE(bus, 0);
    EXPECT_EQ(typeBox->itemText(bus).toStdString(), "3, " + marked("bus") + " (2 " + marked("routes") + ")");
    typeBox->setCurrentIndex(bus);
    ASSERT_TRUE(dialog.showDifference());
    ASSERT_TRUE(dialog.applyTicked());
    auto set = DestinationSet::open(setPath, DestinationSet::Access::Read);
    ASSERT_TRUE(set.ok());
    const Expected<std::vector<Destination>> imported = (*set)->destinations();
    ASSERT_TRUE(imported.ok());
    QStringList routes;
    for (const Destination& d : *imported)
        routes << d.route;
    EXPECT_TRUE(routes.contains(QStringLiteral("2"))) << lines(routes);
    EXPECT_FALSE(routes.contains(QStringLiteral("M1"))) << "the metro was left out: " << lines(routes);
    EXPECT_NONE(unmarkedMessages(prompter));
}

TEST_F(WindowTextsTest, JournalAndFleetShowRepliesTranslatedAndFilterByTheStoredReply)
{
    session.setJournalPath(dir.path() + QStringLiteral("/journal.sqlite"));
    const SendJournal journal(session.journalPath());
    const char* replies[] = {"OK", "no reply", "not sent: the port is busy"};
    for (int i = 0; i < 3; ++i) {
        JournalEntry e;
        e.time = QDateTime::currentDateTimeUtc().addSecs(i);
        e.bus = QStringLiteral("1042");
        e.sign = QStringLiteral("front");
        e.set = QStringLiteral("City");
        e.version = 1;
        e.files = {QStringLiteral("12.img")};
        e.reply = QLatin1String(replies[i]);
        ASSERT_TRUE(journal.record(e));
    }
    MarkingTranslator marking;
    JournalWindow window([this] { return session.journal(); }, nullptr);
    window.show();
    const QStringList codes{QStringLiteral("OK"), QStringLiteral("CS"), QStringLiteral("LN")};
    EXPECT_NONE(unmarked(&window, codes));
    ASSERT_EQ(window.Table_Entries->rowCount(), 3);
    // Newest first; the reason a send did not go stays as it was written.
    EXPECT_EQ(window.Table_Entries->item(0, 9)->text().toStdString(), marked("not sent") + ": the port is busy");
    EXPECT_EQ(window.Table_Entries->item(1, 9)->text().toStdString(), marked("no reply"));
    EXPECT_EQ(window.Table_Entries->item(2, 9)->text().toStdString(), "OK");
    for (const char* reply : {"no reply", "not sent"}) {
        window.Combo_Reply->setCurrentIndex(window.Combo_Reply->findData(QLatin1String(reply)));
        EXPECT_EQ(window.Filter().reply.toStdString(), reply);
        EXPECT_EQ(window.Table_Entries->rowCount(), 1) << reply;
    }

    FleetBusState bus;
    bus.bus.number = QStringLiteral("1042");
    bus.bus.depot = QStringLiteral("North");
    bus.bus.set = QStringLiteral("/sets/city.vxset");
    bus.signs.push_back({});
    bus.signs.back().sign = QStringLiteral("front");
    FleetSources sources{[&] { return Expected<std::vector<FleetBusState>>(std::vector<FleetBusState>{bus}); }, {},
                         [this] { return session.journal(); }};
    FleetWindow fleet(sources, prompter, nullptr);
    fleet.show();
    fleet.Select_Bus(QStringLiteral("1042"));
    ASSERT_EQ(fleet.Table_History->rowCount(), 3);
    EXPECT_EQ(fleet.Table_History->item(1, 5)->text().toStdString(), marked("no reply"));
    const QStringList held{QStringLiteral("North"), QStringLiteral("front"), fleet.Combo_Set->itemText(1),
                           fleet.Label_Counts->text()}; // the counts are the fleet's own words
    EXPECT_NONE(unmarked(&fleet, held));
}

TEST_F(WindowTextsTest, ReleaseSendAndGuideDialogs)
{
    MarkingTranslator marking;
    ReleaseDialog release({folder + QStringLiteral("release"), QString(), QDate()}, prompter);
    EXPECT_NONE(unmarked(&release));
    release.Browse_Click();
    EXPECT_NONE(unmarkedMessages(prompter));

    for (int files : {1, 3}) {
        SendDialog send({QStringLiteral("front"), files, {QStringLiteral("1042")}, QStringLiteral("1042"),
                         {QStringLiteral("/dev/ttyUSB0")}, QStringLiteral("/dev/ttyUSB0")});
        const QStringList held{QStringLiteral("1042"), QStringLiteral("/dev/ttyUSB0")};
        EXPECT_NONE(unmarked(&send, held));
    }

    GuideWindow guide(nullptr);
    guide.showChapter(QStringLiteral("index"), {dir.path() + QStringLiteral("/no-guide")});
    EXPECT_TRUE(guide.shownPage().isEmpty());
    EXPECT_NONE(unmarked(&guide));
}
