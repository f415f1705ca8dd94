// Every window of the editor with the Georgian interface, as the program
// opens it: no caption of ours is left in Latin letters, and none needs more
// room than the window gives it.
#include "app/About.h"
#include "app/DestinationsWindow.h"
#include "app/FleetWindow.h"
#include "app/FontEditor.h"
#include "app/Graphic_Editor.h"
#include "app/GtfsImportDialog.h"
#include "app/GuideWindow.h"
#include "app/ImportPanel.h"
#include "app/InterfaceTranslation.h"
#include "app/JournalWindow.h"
#include "app/ReleaseDialog.h"
#include "app/SendDialog.h"
#include "app/TextPanel.h"
#include "document/ImageFile.h"
#include "session/DestinationsModel.h"
#include "sets/DestinationSet.h"
#include "sets/SignProfile.h"
#include "lettering/FontDocument.h"
#include "session/EditorSession.h"
#include "settings/SettingsStore.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"
#include "support/WindowTexts.h"
#include "transfer/PortList.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QSysInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using testing_support::clippedCaptions;
using testing_support::latinCaptions;
using testing_support::latinWords;
using testing_support::report;

// The Latin a Georgian window may show as it is: the program's name,
// formats and standards, the languages' codes, units, key names and the "x"
// between a width and a height.
const QStringList LatinAllowed = {
    QStringLiteral("Vexel Image"), QStringLiteral("LED"), QStringLiteral("GTFS"), QStringLiteral("CSV"),
    QStringLiteral("PDF"),         QStringLiteral("PNG"), QStringLiteral("GIF"),  QStringLiteral("SQL"),
    QStringLiteral("zip"),         QStringLiteral("ka"),  QStringLiteral("en"),
    QStringLiteral("TLS"),         QStringLiteral("ms"),  QStringLiteral("s"),    QStringLiteral("px"),
    QStringLiteral("Ctrl"),        QStringLiteral("Alt"), QStringLiteral("Shift"), QStringLiteral("Enter"),
    QStringLiteral("X"),           QStringLiteral("x"),   QStringLiteral("%n"), // in a code pattern
};

// The windows are laid out in the font the offscreen platform finds, so a
// width measured here is the same on every machine.
class ApplicationFont {
public:
    ApplicationFont() : before_(QApplication::font()) { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9)); }
    ~ApplicationFont() { QApplication::setFont(before_); }
    ApplicationFont(const ApplicationFont&) = delete;
    ApplicationFont& operator=(const ApplicationFont&) = delete;

private:
    QFont before_;
};

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

class GeorgianWindows : public ::testing::Test {
protected:
    GeorgianWindows() : folder(testing_support::folderOf(dir)) {}

    void SetUp() override { ASSERT_TRUE(translation.georgian()) << "the Georgian translations are not built in"; }

    // The main window after its start-up work, on a new image, as it first shows.
    TForm1& start()
    {
        form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        form->Timer1Timer();
        form->show();
        settle();
        return *form;
    }

    // Shows `window` if the program has not, then checks its captions;
    // `data` are boxes and lists whose entries are the user's, `dataWords`
    // the user's words a caption may quote (a sign's name).
    void expectGeorgian(QWidget* window, const QString& name, const QSet<const QObject*>& data = {},
                        const QStringList& dataWords = {})
    {
        ASSERT_NE(window, nullptr) << name.toStdString() << " did not open";
        window->show();
        settle();
        const auto latin = latinCaptions(window, name, LatinAllowed + dataWords, data);
        EXPECT_TRUE(latin.empty()) << "captions in Latin letters:" << report(latin);
        const auto clipped = clippedCaptions(window, name);
        EXPECT_TRUE(clipped.empty()) << "captions that do not fit:" << report(clipped);
    }

    template <class T>
    T* child(const char* name) const
    {
        return form->findChild<T*>(QLatin1String(name));
    }

    void trigger(const char* action) const
    {
        auto* a = testing_support::controlNamed<QAction>(*form, action);
        if (a)
            a->trigger();
        settle();
    }

