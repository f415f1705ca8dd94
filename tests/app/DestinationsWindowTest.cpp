// The Destinations window on a three-sign bus set, opened from the main
// window: the signs follow the typing, a stored edit changes the row's fit,
// Edit by hand goes through the main editor and back into the set on the
// sign's own board, windows of the program share the set, and Release and
// Send ask what they need.
#include "app/DestinationsWindow.h"
#include "sets/DestinationSet.h"
#include "sets/SignProfile.h"
#include "session/DestinationsModel.h"
#include "fleet/BusList.h"
#include "session/DestinationsSession.h"
#include "support/EditorFixture.h"
#include "support/Spoken.h"
#include "widgets/SignView.h"

#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QLockFile>
#include <QImage>
#include <QProcess>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QProgressBar>
#include <QSortFilterProxyModel>
#include <QSignalSpy>
#include <QTableView>

using testing_support::spoken;
using vexel::DestinationsModel;

namespace {

class DestinationsWindowTest : public frames_fixture::EditorTest {
protected:
    DestinationsWindowTest() : setPath(folder + QStringLiteral("bus.vxset"))
    {
        auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        EXPECT_TRUE(signs) << signs.error().toStdString();
        auto made = vexel::DestinationSet::create(setPath, *signs);
        EXPECT_TRUE(made) << made.error().toStdString();
        vexel::Destination airport;
        airport.code = airport.route = QStringLiteral("12");
        airport.destinationKa = QStringLiteral("აეროპორტი");
        airport.destinationEn = QStringLiteral("Airport");
        EXPECT_TRUE((*made)->addDestination(airport));
        vexel::Destination tooLong = airport;
        tooLong.code = QStringLiteral("long");
        tooLong.route = QStringLiteral("1234567890"); // more than the rear sign holds
        EXPECT_TRUE((*made)->addDestination(tooLong));
    }

    DestinationsWindow* openFromMenu()
    {
        openBlank();
        prompter.fileAnswers.push_back(setPath);
        auto* action = testing_support::controlNamed<QAction>(form, "Destinations1");
        if (!action)
            return nullptr;
        EXPECT_EQ(action->text(), QStringLiteral("Destinations..."));
        EXPECT_NE(testing_support::controlNamed<QToolButton>(form, "Destinations_Button"), nullptr);
        action->trigger();
        auto* window = form.findChild<DestinationsWindow*>(QStringLiteral("Destinations_Window"));
        EXPECT_NE(window, nullptr);
        if (window)
            table = window->findChild<QTableView*>(QStringLiteral("Destinations_Table"));
        return window;
    }

    QModelIndex cell(DestinationsWindow& w, const QString& code, int column) const
    {
        vexel::DestinationsSession& set = *w.session();
        return set.sorted().mapFromSource(set.model().index(set.rowOf(code), column));
    }