    // A bus set of three signs with one destination, in the test's folder.
    QString busSet() const
    {
        const QString path = folder + QStringLiteral("bus.vxset");
        auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        EXPECT_TRUE(signs) << signs.error().toStdString();
        if (!signs)
            return path;
        auto made = vexel::DestinationSet::create(path, *signs);
        EXPECT_TRUE(made) << made.error().toStdString();
        vexel::Destination airport;
        airport.code = airport.route = QStringLiteral("12");
        airport.destinationKa = QStringLiteral("აეროპორტი");
        airport.destinationEn = QStringLiteral("Airport");
        if (made) {
            EXPECT_TRUE((*made)->addDestination(airport));
        }
        return path;
    }

    ApplicationFont font;
    const vexel::InterfaceTranslation translation{vexel::AppSettings::InterfaceLanguage::Georgian};
    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TForm1> form;
};

// ---- the rules themselves, on texts and widgets made for them

TEST(GeorgianCaptionRules, LatinWordsAreFoundAndCodesNamesAndUnitsAreNot)
{
    // Georgian with what may stay as it is.
    for (const char* text : {"ვერსია 1.0", "Vexel Image-ის შესახებ", "პორტი COM1 ან ttyUSB0", "ფერი 0x00FF00",
                             "ფაილი route.img, *.vxset და ~/.pgpass", "postgresql://user@host/db", "500 ms",
                             "Ctrl+Alt+თაგვის მარცხენა", "LED დაფა, GTFS, CSV", "U+XXXX", "route_id", "96 X 24", ""}) {
        EXPECT_EQ(latinWords(QString::fromUtf8(text), LatinAllowed), QStringList()) << text;
    }
    // Words in Latin letters, each named once; joined words one by one.
    EXPECT_EQ(latinWords(QStringLiteral("Import image..."), LatinAllowed), QStringList({"Import", "image"}));
    EXPECT_EQ(latinWords(QString::fromUtf8("Frame-ს შესაქმნელად Copy/Paste"), LatinAllowed),
              QStringList({"Frame", "Copy", "Paste"}));
    EXPECT_EQ(latinWords(QStringLiteral("Ctrl+Mouse Left"), LatinAllowed), QStringList({"Mouse", "Left"}));
    EXPECT_EQ(latinWords(QStringLiteral("Image Image"), LatinAllowed), QStringList({"Image"}))
        << "only the whole name is the program's";
    EXPECT_EQ(latinWords(QString::fromUtf8("«Save» და (Cancel)"), LatinAllowed), QStringList({"Save", "Cancel"}));
    EXPECT_EQ(latinWords(QString::fromUtf8("დანიშნულება (ka), Destination (en)"), LatinAllowed),
              QStringList({"Destination"}));
}

TEST(GeorgianCaptionRules, CaptionsFoundInWindowsAndTheirMenusButNotInDataOrOtherWindows)
{
    const ApplicationFont font;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("<b>Port</b> ტესტი"), &window);
    label->setObjectName(QStringLiteral("Port_Label"));
    layout->addWidget(label);
    auto* data = new QComboBox(&window);
    data->addItems({QStringLiteral("North depot")});
    layout->addWidget(data);
    auto* ours = new QComboBox(&window);
    ours->addItems({QStringLiteral("ყველა"), QStringLiteral("All sets")});
    layout->addWidget(ours);
    auto* hidden = new QPushButton(QStringLiteral("&Later"), &window);
    hidden->hide();
    auto* menu = new QMenu(QStringLiteral("File"), &window);
    menu->addAction(QStringLiteral("გახსნა"));
    auto* other = new QWidget(&window, Qt::Window);
    new QLabel(QStringLiteral("Another window"), other);
    window.show();
    settle();

    const auto found = latinCaptions(&window, QStringLiteral("test"), LatinAllowed, {data});
    QStringList seen;
    for (const auto& f : found)
        seen << f.widget + QLatin1Char('=') + f.text;
    EXPECT_EQ(seen, QStringList({"QWidget=Settings", "Port_Label=Port ტესტი", "QComboBox=All sets",
                                 "QPushButton=Later", "QMenu=File"}))
        << report(found);
    EXPECT_TRUE(found[3].why.contains(QStringLiteral("hidden"))) << found[3].why.toStdString();
}

TEST(GeorgianCaptionRules, CaptionsWiderThanTheirWidgetsAreFound)
{
    const ApplicationFont font;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    const QString longText = QString::fromUtf8("დანიშნულების ადგილების სია");
    auto* narrow = new QLabel(longText, &window);
    narrow->setFixedWidth(40);
    auto* wide = new QLabel(longText, &window);
    auto* wrapped = new QLabel(longText + QLatin1Char(' ') + longText, &window);
    wrapped->setWordWrap(true);
    wrapped->setFixedSize(200, 16);
    auto* button = new QPushButton(longText, &window);
    button->setFixedWidth(60);
    auto* check = new QCheckBox(longText, &window);
    check->setMaximumWidth(50);
    auto* fits = new QPushButton(QStringLiteral("OK"), &window);
    fits->setFixedWidth(60); // narrower than the style's least width, but the text fits
    auto* table = new QTableView(&window);
    auto* model = new QStandardItemModel(1, 2, table);
    model->setHorizontalHeaderLabels({longText, QStringLiteral("#")});
    table->setModel(model);
    table->horizontalHeader()->resizeSection(0, 30);
    for (QWidget* w : std::initializer_list<QWidget*>{narrow, wide, wrapped, button, check, fits, table})
        layout->addWidget(w);
    window.show();
    settle();

    const auto found = clippedCaptions(&window, QStringLiteral("test"));
    QStringList seen;
    for (const auto& f : found)
        seen << f.widget;
    EXPECT_EQ(seen, QStringList({"QLabel", "QLabel", "QPushButton", "QCheckBox", "QHeaderView"})) << report(found);
    ASSERT_EQ(found.size(), 5u);
    EXPECT_TRUE(found[0].why.startsWith(QStringLiteral("clipped by"))) << found[0].why.toStdString();
    EXPECT_TRUE(found[1].why.contains(QStringLiteral("in height"))) << found[1].why.toStdString();
    EXPECT_TRUE(found[4].why.startsWith(QStringLiteral("column 0;"))) << found[4].why.toStdString();
}

// A bar too narrow for its entries shows a » button with the rest; they
// are named, and a bar with room is not.
TEST(GeorgianCaptionRules, EntriesPushedOutOfABarAreFound)
{
    const ApplicationFont font;
    for (const int width : {120, 900}) {
        QMainWindow window;
        for (const char* title : {"ფაილი", "რედაქტირება", "ხედი", "პარამეტრები"})
            window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("x"));
        QToolBar* tools = window.addToolBar(QStringLiteral("tools"));
        for (const char* tool : {"ფანქარი", "საშლელი", "მართკუთხედი", "ხაზი"})
            tools->addAction(QString::fromUtf8(tool));
        window.resize(width, 200);
        window.show();
        settle();
        const auto found = clippedCaptions(&window, QStringLiteral("test"));
        if (width > 800) {
            EXPECT_TRUE(found.empty()) << report(found);
            continue;
        }
        ASSERT_EQ(found.size(), 2u) << report(found);
        EXPECT_TRUE(found[0].why.startsWith(QStringLiteral("menu bar entries out"))) << report(found);
        EXPECT_TRUE(found[0].text.contains(QString::fromUtf8("პარამეტრები"))) << report(found);
        EXPECT_TRUE(found[1].why.startsWith(QStringLiteral("tools out"))) << report(found);
        EXPECT_TRUE(found[1].text.contains(QString::fromUtf8("ხაზი"))) << report(found);
    }
}

// ---- the program's windows

// The About box keeps the size it always had, and grows where its texts
// need more, as in a longer language or a larger font.
TEST(AboutBox, KeepsItsSizeUnlessItsTextsNeedMore)
{
    const ApplicationFont font;
    {
        TAboutBox box(nullptr, QStringLiteral("/home/user/.config/vexelimage/Vexel Image/Lumaro.ini"));
        box.show();
        settle();
        EXPECT_EQ(box.size(), QSize(358, 209));
        const auto clipped = clippedCaptions(&box, QStringLiteral("About"));
        EXPECT_TRUE(clipped.empty()) << report(clipped);
    }
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    TAboutBox box(nullptr, QStringLiteral("/home/user/.config/vexelimage/Vexel Image/Lumaro.ini"));
    box.show();
    settle();
    EXPECT_GT(box.width(), 358);
    EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "still a box of one size";
    const auto clipped = clippedCaptions(&box, QStringLiteral("About"));
    EXPECT_TRUE(clipped.empty()) << report(clipped);
}