    int signNumber(DestinationsWindow& w, const QString& name) const
    {
        vexel::DestinationsSession& set = *w.session();
        for (std::size_t i = 0; i < set.signs().size(); ++i)
            if (set.signs()[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    void selectCode(DestinationsWindow& w, const QString& code) const { w.selectRow(w.session()->rowOf(code)); }

    QString setPath;
    QTableView* table = nullptr;
};

} // namespace

TEST_F(DestinationsWindowTest, TheSignsFollowTheTypingAndTheRowFollowsTheStoredEdit)
{
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w && table);
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(table->model()->rowCount(), 2);
    const int rear = signNumber(*w, QStringLiteral("rear"));
    const QModelIndex rearCell = cell(*w, QStringLiteral("long"), DestinationsModel::FirstSign + rear);
    EXPECT_FALSE(rearCell.data(DestinationsModel::FitsRole).toBool());
    EXPECT_TRUE(rearCell.data(Qt::ToolTipRole).toString().contains(QStringLiteral("does not fit")));
    // The table draws what the model says: the red square, and the row tinted.
    auto shows = [&](const QModelIndex& at, const QColor& colour) {
        table->scrollTo(at);
        const QImage drawn = table->viewport()->grab(table->visualRect(at)).toImage();
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixelColor(x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(shows(rearCell, QColor(0xd0, 0x21, 0x21)));
    EXPECT_TRUE(shows(cell(*w, QStringLiteral("long"), DestinationsModel::Code), QColor(0xff, 0xd6, 0xd6)));
    EXPECT_FALSE(shows(cell(*w, QStringLiteral("12"), DestinationsModel::Code), QColor(0xff, 0xd6, 0xd6)));
    auto* summary = w->findChild<QLabel*>(QStringLiteral("Summary_Label"));
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->text().contains(QStringLiteral("1 with a sign they do not fit"))) << summary->text().toStdString();

    selectCode(*w, QStringLiteral("long"));
    ASSERT_EQ(w->shown().size(), 3u);
    EXPECT_FALSE(w->shown()[static_cast<std::size_t>(rear)].fit.fits);

    const QModelIndex route = cell(*w, QStringLiteral("long"), DestinationsModel::Route);
    table->setCurrentIndex(route);
    table->edit(route);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("61"));
    // Typed, not yet stored: the signs show it, the table does not.
    EXPECT_TRUE(w->shown()[static_cast<std::size_t>(rear)].fit.fits);
    EXPECT_FALSE(rearCell.data(DestinationsModel::FitsRole).toBool());
    auto* rearView = w->findChild<QWidget*>(QStringLiteral("Preview_rear"))->findChild<SignView*>();
    ASSERT_NE(rearView, nullptr);
    EXPECT_EQ(rearView->leds().width(), 28);
    EXPECT_GT(rearView->leds().litCount(), 0) << "the number is lit";

    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on the next turn
    const QModelIndex stored = cell(*w, QStringLiteral("long"), DestinationsModel::FirstSign + rear);
    EXPECT_TRUE(stored.data(DestinationsModel::FitsRole).toBool());
    EXPECT_EQ(stored.data().toString(), QStringLiteral("fits"));
    EXPECT_TRUE(summary->text().contains(QStringLiteral("every one fits"))) << summary->text().toStdString();
    EXPECT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();

    // The selected row's history shows the stored edit, newest first.
    selectCode(*w, QStringLiteral("12"));
    selectCode(*w, QStringLiteral("long"));
    auto* history = w->findChild<QListWidget*>(QStringLiteral("History_List"));
    ASSERT_NE(history, nullptr);
    ASSERT_GE(history->count(), 1);
    EXPECT_TRUE(history->item(0)->text().endsWith(QStringLiteral("route \"1234567890\" \u2192 \"61\"")))
        << history->item(0)->text().toStdString();
}

TEST_F(DestinationsWindowTest, EditByHandOpensTheImageAndSavingItStoresItInTheSet)
{
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w && table);
    const int front = signNumber(*w, QStringLiteral("front"));
    selectCode(*w, QStringLiteral("12"));
    w->findChild<QComboBox*>(QStringLiteral("Sign_Box"))->setCurrentIndex(front);
    w->findChild<QPushButton*>(QStringLiteral("Edit_Button"))->click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    EXPECT_EQ(QFileInfo(session.document().path()).absoluteFilePath(), folder + QStringLiteral("bus.overrides/front/12.img"));

    // The operator changes an LED and saves.
    session.document().setModified(true);
    testing_support::controlNamed<QAction>(form, "Save1")->trigger();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    const QModelIndex made = cell(*w, QStringLiteral("12"), DestinationsModel::FirstSign + front);
    EXPECT_FALSE(made.data(DestinationsModel::StaleRole).toBool());

    // Then the destination's name changes: the image is stale.
    ASSERT_TRUE(table->model()->setData(cell(*w, QStringLiteral("12"), DestinationsModel::DestinationEn),
                                        QStringLiteral("Airport T1")));
    EXPECT_TRUE(cell(*w, QStringLiteral("12"), DestinationsModel::FirstSign + front).data(DestinationsModel::StaleRole).toBool());
}

// Edit by hand works on the sign's own board, so an LED beyond the
// editor's 96 columns is kept; the editor's board comes back with the next
// image, and the image can be taken back to lettering, in the history.
TEST_F(DestinationsWindowTest, EditByHandIsOnTheSignsBoardAndRemovingTheImageLettersAgain)
{
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w && table);
    const int front = signNumber(*w, QStringLiteral("front"));
    selectCode(*w, QStringLiteral("12"));
    w->findChild<QComboBox*>(QStringLiteral("Sign_Box"))->setCurrentIndex(front);
    auto* removeByHand = w->findChild<QPushButton*>(QStringLiteral("Remove_By_Hand_Button"));
    ASSERT_NE(removeByHand, nullptr);
    EXPECT_FALSE(removeByHand->isEnabled()) << "nothing made by hand yet";
    w->findChild<QPushButton*>(QStringLiteral("Edit_Button"))->click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    EXPECT_FALSE(ui.Form2->SpinEdit2->isEnabled());
    EXPECT_EQ(ui.Form2->SpinEdit2->value(), 160);

    const QPoint beyond = frames_fixture::EditorTest::cell(150, 18); // beyond the editor's 96 columns
    press(Qt::LeftButton, Qt::AltModifier, beyond);
    release(Qt::LeftButton, Qt::AltModifier, beyond);
    testing_support::controlNamed<QAction>(form, "Save1")->trigger();
    EXPECT_EQ(prompter.count(QStringLiteral("confirm")), 0) << "nothing was cut";
    const QModelIndex made = cell(*w, QStringLiteral("12"), DestinationsModel::FirstSign + front);
    EXPECT_TRUE(made.data(DestinationsModel::FitsRole).toBool()) << made.data(Qt::ToolTipRole).toString().toStdString();
    const vexel::SignOverride* stored = w->session()->overrideOf(QStringLiteral("12"), QStringLiteral("front"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->image.line(2 + 18).substr(36, 2), "02") << "column 150 of the last row";

    testing_support::controlNamed<QAction>(form, "New1")->trigger();
    EXPECT_EQ(session.settings().boardWidth(), 96);
    EXPECT_TRUE(ui.Form2->SpinEdit2->isEnabled());

    ASSERT_TRUE(removeByHand->isEnabled());
    prompter.confirmAnswers.push_back(true);
    removeByHand->click();
    EXPECT_FALSE(cell(*w, QStringLiteral("12"), DestinationsModel::FirstSign + front).data(DestinationsModel::ByHandRole).toBool());
    auto* history = w->findChild<QListWidget*>(QStringLiteral("History_List"));
    ASSERT_GE(history->count(), 1);
    EXPECT_TRUE(history->item(0)->text().endsWith(QStringLiteral("image on front removed"))) << history->item(0)->text().toStdString();
}

// Windows of one program share the set; a set another program holds is
// only read, and the greyed buttons say why.
TEST_F(DestinationsWindowTest, ASecondWindowSharesTheSetAndAnotherProgramsOnlyReads)
{
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w);
    {
        DestinationsWindow second(prompter);
        ASSERT_TRUE(second.openSet(setPath));
        EXPECT_EQ(&second.session()->set(), &w->session()->set());
        EXPECT_FALSE(second.session()->readOnly());
    }
    w->close();
    EXPECT_EQ(w->session(), nullptr);
    EXPECT_FALSE(QFile::exists(vexel::DestinationSet::lockPath(setPath)));

    // Another program's lock, as this process cannot stand for another.
    QLockFile other(vexel::DestinationSet::lockPath(setPath));
    ASSERT_TRUE(other.tryLock(0));
    DestinationsWindow second(prompter);
    ASSERT_TRUE(second.openSet(setPath));
    second.show();
    auto* banner = second.findChild<QLabel*>(QStringLiteral("Read_Only_Label"));
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(banner->text().startsWith(QStringLiteral("Read-only: "))) << banner->text().toStdString();
    EXPECT_GT(banner->text().size(), QStringLiteral("Read-only: ").size());
    for (const char* name : {"Add_Button", "Remove_Button", "Suggest_Button", "Edit_Button", "Import_Button"}) {
        auto* button = second.findChild<QPushButton*>(QLatin1String(name));
        EXPECT_FALSE(button->isEnabled()) << name;
        EXPECT_TRUE(button->toolTip().startsWith(QStringLiteral("The set is open read-only: it is open for editing")))
            << name << ": " << button->toolTip().toStdString();
    }
    EXPECT_TRUE(second.findChild<QPushButton*>(QStringLiteral("Export_Button"))->isEnabled());
}

TEST_F(DestinationsWindowTest, SendWithoutAReleaseSaysSoAndSendsNothing)
{
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w);
    w->selectRow(0);
    QSignalSpy sent(w, &DestinationsWindow::sendRequested);
    w->findChild<QPushButton*>(QStringLiteral("Send_Button"))->click();
    EXPECT_EQ(sent.count(), 0);
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("error"))[0].contains(QStringLiteral("release the set first")));
}