TEST_F(GeorgianWindows, MainWindowWithItsPanelsAndDialogs)
{
    TForm1& main = start();
    testing_support::MainControls ui(main);
    expectGeorgian(&main, QStringLiteral("main window"));

    main.Form2->show(); // the Settings command shows it modally
    // The language box names each language in its own.
    expectGeorgian(main.Form2, QStringLiteral("Settings"), {}, {QStringLiteral("English")});
    main.Form2->hide();

    ui.N1->trigger();
    // The gestures' Georgian lines are the ones the Help window always had;
    // they name the Copy, Paste and Frame commands as the program first did.
    expectGeorgian(ui.Form4, QStringLiteral("Help"), {},
                   {QStringLiteral("Copy"), QStringLiteral("Paste"), QStringLiteral("Frame")});

    ui.Button11->click();
    expectGeorgian(ui.Form3, QStringLiteral("Test"));

    TAboutBox about(&main, main.session().store().path());
    expectGeorgian(&about, QStringLiteral("About"));
}

TEST_F(GeorgianWindows, SignTextImportFontAndGuideWindows)
{
    start();
    trigger("Sign1");
    expectGeorgian(child<QWidget>("Sign_Window"), QStringLiteral("Sign"));

    trigger("Text1");
    auto* text = form->findChild<TextPanel*>();
    expectGeorgian(text, QStringLiteral("Text"), text ? QSet<const QObject*>{text->fontBox, text->numberFontBox}
                                                       : QSet<const QObject*>{});
    if (text) {
        // A route sign's number and destination, then a text fitted on its
        // own: the panel's line on each fit is Georgian too.
        text->textEdit->setPlainText(QString::fromUtf8("12 აეროპორტი"));
        text->applyLayout(TextPanel::Layout::NumberAndDestination);
        EXPECT_TRUE(text->fitLabel->text().startsWith(QString::fromUtf8("ნომერი: ")))
            << text->fitLabel->text().toStdString();
        expectGeorgian(text, QStringLiteral("Text with a preset"), {text->fontBox, text->numberFontBox});
        text->applyLayout(TextPanel::Layout::OneText);
        text->fit();
        EXPECT_TRUE(text->fitLabel->text().startsWith(QString::fromUtf8("მორგებულია")))
            << text->fitLabel->text().toStdString();
        expectGeorgian(text, QStringLiteral("Text fitted"), {text->fontBox, text->numberFontBox});
    }

    const QString picture = folder + QStringLiteral("arrow.png");
    QImage arrow(48, 16, QImage::Format_RGB32);
    arrow.fill(Qt::white);
    ASSERT_TRUE(arrow.save(picture));
    prompter.fileAnswers.push_back(picture);
    trigger("Import1");
    expectGeorgian(form->findChild<ImportPanel*>(), QStringLiteral("Import picture"));

    // What Edit > Font Editor... does.
    FontEditor* fonts = FontEditor::showFor(form.get(), prompter);
    settle();
    // The font's family is named in the font's file.
    const QStringList family =
        QString::fromStdString(fonts->document().font().family).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    expectGeorgian(fonts, QStringLiteral("Font Editor"), {fonts->glyphList}, family);

    trigger("User_Guide1");
    expectGeorgian(child<GuideWindow>("Guide_Window"), QStringLiteral("Guide"));
}

TEST_F(GeorgianWindows, DestinationsAndTheWindowsItOpens)
{
    const QString set = busSet();
    start();
    prompter.fileAnswers.push_back(set);
    trigger("Destinations1");
    auto* destinations = child<DestinationsWindow>("Destinations_Window");
    ASSERT_NE(destinations, nullptr);
    ASSERT_NE(destinations->session(), nullptr) << "the set did not open";
    // The set is named by its file, its signs in the bus profile; the
    // history names this computer.
    const QStringList setWords{QStringLiteral("bus"), QStringLiteral("front"), QStringLiteral("side"),
                               QStringLiteral("rear"), QSysInfo::machineHostName()};
    expectGeorgian(destinations, QStringLiteral("Destinations"),
                   {destinations->findChild<QComboBox*>(QStringLiteral("Sign_Box"))}, setWords);

    destinations->Versions_Click();
    settle();
    expectGeorgian(destinations->findChild<QWidget*>(QStringLiteral("Versions_Window")), QStringLiteral("Versions"), {},
                   setWords);

    destinations->Word_Lists_Click();
    settle();
    // The lists say what they do with Latin headsigns and words as feeds have them.
    expectGeorgian(destinations->findChild<QWidget*>(QStringLiteral("Word_Lists_Dialog")), QStringLiteral("Word lists"),
                   {}, {QStringLiteral("via"), QStringLiteral("Y"), QStringLiteral("SBS"), QStringLiteral("JFK")});

    // The two dialogs the prompter shows when Release and Send ask.
    ReleaseDialog release({folder + QStringLiteral("release"), QString(), QDate()}, prompter, destinations);
    expectGeorgian(&release, QStringLiteral("Release"));
    const vexel::PortList ports = vexel::PortList::systemPorts();
    SendDialog send({QStringLiteral("front"), 2, {QStringLiteral("1042")}, QStringLiteral("1042"), ports.choices(),
                     ports.entryFor(QStringLiteral("COM1"))},
                    destinations);
    expectGeorgian(&send, QStringLiteral("Send"), {}, setWords);
}

// A Georgian feed that makes the import say much: a route without a short
// name, trips of an unknown route and of a third direction, a headsign too
// long for any sign, a Latin headsign, and Georgian ones without English.
void writeTalkativeFeed(const QString& folder)
{
    QDir().mkpath(folder);
    const auto put = [&](const char* name, const QByteArray& text) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size()) << name;
    };
    put("feed_info.txt", "feed_publisher_name,feed_lang,feed_version\nCity,ka,2027-01\n");
    put("routes.txt", "route_id,route_short_name,route_type\nr1,1,3\nr2,,3\nr3,3,3\nr4,4,3\n");
    put("trips.txt", "route_id,trip_id,trip_headsign,direction_id\n"
                     "r1,t1,\u10D5\u10D0\u10D9\u10D4,0\n"
                     "r2,t2,\u10D2\u10DA\u10D3\u10D0\u10DC\u10D8,0\n"
                     "r3,t3," + QString(1001, QChar(0x10D0)).toUtf8() + ",0\n"
                     "r4,t4,DIDUBE,0\n"
                     "rX,t5,\u10D5\u10D0\u10D9\u10D4,0\n"
                     "r1,t6,\u10D5\u10D0\u10D9\u10D4,2\n");
    put("stop_times.txt", "trip_id,stop_sequence,stop_headsign\nt1,1,\n");
}