// Release asks for a folder not made yet, a note and a day, and says what
// it wrote; Send then asks for the bus and the port, puts the chosen files
// of that release on the send list, checks them against their sign and
// journals the bus, the sign and the port.
TEST_F(DestinationsWindowTest, SendAsksTheBusAndThePortAndJournalsThemWithTheSign)
{
    {
        auto set = vexel::DestinationSet::open(setPath, vexel::DestinationSet::Access::Edit);
        ASSERT_TRUE(set) << set.error().toStdString();
        ASSERT_TRUE((*set)->removeDestination(QStringLiteral("long"))); // it fits no rear sign
    }
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w && table);
    session.setJournalPath(dir.path() + "/journal.sqlite");
    const auto bus = [](const char* number) {
        vexel::Bus b;
        b.number = QLatin1String(number);
        b.codes = QStringList{QStringLiteral("*")};
        return b;
    };
    ASSERT_TRUE(vexel::BusList(session.journal()).merge({bus("1042"), bus("7")}));

    const QString released = folder + QStringLiteral("depot/spring");
    prompter.releaseAnswers.push_back({released, QStringLiteral("spring timetable"), QDate()});
    w->Release_Click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    ASSERT_EQ(prompter.count(QStringLiteral("inform")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("inform"))[0].startsWith(
        QStringLiteral("Version 1: 3 images written, the first release of the set\nin ")))
        << prompter.texts(QStringLiteral("inform"))[0].toStdString();
    EXPECT_TRUE(testing_support::readAll(released + QStringLiteral("/release.txt")).contains("\nnote: spring timetable\n"));

    w->findChild<QComboBox*>(QStringLiteral("Sign_Box"))->setCurrentIndex(signNumber(*w, QStringLiteral("front")));
    table->selectAll();
    const QString port = folder + QStringLiteral("no-such-port");
    prompter.sendAnswers.push_back({QStringLiteral("1042"), port});
    w->findChild<QPushButton*>(QStringLiteral("Send_Button"))->click();
    ASSERT_EQ(prompter.sendQuestions.size(), 1u);
    const SendQuestion& asked = prompter.sendQuestions.front();
    EXPECT_EQ(asked.sign, QStringLiteral("front"));
    EXPECT_EQ(asked.files, 1);
    EXPECT_EQ(asked.buses, (QStringList{QStringLiteral("7"), QStringLiteral("1042")}));
    EXPECT_TRUE(asked.bus.isEmpty()) << "no bus typed today";
    EXPECT_TRUE(asked.ports.contains(QStringLiteral("COM1")));

    EXPECT_EQ(QFileInfo(session.document().path()).absolutePath(), released + QStringLiteral("/front"));
    EXPECT_EQ(session.sendList().entries(), QStringList{QStringLiteral("12.img")});
    // Front images are 160 x 19 and the board in use is 96 x 24: no finding.
    for (const vexel::Finding& f : session.preflight())
        ADD_FAILURE() << f.line().toStdString();
    EXPECT_EQ(session.settings().busNumber(), QStringLiteral("1042"));
    EXPECT_EQ(session.settings().comPort(), port);
    const auto entries = session.journal().entries({});
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(entries->front().bus, QStringLiteral("1042"));
    EXPECT_EQ(entries->front().sign, QStringLiteral("front"));
    EXPECT_EQ(entries->front().port, port);
    EXPECT_EQ(entries->front().version, 1);
    EXPECT_EQ(entries->front().reply, QStringLiteral("not sent: Port was not opened"));

    // Cancelled: nothing more goes out.
    w->findChild<QPushButton*>(QStringLiteral("Send_Button"))->click();
    EXPECT_EQ(prompter.sendQuestions.size(), 2u);
    EXPECT_EQ(prompter.sendQuestions.back().bus, QStringLiteral("1042"));
    EXPECT_EQ(session.journal().entries({})->size(), 1u);
}

// Release from the window writes what `vexel set release` writes: every
// image byte for byte, a proof sheet of the same size per sign (its heading
// names the version and the time), and the same table in release.txt.
TEST_F(DestinationsWindowTest, ReleaseWritesWhatTheCommandWrites)
{
    {
        auto set = vexel::DestinationSet::open(setPath, vexel::DestinationSet::Access::Edit);
        ASSERT_TRUE(set) << set.error().toStdString();
        ASSERT_TRUE((*set)->removeDestination(QStringLiteral("long"))); // it fits no rear sign
    }
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w);
    const QString fromWindow = folder + QStringLiteral("window");
    prompter.fileAnswers.push_back(fromWindow);
    w->Release_Click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    ASSERT_EQ(prompter.count(QStringLiteral("inform")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("inform"))[0].contains(QDir::toNativeSeparators(fromWindow)));
    EXPECT_FALSE(w->findChild<QProgressBar*>(QStringLiteral("Release_Progress"))->isVisible());
    delete w; // the command needs the set the window holds

    const QString fromCommand = folder + QStringLiteral("command");
    QProcess vexel;
    vexel.start(QStringLiteral(VEXEL_CLI_TOOL), {QStringLiteral("set"), QStringLiteral("release"), setPath,
                                                 QStringLiteral("--out"), fromCommand});
    ASSERT_TRUE(vexel.waitForFinished(60000));
    ASSERT_EQ(vexel.exitCode(), 0) << vexel.readAllStandardError().toStdString();

    QDirIterator files(fromWindow, QDir::Files, QDirIterator::Subdirectories);
    int compared = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        const QString name = QDir(fromWindow).relativeFilePath(path);
        const QByteArray mine = testing_support::readAll(path);
        const QByteArray theirs = testing_support::readAll(fromCommand + QLatin1Char('/') + name);
        if (name == QStringLiteral("release.txt")) {
            // Its head names the version and the time, which differ.
            const auto fileTable = [](const QByteArray& text) { return text.mid(text.indexOf("file\tframes")); };
            EXPECT_EQ(fileTable(mine), fileTable(theirs));
        } else if (name.endsWith(QStringLiteral(".png"))) {
            EXPECT_EQ(QImage::fromData(mine).size(), QImage::fromData(theirs).size()) << name.toStdString();
        } else {
            EXPECT_EQ(mine, theirs) << name.toStdString();
        }
        ++compared;
    }
    EXPECT_EQ(compared, 3 + 3 + 1); // front, side and rear images of 12, three sheets, release.txt
}