TEST_F(GeorgianWindows, GtfsImportReportAndASetThatCannotBeOpenedAreInGeorgian)
{
    start();
    const QString feed = folder + QStringLiteral("feed");
    writeTalkativeFeed(feed);
    GtfsImportDialog dialog(prompter, form.get());
    dialog.setSetPath(busSet());
    dialog.setFeedPath(feed);
    dialog.show();
    const vexel::Status shown = dialog.showDifference();
    ASSERT_TRUE(shown) << shown.error().toStdString();

    // Each kind of line the feed gives is there, and none has an English
    // word of ours; the Latin names are the feed's, or suggested for it.
    const QStringList feedWords{QStringLiteral("Vake"), QStringLiteral("Gldani"), QStringLiteral("DIDUBE"),
                                QStringLiteral("Didube")};
    auto* report = dialog.findChild<QPlainTextEdit*>(QStringLiteral("Report"));
    auto* changes = dialog.findChild<QTreeWidget*>(QStringLiteral("Changes"));
    ASSERT_TRUE(report && changes);
    const QStringList lines = report->toPlainText().split(QLatin1Char('\n'));
    const auto having = [&](const QString& part) {
        return std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(part); });
    };
    EXPECT_EQ(having(QStringLiteral("trips.txt")), 3) << "unknown route, third direction, too long";
    EXPECT_EQ(having(QStringLiteral("route_id r2")), 1);
    EXPECT_EQ(having(QStringLiteral("translations.txt")), 3) << "every headsign without English, the Latin one too";
    EXPECT_EQ(having(QStringLiteral("destination_ka")), 1) << "the Latin headsign";
    for (const QString& line : lines)
        EXPECT_TRUE(latinWords(line, LatinAllowed + feedWords).isEmpty())
            << line.toStdString() << ": " << latinWords(line, LatinAllowed + feedWords).join(' ').toStdString();
    // The line of the long headsign carries its reason and the route left out.
    EXPECT_EQ(having(QStringLiteral("1001")), 1);
    // What a row's note says of its texts.
    int notes = 0;
    for (int i = 0; i < changes->topLevelItemCount(); ++i) {
        const QString note = changes->topLevelItem(i)->text(5);
        notes += note.isEmpty() ? 0 : 1;
        EXPECT_TRUE(latinWords(note, LatinAllowed).isEmpty()) << note.toStdString();
    }
    EXPECT_GE(notes, 1);

    // A file that is not a set, refused where the set layer refuses it.
    const QString empty = folder + QStringLiteral("empty.vxset");
    QFile(empty).open(QIODevice::WriteOnly);
    prompter.clear();
    dialog.setSetPath(empty);
    EXPECT_FALSE(dialog.showDifference());
    const QStringList errors = prompter.texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(latinWords(errors.front(), LatinAllowed).isEmpty()) << errors.front().toStdString();
    EXPECT_TRUE(errors.front().contains(QDir::toNativeSeparators(empty))) << errors.front().toStdString();

    // A journal file that is no journal: ours in Georgian, the driver's
    // reason after the last colon as the driver gives it.
    const QString journal = folder + QStringLiteral("journal.sqlite");
    QFile garbage(journal);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    form->session().setJournalPath(journal);
    trigger("Journal1");
    auto* journalWindow = child<JournalWindow>("Journal_Window");
    ASSERT_NE(journalWindow, nullptr);
    const QString answer = journalWindow->Label_Answer->text();
    ASSERT_TRUE(answer.contains(QStringLiteral("journal.sqlite"))) << answer.toStdString();
    const QString ours = answer.left(answer.lastIndexOf(QStringLiteral(": ")));
    EXPECT_TRUE(latinWords(ours, LatinAllowed).isEmpty()) << answer.toStdString();
}