// The Release dialog's choice of one PDF per sign reaches the release, and
// the next Release proposes it again.
TEST_F(DestinationsWindowTest, ReleaseWithPdfSheetsAndTheNextProposesThem)
{
    {
        auto set = vexel::DestinationSet::open(setPath, vexel::DestinationSet::Access::Edit);
        ASSERT_TRUE(set) << set.error().toStdString();
        ASSERT_TRUE((*set)->removeDestination(QStringLiteral("long"))); // it fits no rear sign
    }
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w);
    const QString released = folder + QStringLiteral("pdf");
    prompter.releaseAnswers.push_back({released, QString(), QDate(), vexel::SheetFormat::Pdf});
    w->Release_Click();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    ASSERT_EQ(prompter.releaseQuestions.size(), 1u);
    EXPECT_EQ(prompter.releaseQuestions[0].sheets, vexel::SheetFormat::Png) << "PNG until chosen otherwise";
    EXPECT_EQ(QDir(released).entryList({QStringLiteral("*-proof*")}, QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("front-proof.pdf"), QStringLiteral("rear-proof.pdf"),
                           QStringLiteral("side-proof.pdf")}));

    w->Release_Click(); // cancelled: no answer, no folder chosen
    ASSERT_EQ(prompter.releaseQuestions.size(), 2u);
    EXPECT_EQ(prompter.releaseQuestions[1].sheets, vexel::SheetFormat::Pdf);
    EXPECT_EQ(prompter.releaseQuestions[1].folder, released);
}

TEST_F(DestinationsWindowTest, AssistiveToolsHearTheSignBoxTheCellEditorAndWhatEachSignShows)
{
    DestinationsWindow* w = openFromMenu();
    ASSERT_TRUE(w && table);
    auto* signBox = w->findChild<QComboBox*>(QStringLiteral("Sign_Box"));
    ASSERT_NE(signBox, nullptr);
    EXPECT_EQ(spoken(signBox, QAccessible::Name), QStringLiteral("Sign for Edit by hand and Send"));
    EXPECT_EQ(spoken(signBox, QAccessible::Description), signBox->currentText());

    selectCode(*w, QStringLiteral("long"));
    auto* frontView = w->findChild<QWidget*>(QStringLiteral("Preview_front"))->findChild<SignView*>();
    auto* rearView = w->findChild<QWidget*>(QStringLiteral("Preview_rear"))->findChild<SignView*>();
    ASSERT_TRUE(frontView && rearView);
    const QString stored = spoken(frontView, QAccessible::Description);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("long აეროპორტი Airport on front, frame 1 of "))) << stored.toStdString();
    // The route is too long for the rear sign: it has no image to play.
    EXPECT_EQ(spoken(rearView, QAccessible::Description), QStringLiteral("long აეროპორტი Airport on rear, no image"));

    const QModelIndex latin = cell(*w, QStringLiteral("long"), DestinationsModel::DestinationEn);
    table->setCurrentIndex(latin);
    table->edit(latin);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(spoken(editor, QAccessible::Name), QStringLiteral("Destination (en) of long"));
    // The signs describe the text as typed.
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Port"));
    const QString typed = spoken(frontView, QAccessible::Description);
    EXPECT_TRUE(typed.startsWith(QStringLiteral("long აეროპორტი Port on front, frame "))) << typed.toStdString();
    QTest::keyClick(editor, Qt::Key_Escape);
}