// Words made below the windows on rarer paths: why a destination does not
// fit a sign, a feed that is no zip, and an image larger than the board.
TEST_F(GeorgianWindows, WhyADestinationDoesNotFitAZipThatIsNoneAndACutImage)
{
    const QString set = busSet();
    {
        auto opened = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Edit);
        ASSERT_TRUE(opened) << opened.error().toStdString();
        vexel::Destination longOne;
        longOne.code = longOne.route = QStringLiteral("13");
        // One word wider than any sign, which no line break helps.
        longOne.destinationKa = QString(120, QChar(0x10D0));
        ASSERT_TRUE((*opened)->addDestination(longOne));
        // An image made by hand for the front sign, of the side sign's size.
        vexel::SignOverride byHand;
        byHand.code = QStringLiteral("12");
        byHand.sign = QStringLiteral("front");
        auto image = vexel::ImageFile::parse(testing_support::blankImageText(40, 8));
        ASSERT_TRUE(image);
        byHand.image = *image;
        ASSERT_TRUE((*opened)->storeOverride(byHand));
    }
    start();
    prompter.fileAnswers.push_back(set);
    trigger("Destinations1");
    auto* destinations = child<DestinationsWindow>("Destinations_Window");
    ASSERT_TRUE(destinations && destinations->session());
    auto* table = destinations->findChild<QTableView*>(QStringLiteral("Destinations_Table"));
    ASSERT_TRUE(table);
    const QAbstractItemModel* model = table->model();
    const QStringList setWords{QStringLiteral("front"), QStringLiteral("side"), QStringLiteral("rear")};
    int unfit = 0;
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = vexel::DestinationsModel::FirstSign; column < model->columnCount(); ++column) {
            const QModelIndex at = model->index(row, column);
            if (model->data(at, vexel::DestinationsModel::FitsRole).toBool())
                continue;
            ++unfit;
            for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
                const QString said = model->data(at, role).toString();
                EXPECT_TRUE(latinWords(said, LatinAllowed + setWords).isEmpty()) << said.toStdString();
            }
        }
    EXPECT_GE(unfit, 3) << "the long destination on the smaller signs, the image made by hand on the front";
    // A release stopped by them names each in Georgian too.
    prompter.clear();
    prompter.fileAnswers.push_back(folder + QStringLiteral("release"));
    destinations->Release_Click();
    const QStringList told = prompter.texts(QStringLiteral("inform"));
    ASSERT_EQ(told.size(), 1) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    EXPECT_EQ(told.front().count(QLatin1Char('\n')), 5) << "three left out: " << told.front().toStdString();
    EXPECT_TRUE(latinWords(told.front(), LatinAllowed + setWords).isEmpty()) << told.front().toStdString();

    // A feed that is no zip: ours and libzip's reason in Georgian.
    QFile feed(folder + QStringLiteral("feed.zip"));
    ASSERT_TRUE(feed.open(QIODevice::WriteOnly) && feed.write("not a zip") > 0);
    feed.close();
    GtfsImportDialog dialog(prompter, form.get());
    dialog.setSetPath(set);
    dialog.setFeedPath(feed.fileName());
    prompter.clear();
    EXPECT_FALSE(dialog.showDifference());
    const QStringList errors = prompter.texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(latinWords(errors.front(), LatinAllowed + QStringList{QStringLiteral("feed")}).isEmpty())
        << errors.front().toStdString();

    // An image made for a wider board: the status bar says what is cut, and
    // Save asks before writing it cut.
    QList<QByteArray> lines = testing_support::blankImageText(160, 19).split('\n');
    lines[2] = QByteArray(38, '0') + "01\r";
    testing_support::writeAll(folder + QStringLiteral("wide.img"), lines.join('\n'));
    prompter.fileAnswers.push_back(folder + QStringLiteral("wide.img"));
    trigger("Load1");
    const QString notice = form->findChild<QStatusBar*>()->currentMessage();
    ASSERT_TRUE(notice.contains(QStringLiteral("wide.img"))) << notice.toStdString();
    EXPECT_TRUE(latinWords(notice, LatinAllowed + QStringList{QStringLiteral("wide"), QStringLiteral("img")}).isEmpty())
        << notice.toStdString();
    form->session().editor().storeFrame();
    prompter.clear();
    trigger("Save1");
    const QStringList asked = prompter.texts(QStringLiteral("confirm"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(latinWords(asked.front(), LatinAllowed + QStringList{QStringLiteral("wide"), QStringLiteral("img")})
                    .isEmpty())
        << asked.front().toStdString();
}

TEST_F(GeorgianWindows, GtfsImportJournalAndFleet)
{
    start();
    trigger("ImportGtfs1");
    expectGeorgian(form->findChild<GtfsImportDialog*>(), QStringLiteral("GTFS import"));

    form->session().setJournalPath(dir.path() + QStringLiteral("/journal.sqlite"));
    trigger("Journal1");
    // The reply box offers the board's replies as the board sends them.
    expectGeorgian(child<JournalWindow>("Journal_Window"), QStringLiteral("Journal"), {},
                   {QStringLiteral("OK"), QStringLiteral("CS"), QStringLiteral("LN")});

    trigger("Fleet1");
    auto* fleet = child<FleetWindow>("Fleet_Window");
    expectGeorgian(fleet, QStringLiteral("Fleet"), fleet ? QSet<const QObject*>{fleet->Combo_Sign} : QSet<const QObject*>{});
}

} // namespace
