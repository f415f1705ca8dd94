// vexel-walkthrough: drives the editor through a scenario the way an
// operator would (mouse, keys, menus) and saves a picture of the window
// after each step, for reviews and the README. Usage:
//   vexel-walkthrough [--language en|ka] SCENARIO OUTDIR
// --language ka shows the windows in Georgian, as an operator who chose it
// in Settings sees them; without it they keep the texts as written.
// Scenarios: undo, text, sign, import, layout (the main window, Settings,
// About, Help and the guide), tools, colours, fonteditor, network,
// destinations, fleet, day (a feed to a bus's three signs and the fleet),
// live (two windows on the server set VEXEL_WALK_SET).
#include "app/About.h"
#include "app/FontEditor.h"
#include "app/GuideWindow.h"
#include "app/Help.h"
#include "app/Test_Window.h"
#include "transfer/SendJob.h"
#include "transfer/SerialLink.h"
#include "app/WordListsDialog.h"
#include "app/DestinationsWindow.h"
#include "app/FileCommands.h"
#include "app/FleetWindow.h"
#include "app/Graphic_Editor.h"
#include "app/GtfsImportDialog.h"
#include "app/ImportCommands.h"
#include "app/JournalWindow.h"
#include "app/ReleaseDialog.h"
#include "app/SendDialog.h"
#include "app/SignCommands.h"
#include "app/TextCommands.h"
#include "app/VersionsWindow.h"
#include "sets/DestinationSet.h"
#include "sets/SignProfile.h"
#include "session/EditorSession.h"
#include "lettering/FontList.h"
#include "fleet/SetRelease.h"
#include "app/ImportPanel.h"
#include "app/InterfaceTranslation.h"
#include "app/Prompter.h"
#include "app/QtPrompter.h"
#include "app/Settings.h"
#include "widgets/SignWindow.h"
#include "app/TextPanel.h"
#include "lettering/FontDocument.h"
#include "lettering/UserFonts.h"
#include "sets/DestinationSet.h"
#include "sets/SetCsv.h"
#include "sets/SignProfile.h"
#include "preview/Timeline.h"
#include "session/DestinationsModel.h"
#include "session/DestinationsSession.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <QFrame>
#include "app/ImageView.h"

namespace {

class Walk {
public:
    Walk(TForm1& form, QString out) : form_(form), out_(std::move(out)) {}

    void shot(const QString& name)
    {
        QCoreApplication::processEvents();
        QTest::qWait(50);
        const QString path = nextPath(name);
        form_.grab().save(path);
        std::printf("%s\n", qPrintable(path));
        if (afterShot_)
            afterShot_(name);
    }

    void setAfterShot(std::function<void(const QString&)> hook) { afterShot_ = std::move(hook); }

    QPoint cell(int column, int row) const
    {
        const int s = form_.session().settings().cellSize();
        return QPoint(column * s + s / 2, row * s + s / 2);
    }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mousePress(form_.findChild<ImageView*>(QStringLiteral("Image1")), Qt::LeftButton, keys, cell(from.x(), from.y()));
        const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        for (int i = 1; i <= steps; ++i) {
            const QPoint p = cell(from.x() + (to.x() - from.x()) * i / steps, from.y() + (to.y() - from.y()) * i / steps);
            QMouseEvent move(QEvent::MouseMove, p, form_.findChild<ImageView*>(QStringLiteral("Image1"))->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, keys);
            QApplication::sendEvent(form_.findChild<ImageView*>(QStringLiteral("Image1")), &move);
        }
        QTest::mouseRelease(form_.findChild<ImageView*>(QStringLiteral("Image1")), Qt::LeftButton, keys, cell(to.x(), to.y()));
    }

    void key(int k, Qt::KeyboardModifiers keys = Qt::NoModifier) { QTest::keyClick(&form_, Qt::Key(k), keys); }

    void shotOf(QWidget* widget, const QString& name)
    {
        QCoreApplication::processEvents();
        QTest::qWait(50);
        const QString path = nextPath(name);
        widget->grab().save(path);
        std::printf("%s\n", qPrintable(path));
    }

    const QString& out() const { return out_; }

    // The next picture's path: OUT/<prefix>NN-name.png.
    QString nextPath(const QString& name)
    {
        return QStringLiteral("%1/%2%3-%4.png").arg(out_, prefix_).arg(++count_, 2, 10, QLatin1Char('0')).arg(name);
    }
    void setPrefix(const QString& prefix) { prefix_ = prefix; }

private:
    QString prefix_;
    TForm1& form_;
    QString out_;
    int count_ = 0;
    std::function<void(const QString&)> afterShot_;
};

// Whether the file on disk holds the frame panel's state (every frame
// header of the record) and the whole record.
void reportFile(TForm1& form, const QString& step)
{
    QFile file(form.session().document().path());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QList<QByteArray> lines = bytes.split('\n');
    const vexel::ImageRecord& record = form.session().document().record();
    bool headers = true;
    for (int f = 0; f < form.session().document().frameCount(); ++f) {
        const int at = record.headerLine(f);
        headers = headers && at >= 0 && at < lines.size() && lines[at].trimmed().toStdString() == record.line(at);
    }
    std::printf("  %-14s frames %d; the file's headers %s; the whole file %s; %s\n", qPrintable(step),
                form.session().document().frameCount(), headers ? "match" : "DIFFER", bytes.toStdString() == record.text() ? "matches" : "differs (unsaved edits)",
                form.session().document().modified() ? "unsaved" : "saved");
}

// Pencil, rectangle, a new frame and its effect, then all four undone and
// two redone.
void undoScenario(TForm1& form, Walk& walk)
{
    walk.setAfterShot([&form](const QString& name) { reportFile(form, name); });
    walk.shot("loaded");
    walk.key(Qt::Key_P);
    walk.drag({2, 2}, {20, 14});
    walk.shot("pencil");
    walk.key(Qt::Key_R);
    walk.drag({30, 4}, {44, 10});
    walk.shot("rectangle");
    walk.key(Qt::Key_S);
    walk.drag({50, 2}, {80, 12});
    form.findChild<QPushButton*>(QStringLiteral("Button9"))->click();
    walk.shot("new-frame");
    form.findChild<QComboBox*>(QStringLiteral("TntComboBox1"))->setCurrentIndex(2);
    emit form.findChild<QComboBox*>(QStringLiteral("TntComboBox1"))->activated(2);
    walk.shot("entry-effect");
    for (int i = 0; i < 4; ++i) {
        walk.key(Qt::Key_Z, Qt::ControlModifier);
        walk.shot(QStringLiteral("undo%1").arg(i + 1));
    }
    for (int i = 0; i < 2; ++i) {
        walk.key(Qt::Key_Y, Qt::ControlModifier);
        walk.shot(QStringLiteral("redo%1").arg(i + 1));
    }
}

// A route sign lettered with the Text tool: "12 აეროპორტი" with the Number +
// destination preset in the 11-row font, then a second frame "12 AIRPORT".
void letter(TForm1& form, Walk& walk, const QString& text, const QString& name)
{
    form.findChild<TextCommands*>()->Text1Click();
    TextPanel& panel = *form.findChild<TextPanel*>();
    panel.applyLayout(TextPanel::Layout::OneText); // the panel keeps the last text's parts
    panel.textEdit->setPlainText(text);
    const int font = panel.fontBox->findData(QStringLiteral("Vexel LED"));
    if (font >= 0)
        panel.fontBox->setCurrentIndex(font);
    const int height = panel.heightBox->findData(11);
    if (height >= 0)
        panel.heightBox->setCurrentIndex(height);
    panel.applyLayout(TextPanel::Layout::NumberAndDestination);
    walk.shot(name + QStringLiteral("-ghost"));
    walk.shotOf(&panel, name + QStringLiteral("-panel"));
    panel.place();
    walk.shot(name + QStringLiteral("-placed"));
}

void textScenario(TForm1& form, Walk& walk)
{
    form.findChild<FileCommands*>()->New1Click();
    walk.shot("new");
    letter(form, walk, QStringLiteral("12 აეროპორტი"), QStringLiteral("georgian"));
    walk.key(Qt::Key_S);
    walk.drag({0, 0}, {95, 23});
    form.findChild<QPushButton*>(QStringLiteral("Button9"))->click(); // a new frame of the whole board
    form.findChild<QPushButton*>(QStringLiteral("Button2"))->click(); // Fill
    form.findChild<QPushButton*>(QStringLiteral("Button1"))->click(); // Clear: the new frame starts dark
    letter(form, walk, QStringLiteral("12 AIRPORT"), QStringLiteral("latin"));
}

// The sample sign with frame 1 sliding in from the right and out upwards,
// in the Sign window during the slide and during the hold, and its GIF.
void signScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter)
{
    form.findChild<QListWidget*>(QStringLiteral("ListBox3"))->setCurrentRow(1);
    form.findChild<QComboBox*>(QStringLiteral("TntComboBox1"))->setCurrentIndex(2);
    emit form.findChild<QComboBox*>(QStringLiteral("TntComboBox1"))->activated(2);
    form.findChild<QComboBox*>(QStringLiteral("TntComboBox2"))->setCurrentIndex(1);
    emit form.findChild<QComboBox*>(QStringLiteral("TntComboBox2"))->activated(1);
    walk.shot("effects");
    form.findChild<SignCommands*>()->Sign1Click();
    SignWindow& sign = *form.findChild<SignWindow*>();
    sign.resize(1000, 420);
    sign.pause();
    const vexel::Timeline& t = sign.timeline();
    std::int64_t start = 0;
    for (int f = 0; f < 1; ++f)
        start += t.frame(f).length(t.stepTime());
    const vexel::Timeline::Frame& second = t.frame(1);
    const int step = t.stepTime();
    const std::int64_t slide = start + second.entryLength(step) / 2;
    const std::int64_t hold = start + second.entryLength(step) + second.hold / 2;
    const std::int64_t out = start + second.entryLength(step) + second.hold + second.exitLength(step) / 3;
    for (const auto& [at, name] : {std::pair{slide, QStringLiteral("sign-slide-in")},
                                   std::pair{hold, QStringLiteral("sign-hold")},
                                   std::pair{out, QStringLiteral("sign-slide-out")}}) {
        sign.seek(at);
        walk.shotOf(&sign, name);
    }
    prompter.fileAnswers = {walk.out() + QStringLiteral("/airport12.gif")};
    form.findChild<QAction*>(QStringLiteral("Export_Gif_Image"))->trigger();
    QImageReader gif(walk.out() + QStringLiteral("/airport12.gif"));
    std::printf("gif: %d frames\n", gif.imageCount());
    for (int i = 0; gif.canRead(); ++i) {
        const QImage frame = gif.read();
        if (i % 12 == 0)
            frame.save(QStringLiteral("%1/gif-frame-%2.png").arg(walk.out()).arg(i, 3, 10, QLatin1Char('0')));
    }
}

// The sample photograph in a new 96 x 24 frame, by threshold, ordered
// dithering and error diffusion, each placed and pictured.
void importScenario(TForm1& form, Walk& walk)
{
    form.findChild<FileCommands*>()->New1Click();
    // The pictures are named in English whatever language the panel shows.
    const char* const names[] = {"threshold", "ordered-dither", "error-diffusion"};
    for (int method = 0; method < 3; ++method) {
        form.findChild<ImportCommands*>()->Import_Picture(QStringLiteral(VEXEL_EXAMPLES "/bus-scene.png"));
        ImportPanel& panel = *form.findChild<ImportPanel*>();
        panel.fitBox->setCurrentIndex(1); // stretched over the whole board
        panel.methodBox->setCurrentIndex(method);
        const QString name = QLatin1String(names[method]);
        walk.shotOf(&panel, name + QStringLiteral("-panel"));
        panel.place();
        walk.shot(name);
        form.findChild<QAction*>(QStringLiteral("Undo1"))->trigger();
    }
}


int litLeds(TForm1& form)
{
    int lit = 0;
    const vexel::BoardCanvas& canvas = form.session().editor().canvas();
    for (int y = 0; y < form.session().settings().boardHeight(); ++y)
        for (int x = 0; x < form.session().settings().boardWidth(); ++x)
            lit += canvas.lit(x, y) ? 1 : 0;
    return lit;
}

// The LEDs of the open image as the file on disk holds them: the image is
// opened again from its file.
int litLedsInFile(TForm1& form)
{
    const QString path = form.session().document().path();
    const QFileInfo info(path);
    form.findChild<FileCommands*>()->Open_Image(info.absolutePath() + QLatin1Char('/'), info.fileName(), 0);
    return litLeds(form);
}

// Line, Flood fill and Move on a new image, each one step, as an operator
// draws with them.
void toolsScenario(TForm1& form, Walk& walk)
{
    form.findChild<QAction*>(QStringLiteral("New1"))->trigger();
    walk.key(Qt::Key_L);
    walk.drag({4, 3}, {40, 20});
    walk.drag({4, 20}, {40, 3});
    walk.shot("line");
    walk.key(Qt::Key_R);
    walk.drag({50, 4}, {70, 4});
    walk.drag({50, 4}, {50, 18});
    walk.drag({50, 18}, {70, 18});
    walk.drag({70, 4}, {70, 18});
    walk.key(Qt::Key_F);
    walk.drag({60, 10}, {60, 10});
    walk.shot("flood-fill");
    walk.key(Qt::Key_S);
    walk.drag({2, 2}, {42, 21});
    walk.key(Qt::Key_M);
    walk.drag({20, 10}, {45, 11});
    walk.shot("move");
    for (int i = 0; i < 3; ++i)
        walk.key(Qt::Key_Left);
    walk.shot("nudged");
    walk.key(Qt::Key_Z, Qt::ControlModifier);
    walk.shot("undo");
    std::printf("  lit LEDs on the board: %d\n", litLeds(form));
}

// Pencil, Eraser, the lit colour changed as the Settings dialog changes it,
// Undo and Redo of the erase, one more stroke, Save: the file keeps every LED.
void coloursScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter)
{
    form.findChild<QAction*>(QStringLiteral("New1"))->trigger();
    walk.key(Qt::Key_P);
    walk.drag({2, 2}, {40, 2});
    walk.drag({2, 4}, {40, 4});
    walk.key(Qt::Key_E);
    walk.drag({10, 2}, {20, 2});
    walk.shot("drawn-and-erased");
    form.session().settings().setLedColor(0x0000FF00); // green
    walk.shot("lit-colour-changed");
    walk.key(Qt::Key_Z, Qt::ControlModifier);
    walk.key(Qt::Key_Y, Qt::ControlModifier);
    form.session().settings().setBackColor(0x00400000); // dark blue unlit
    walk.key(Qt::Key_Z, Qt::ControlModifier);
    walk.key(Qt::Key_Y, Qt::ControlModifier);
    walk.key(Qt::Key_P);
    walk.drag({2, 8}, {40, 8});
    walk.shot("undo-redo-and-a-stroke");
    const int expected = 39 + 39 - 11 + 39;
    const int onBoard = litLeds(form);
    prompter.fileAnswers.push_back(QFileInfo(form.session().document().path()).absolutePath() + QStringLiteral("/colours.img"));
    form.findChild<QAction*>(QStringLiteral("Save1"))->trigger();
    std::printf("  saved as %s\n", qPrintable(form.session().document().path()));
    const int inFile = litLedsInFile(form);
    walk.shot("reopened");
    std::printf("  lit LEDs: expected %d, on the board %d, in the saved file %d: %s\n", expected, onBoard, inFile,
                expected == onBoard && onBoard == inFile ? "every LED kept" : "LEDS LOST");
}

// A text with a character the face lacks, the glyph drawn with the Pencil in
// the font editor from the Edit menu and saved as a user font, and the same
// text lettered again by the Text panel that was open all along.
void fontEditorScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter)
{
    form.findChild<TextCommands*>()->Text1Click();
    auto* panel = form.findChild<TextPanel*>();
    panel->textEdit->setPlainText(QStringLiteral("Metekhi \u00A75"));
    walk.shot("text-lacks-section-sign");
    walk.shotOf(panel, QStringLiteral("text-panel-before"));
    // The Edit menu's item, by its text as written or as the Georgian
    // windows show it.
    const QString caption = QStringLiteral("Font Editor...");
    const QString translated = QCoreApplication::translate("TextCommands", "Font Editor...");
    QAction* open = nullptr;
    for (QAction* a : form.findChildren<QAction*>())
        if (a->text() == caption || a->text() == translated)
            open = a;
    if (!open) {
        std::fprintf(stderr, "the Edit menu has no Font Editor item\n");
        return;
    }
    open->trigger();
    auto* editor = form.findChild<FontEditor*>();
    const QString file = QStringLiteral("vexel-led-%1.vfont").arg(panel->blocks().front().style.height);
    editor->openFont(QStringLiteral(VEXEL_FONTS_DIR "/") + file);
    editor->addEdit->setText(QStringLiteral("\u00A7"));
    editor->addButton->click();
    editor->selectTool(editor->toolIndex(QStringLiteral("Pencil")));
    const auto click = [&](int x, int y) {
        const QPoint at = editor->canvas->ledOrigin({x, y}) + QPoint(4, 4);
        QTest::mouseClick(editor->canvas, Qt::LeftButton, Qt::NoModifier, at);
    };
    // A section sign: two linked S curves.
    const int leds[][2] = {{1, 0}, {2, 0}, {3, 0}, {0, 1}, {0, 2}, {1, 3}, {2, 3}, {0, 4}, {3, 4}, {0, 5}, {3, 5},
                           {1, 6}, {2, 6}, {3, 7}, {3, 8}, {0, 9}, {1, 9}, {2, 9}};
    for (const auto& led : leds)
        click(led[0], led[1]);
    walk.shotOf(editor, QStringLiteral("font-editor-glyph-drawn"));
    prompter.fileAnswers.push_back(vexel::UserFonts::folder() + QLatin1Char('/') + file);
    editor->saveButton->click();
    std::printf("  saved %s\n", qPrintable(vexel::UserFonts::folder() + QLatin1Char('/') + file));
    walk.shot("text-with-the-new-glyph");
    walk.shotOf(panel, QStringLiteral("text-panel-after"));
}

// A city's feed: routes, trips with headsigns in both directions, via stops,
// English names for some. `changed` renames a terminus, drops route 61 and
// adds route 88, as a timetable change does.
void writeFeed(const QString& folder, bool changed)
{
    QDir().mkpath(folder);
    const auto put = [&](const char* name, const QString& text) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    };
    QString routes = QStringLiteral("route_id,agency_id,route_short_name,route_long_name,route_type\n"
                                    "r12,TT,12,,3\nr37,TT,37,,3\nm1,TM,M1,,1\n");
    QString trips = QStringLiteral("route_id,service_id,trip_id,trip_headsign,direction_id\n"
                                   "r12,wk,t1,\u10D0\u10D4\u10E0\u10DD\u10DE\u10DD\u10E0\u10E2\u10D8,0\n"
                                   "r12,wk,t2,\u10D5\u10D0\u10D9\u10D4,1\n"
                                   "r37,wk,t3,\u10D3\u10D8\u10D3\u10E3\u10D1\u10D4,0\n"
                                   "m1,wk,t9,\u10D5\u10D0\u10E0\u10D9\u10D4\u10D7\u10D8\u10DA\u10D8,0\n");
    if (changed) {
        routes += QStringLiteral("r88,TT,88,,3\n");
        trips += QStringLiteral("r37,wk,t4,\u10D5\u10D0\u10E0\u10D9\u10D4\u10D7\u10D8\u10DA\u10D8 III,1\n"
                                "r88,wk,t8,\u10DD\u10E0\u10D7\u10D0\u10ED\u10D0\u10DA\u10D0,0\n");
    } else {
        routes += QStringLiteral("r61,TT,61,,3\n");
        trips += QStringLiteral("r37,wk,t4,\u10D5\u10D0\u10E0\u10D9\u10D4\u10D7\u10D8\u10DA\u10D8,1\n"
                                "r61,wk,t6,\u10D2\u10DA\u10D3\u10D0\u10DC\u10D8,0\n");
    }
    put("routes.txt", routes);
    put("trips.txt", trips);
    put("stop_times.txt", QStringLiteral("trip_id,arrival_time,departure_time,stop_id,stop_sequence,stop_headsign\n"
                                         "t1,08:00:00,08:00:00,s1,1,\u10E0\u10E3\u10E1\u10D7\u10D0\u10D5\u10D4\u10DA\u10D8\n"));
    put("translations.txt", QStringLiteral("table_name,field_name,language,translation,record_id,record_sub_id,field_value\n"
                                           "trips,trip_headsign,en,Airport,,,\u10D0\u10D4\u10E0\u10DD\u10DE\u10DD\u10E0\u10E2\u10D8\n"
                                           "trips,trip_headsign,en,Didube,t3,,\n"));
    put("feed_info.txt", QStringLiteral("feed_publisher_name,feed_publisher_url,feed_lang,default_lang,feed_version\n"
                                        "City,https://example.ge,mul,ka,%1\n")
                             .arg(changed ? QStringLiteral("2027-03") : QStringLiteral("2026-11")));
}

// A feed, first or changed, written into `folder` and imported into the
// set through the GTFS import dialog, its difference shown as `name`.
void importFeed(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& setPath, const QString& folder,
                bool changed, const QString& name)
{
    const QString feed = folder + (changed ? QStringLiteral("feed2") : QStringLiteral("feed1"));
    writeFeed(feed, changed);
    GtfsImportDialog dialog(prompter, &form);
    dialog.setSetPath(setPath);
    dialog.setFeedPath(feed);
    dialog.resize(900, 560);
    dialog.show();
    const vexel::Status shown = dialog.showDifference();
    walk.shotOf(&dialog, name);
    const vexel::Status applied = shown ? dialog.applyTicked() : shown;
    std::printf("  import %s: %s\n", qPrintable(name), applied ? "applied" : applied.error().toStdString().c_str());
}

// The set released into `out`: a new version, or stored `version` again.
void releaseSet(const QString& setPath, vexel::FontList& fonts, const QString& out, int version)
{
    auto set = vexel::DestinationSet::open(setPath, vexel::DestinationSet::Access::Edit);
    if (!set) {
        std::printf("  %s\n", set.error().toStdString().c_str());
        return;
    }
    vexel::ReleaseOptions options;
    options.version = version;
    options.partial = true;
    const auto report = vexel::SetRelease::release(*set.value(), fonts, out, options);
    std::printf("  release to %s: %s\n", qPrintable(QFileInfo(out).fileName()),
                report ? qPrintable(QStringLiteral("version %1, %2 files").arg(report->version).arg(report->written.size()))
                       : report.error().toStdString().c_str());
}

// The front image of 12 as version 1 wrote it, to the virtual board.
void sendFrontToBoard(Walk& walk, const QString& folder)
{
    QProcess board;
    board.start(QStringLiteral(VEXEL_BOARD_TOOL), {QStringLiteral("--pty"), QStringLiteral("--size"), QStringLiteral("160x19"),
                                                   QStringLiteral("--gif"), walk.out() + QStringLiteral("/front-12.gif")});
    board.waitForReadyRead(5000);
    const QString pty = QString::fromUtf8(board.readLine()).trimmed();
    QProcess send;
    send.start(QStringLiteral(VEXEL_CLI_TOOL), {QStringLiteral("send"), QStringLiteral("--port"), pty, QStringLiteral("--bus"),
                                                QStringLiteral("1042"),
                                                folder + QStringLiteral("release-1-again/front/12.img")});
    send.waitForFinished(20000);
    std::printf("  send: %s", send.readAllStandardError().constData());
    board.terminate();
    board.waitForFinished(5000);
}

// The network changes: a feed imported into a new set (the difference
// first), released; the feed changed and imported again, released; the
// two versions compared side by side; the first restored and written again;
// its front image sent with a bus number; the journal.
void networkScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& folder)
{
    qputenv("VEXEL_JOURNAL", (folder + QStringLiteral("journal.sqlite")).toUtf8());
    const QString setPath = folder + QStringLiteral("bus.vxset");
    {
        const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        if (!signs || !vexel::DestinationSet::create(setPath, *signs)) {
            std::printf("  cannot make the set\n");
            return;
        }
    }
    vexel::FontList fonts(vexel::FontList::installedPlaces());
    importFeed(form, walk, prompter, setPath, folder, false, QStringLiteral("gtfs-first-import"));
    releaseSet(setPath, fonts, folder + QStringLiteral("release-1"), 0);
    importFeed(form, walk, prompter, setPath, folder, true, QStringLiteral("gtfs-feed-changed"));
    releaseSet(setPath, fonts, folder + QStringLiteral("release-2"), 0);
    {
        VersionsWindow versions(setPath, prompter);
        versions.resize(1270, 600);
        versions.show();
        versions.choose(1, 2);
        walk.shotOf(&versions, QStringLiteral("versions-1-and-2"));
    }
    {
        auto set = vexel::DestinationSet::open(setPath, vexel::DestinationSet::Access::Edit);
        const vexel::Status restored = set ? set.value()->restoreVersion(1) : vexel::Status::failure(set.error());
        std::printf("  restore version 1: %s\n", restored ? "done" : restored.error().toStdString().c_str());
    }
    releaseSet(setPath, fonts, folder + QStringLiteral("release-1-again"), 1);
    sendFrontToBoard(walk, folder);

    JournalWindow journal([folder] { return vexel::SendJournal(folder + QStringLiteral("journal.sqlite"), QString()); }, &form);
    journal.resize(1000, 400);
    journal.show();
    journal.Edit_Bus->setText(QStringLiteral("1042"));
    journal.Refresh_Entries();
    journal.Carried_Click();
    walk.shotOf(&journal, QStringLiteral("journal-bus-1042"));
}

// A set for the example bus made from the example route list, opened from
// File > Destinations...; one destination made too long for the rear sign
// (its row red), then mended; a Latin name suggested.
void destinationsScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& folder)
{
    const QString setPath = folder + QStringLiteral("bus.vxset");
    const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    if (!signs) {
        std::printf("  profile refused: %s\n", signs.error().toStdString().c_str());
        return;
    }
    {
        auto set = vexel::DestinationSet::create(setPath, *signs);
        if (!set || !vexel::SetCsv::importFile(**set, QStringLiteral(VEXEL_EXAMPLES "/routes.csv"))) {
            std::printf("  the set could not be made\n");
            return;
        }
    }
    prompter.fileAnswers.push_back(setPath);
    form.findChild<QAction*>(QStringLiteral("Destinations1"))->trigger();
    auto* window = form.findChild<DestinationsWindow*>(QStringLiteral("Destinations_Window"));
    if (!window || !window->session()) {
        std::printf("  the window did not open the set\n");
        return;
    }
    window->resize(std::max(window->width(), 1180), 760);
    vexel::DestinationsSession& session = *window->session();
    walk.shotOf(window, "destinations");

    const int row = session.rowOf(QStringLiteral("37"));
    session.model().setData(session.model().index(row, vexel::DestinationsModel::Route), QStringLiteral("37123456"));
    window->selectRow(row);
    walk.shotOf(window, "red-row");
    std::printf("  destinations with a sign they do not fit: %d\n", session.unfitCount());
    session.model().setData(session.model().index(row, vexel::DestinationsModel::Route), QStringLiteral("37"));
    walk.shotOf(window, "mended");
    std::printf("  after mending: %d\n", session.unfitCount());

    const int noLatin = session.rowOf(QStringLiteral("88"));
    window->selectRow(noLatin);
    window->findChild<QPushButton*>(QStringLiteral("Suggest_Button"))->click();
    walk.shotOf(window, "suggested-latin");

    // A destination whose pages take its loop past what the default rules allow.
    const int paged = session.rowOf(QStringLiteral("12"));
    vexel::Destination d = session.destinations()[static_cast<std::size_t>(paged)];
    d.destinationEn = QStringLiteral("Spring Creek Stanley Avenue Postal Facility by Rustaveli Avenue, Vake Park and "
                                     "the Old Tbilisi Terminal Loop");
    if (!session.update(paged, d))
        std::printf("  the destination could not be changed\n");
    window->selectRow(paged);
    if (auto* table = window->findChild<QTableView*>())
        table->scrollTo(session.sorted().mapFromSource(session.model().index(paged, vexel::DestinationsModel::Legibility)));
    walk.shotOf(window, "legibility");
    std::printf("  legibility findings of 12: %d\n  %s\n", static_cast<int>(session.findings(paged).size()),
                session.findings(paged).join(QStringLiteral("\n  ")).toUtf8().constData());
    WordListsDialog words(session, prompter, window);
    words.resize(words.sizeHint());
    words.show();
    walk.shotOf(&words, "word-lists");
}

// Depot 1 is typing a note for 37 when depot 2 renames it: the row
// updates itself, and the cell editor keeps its text.
void renameWhileTyping(DestinationsWindow& depot1, vexel::DestinationsSession& mine,
                       vexel::DestinationsSession& theirs, Walk& walk)
{
    auto* table = depot1.findChild<QTableView*>(QStringLiteral("Destinations_Table"));
    const int row = mine.rowOf(QStringLiteral("37"));
    depot1.selectRow(row);
    const QModelIndex note = mine.sorted().mapFromSource(mine.model().index(row, vexel::DestinationsModel::Note));
    table->setColumnWidth(vexel::DestinationsModel::Note, 230);
    table->scrollTo(note);
    table->edit(note);
    QTest::qWait(100);
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        editor->setText(QStringLiteral("typed at depot 1, not stored yet"));
    vexel::DestinationSet::setStationName(QStringLiteral("depot-2"));
    vexel::Destination renamed = theirs.destinations()[static_cast<std::size_t>(theirs.rowOf(QStringLiteral("37")))];
    renamed.destinationEn = QStringLiteral("Didube Station");
    renamed.viaEn = QStringLiteral("Tsereteli Avenue");
    if (!theirs.update(theirs.rowOf(QStringLiteral("37")), renamed))
        std::printf("  depot 2's change was refused\n");
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000 &&
           mine.destinations()[static_cast<std::size_t>(mine.rowOf(QStringLiteral("37")))].destinationEn != renamed.destinationEn)
        QTest::qWait(20);
    std::printf("  depot 1 saw depot 2's change after %lld ms\n", static_cast<long long>(waited.elapsed()));
    QTest::qWait(200);
    walk.shotOf(&depot1, "live-updated-row");
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        std::printf("  the cell editor is open with \"%s\"\n", editor->text().toUtf8().constData());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

// Depot 2 changes 61; depot 1 changes it before it has heard, and is
// refused in an error box, shot with the screen.
void changeBeforeHeard(DestinationsWindow& depot1, vexel::DestinationsSession& mine,
                       vexel::DestinationsSession& theirs, Walk& walk)
{
    vexel::Destination first = theirs.destinations()[static_cast<std::size_t>(theirs.rowOf(QStringLiteral("61")))];
    first.note = QStringLiteral("Night service from depot 2");
    if (!theirs.update(theirs.rowOf(QStringLiteral("61")), first))
        std::printf("  depot 2's second change was refused\n");
    vexel::DestinationSet::setStationName(QStringLiteral("depot-1"));
    const int late = mine.rowOf(QStringLiteral("61"));
    depot1.selectRow(late);
    QTimer::singleShot(600, [&] {
        const QString path = walk.out() + QStringLiteral("/live-stale-refused.png");
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);
        std::printf("%s\n", qPrintable(path));
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    mine.model().setData(mine.model().index(late, vexel::DestinationsModel::Note), QStringLiteral("typed at depot 1"));
    QTest::qWait(300);
    walk.shotOf(&depot1, "live-reloaded-row");
}

// Two Destinations windows on one server set (VEXEL_WALK_SET names where it
// is made), as two depots would have it open: a row the second changes
// updates itself in the first, which keeps its cell editor and text, and an
// edit the first makes from a row the second has just changed is refused
// in a real error box, naming the station and the time.
void liveScenario(TForm1& form, Walk& walk, const QString& address)
{
    const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    if (address.isEmpty() || !signs) {
        std::printf("  VEXEL_WALK_SET names no server set, or the profile is refused\n");
        return;
    }
    {
        auto set = vexel::DestinationSet::create(address, *signs);
        if (!set || !vexel::SetCsv::importFile(**set, QStringLiteral(VEXEL_EXAMPLES "/routes.csv"))) {
            std::printf("  the set could not be made: %s\n", set ? "the import failed" : set.error().toStdString().c_str());
            return;
        }
    }
    form.hide();
    QtPrompter boxes;
    DestinationsWindow depot1(boxes);
    boxes.setParent(&depot1);
    ScriptedPrompter quiet;
    DestinationsWindow depot2(quiet);
    if (!depot1.openSet(address) || !depot2.openSet(address)) {
        std::printf("  a window did not open the set\n");
        return;
    }
    depot2.resize(1000, 560);
    depot2.move(560, 620);
    depot2.show();
    depot1.resize(1180, 700);
    depot1.move(0, 0);
    depot1.show();
    depot1.activateWindow();
    QTest::qWait(300);
    renameWhileTyping(depot1, *depot1.session(), *depot2.session(), walk);
    changeBeforeHeard(depot1, *depot1.session(), *depot2.session(), walk);
}

// The Fleet window on the journal VEXEL_JOURNAL names (made beforehand with
// `vexel fleet import`, two releases and sends): every bus, the behind
// ones, one bus's sends, "Send to this bus" and the visit list of a depot.
void fleetScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& release, const QString& pdf)
{
    form.findChild<QAction*>(QStringLiteral("Fleet1"))->trigger();
    auto* window = form.findChild<FleetWindow*>();
    if (!window) {
        std::printf("  the Fleet window did not open\n");
        return;
    }
    window->resize(1180, 720);
    QTest::qWait(300);
    walk.shotOf(window, "fleet");
    window->Check_Behind->setChecked(true);
    QTest::qWait(100);
    std::printf("  %s\n", window->Label_Counts->text().toUtf8().constData());
    window->Select_Bus(QStringLiteral("1001"));
    QTest::qWait(100);
    walk.shotOf(window, "fleet-behind");
    window->Combo_Sign->setCurrentIndex(std::max(0, window->Combo_Sign->findText(QStringLiteral("front"))));
    window->Button_Send->click();
    QTest::qWait(300);
    walk.shot("fleet-send-list");
    window->Combo_Depot->setCurrentIndex(std::max(0, window->Combo_Depot->findData(QStringLiteral("North"))));
    prompter.fileAnswers.push_back(release);
    prompter.fileAnswers.push_back(pdf);
    window->Button_Visit->click();
    QTest::qWait(200);
    std::printf("  visit list: %s\n", QFileInfo::exists(pdf) ? "written" : "not written");
    for (const QString& line : prompter.texts(QStringLiteral("error")))
        std::printf("  error: %s\n", line.toUtf8().constData());
}

// Runs the command-line tool, saying how it ended and what it said on
// standard error.
bool runVexel(const QStringList& args)
{
    QProcess vexel;
    vexel.start(QStringLiteral(VEXEL_CLI_TOOL), args);
    vexel.waitForFinished(120000);
    std::printf("  vexel %s %s: exit %d\n%s", qPrintable(args.value(0)), qPrintable(args.value(1)), vexel.exitCode(),
                vexel.readAllStandardError().constData());
    return vexel.exitStatus() == QProcess::NormalExit && vexel.exitCode() == 0;
}

// A day at the depot, morning: the city's feed into a new set for the
// example bus, the set in its window, and the release with its dialog.
bool dayFeedAndRelease(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& folder)
{
    const QString setPath = folder + QStringLiteral("bus.vxset");
    const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    if (!signs || !vexel::DestinationSet::create(setPath, *signs))
        return false;
    writeFeed(folder + QStringLiteral("feed"), false);
    {
        GtfsImportDialog dialog(prompter, &form);
        dialog.setSetPath(setPath);
        dialog.setFeedPath(folder + QStringLiteral("feed"));
        dialog.resize(900, 560);
        dialog.show();
        const vexel::Status shown = dialog.showDifference();
        walk.shotOf(&dialog, QStringLiteral("feed"));
        if (!shown || !dialog.applyTicked())
            return false;
    }
    prompter.fileAnswers.push_back(setPath);
    form.findChild<QAction*>(QStringLiteral("Destinations1"))->trigger();
    if (auto* window = form.findChild<DestinationsWindow*>(QStringLiteral("Destinations_Window"))) {
        window->resize(std::max(window->width(), 1180), 640);
        walk.shotOf(window, QStringLiteral("destinations"));
        window->close();
    }
    ReleaseDialog dialog(ReleaseForm{folder + QStringLiteral("release"), QStringLiteral("winter timetable"), QDate()}, prompter,
                         &form);
    dialog.show();
    walk.shotOf(&dialog, QStringLiteral("release-dialog"));
    dialog.hide();
    auto set = vexel::DestinationSet::open(setPath, vexel::DestinationSet::Access::Edit);
    vexel::FontList fonts(vexel::FontList::installedPlaces());
    vexel::ReleaseOptions options;
    options.note = dialog.form().note;
    const auto report = set ? vexel::SetRelease::release(*set.value(), fonts, dialog.form().folder, options)
                            : vexel::Expected<vexel::ReleaseReport>::failure(set.error());
    std::printf("  release: %s\n", report ? qPrintable(report->summary()) : report.error().toStdString().c_str());
    return bool(report);
}

// The released images of 12 as the bus's three signs show them, and the
// front's proof sheet.
void daySigns(Walk& walk, const QString& release)
{
    const QString proof = walk.nextPath(QStringLiteral("proof-front"));
    QFile::copy(release + QStringLiteral("/front-proof.png"), proof);
    std::printf("%s\n", qPrintable(proof));
    for (const QString& sign : {QStringLiteral("front"), QStringLiteral("side"), QStringLiteral("rear")}) {
        const QString path = walk.nextPath(sign);
        runVexel({QStringLiteral("render"), release + QLatin1Char('/') + sign + QStringLiteral("/12.img"), QStringLiteral("--png"),
                  path, QStringLiteral("--zoom"), QStringLiteral("4")});
        std::printf("%s\n", qPrintable(path));
    }
}

// The Test window with the serial traffic of a read of the board, the
// exchange an operator looks at when a send did not arrive.
void dayTestWindow(TForm1& form, Walk& walk, const QString& pty)
{
    SerialLink link;
    if (!link.reopen(pty, QStringLiteral("9600"))) {
        std::printf("  the Test window: %s could not be opened\n", qPrintable(pty));
        return;
    }
    TForm3 log(&form);
    log.setWindowFlags(Qt::Window);
    vexel::SendJob job(link);
    QObject::connect(&job, &vexel::SendJob::logCleared, &log, &TForm3::Clear_Log);
    QObject::connect(&job, &vexel::SendJob::logLine, &log, &TForm3::Append_Line);
    QObject::connect(&link, &SerialLink::replyLogged, &log, &TForm3::Append_Line);
    job.read(0, 2000);
    log.resize(640, 360);
    log.show();
    walk.shotOf(&log, QStringLiteral("test-window"));
}

// Bus 1042's three signs sent to the virtual board, as the send dialog
// asks for them, each send journalled.
void daySend(TForm1& form, Walk& walk, const QString& release)
{
    QProcess board;
    board.start(QStringLiteral(VEXEL_BOARD_TOOL), {QStringLiteral("--pty")});
    board.waitForReadyRead(5000);
    const QString pty = QString::fromUtf8(board.readLine()).trimmed();
    SendDialog dialog(SendQuestion{QStringLiteral("front"), 4, {QStringLiteral("1042"), QStringLiteral("1043")},
                                   QStringLiteral("1042"), {QStringLiteral("COM1"), QStringLiteral("ttyUSB0"), pty}, pty},
                      &form);
    dialog.show();
    walk.shotOf(&dialog, QStringLiteral("send-dialog"));
    dialog.hide();
    for (const QString& sign : {QStringLiteral("front"), QStringLiteral("side"), QStringLiteral("rear")}) {
        QStringList args{QStringLiteral("send"), QStringLiteral("--port"), pty, QStringLiteral("--delay"), QStringLiteral("0"),
                         QStringLiteral("--bus"), QStringLiteral("1042"), QStringLiteral("--sign"), sign};
        for (const QFileInfo& file : QDir(release + QLatin1Char('/') + sign).entryInfoList({QStringLiteral("*.img")}, QDir::Files))
            args << file.absoluteFilePath();
        runVexel(args);
    }
    dayTestWindow(form, walk, pty);
    board.terminate();
    board.waitForFinished(5000);
}

// The evening: the journal of bus 1042, the fleet with a bus that was not
// visited, and the visit list for the depot as a picture of its PDF.
void dayFleet(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& folder)
{
    JournalWindow journal([folder] { return vexel::SendJournal(folder + QStringLiteral("journal.sqlite"), QString()); }, &form);
    journal.resize(1000, 360);
    journal.show();
    journal.Edit_Bus->setText(QStringLiteral("1042"));
    journal.Refresh_Entries();
    journal.Carried_Click();
    walk.shotOf(&journal, QStringLiteral("journal"));
    journal.hide();
    QFile buses(folder + QStringLiteral("buses.csv"));
    if (buses.open(QIODevice::WriteOnly))
        buses.write("bus,depot,set,codes,in_service,note\n1042,North,bus.vxset,*,yes,\n1043,North,bus.vxset,12 37,yes,\n");
    buses.close();
    runVexel({QStringLiteral("fleet"), QStringLiteral("import"), buses.fileName()});
    form.findChild<QAction*>(QStringLiteral("Fleet1"))->trigger();
    auto* window = form.findChild<FleetWindow*>();
    if (!window)
        return;
    window->resize(1180, 560);
    window->Combo_Depot->setCurrentIndex(std::max(0, window->Combo_Depot->findData(QStringLiteral("North"))));
    window->Select_Bus(QStringLiteral("1042"));
    QTest::qWait(300);
    walk.shotOf(window, QStringLiteral("fleet"));
    const QString pdf = folder + QStringLiteral("visit.pdf");
    prompter.fileAnswers.push_back(folder + QStringLiteral("release/release.txt"));
    prompter.fileAnswers.push_back(pdf);
    window->Button_Visit->click();
    QTest::qWait(200);
    const QString picture = walk.nextPath(QStringLiteral("visit-list"));
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"),
                                                   QStringLiteral("-singlefile"), pdf, picture.chopped(4)});
    std::printf("%s\n", qPrintable(picture));
}

// A day at the depot: from the city's feed to bus 1042's three signs and
// the fleet's state. Pictures are named day-NN-step.png.
void dayScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& folder)
{
    walk.setPrefix(QStringLiteral("day-"));
    if (!dayFeedAndRelease(form, walk, prompter, folder)) {
        std::printf("  the set could not be made, filled or released\n");
        return;
    }
    daySigns(walk, folder + QStringLiteral("release"));
    daySend(form, walk, folder + QStringLiteral("release"));
    dayFleet(form, walk, prompter, folder);
}

// The window, a corner of its grid and the Settings dialog, with their
// sizes printed for the layout checks.
void layoutScenario(TForm1& form, Walk& walk)
{
    walk.shot("window");
    form.findChild<ImageView*>(QStringLiteral("Image1"))->grab(QRect(0, 0, 240, 140)).save(walk.out() + QStringLiteral("/grid-corner.png"));
    form.Form2->show();
    QTest::qWait(100);
    std::printf("settings dialog %dx%d (minimum %dx%d)\n", form.Form2->width(), form.Form2->height(),
                form.Form2->minimumSizeHint().width(), form.Form2->minimumSizeHint().height());
    walk.shotOf(form.Form2, "settings");
    form.Form2->hide();
    TAboutBox about(&form, form.Settings_Store->path());
    about.show();
    walk.shotOf(&about, "about");
    about.hide();
    form.Form4->show();
    walk.shotOf(form.Form4, "help");
    form.Form4->hide();
    // The guide's contents, as Help > User Guide opens them.
    form.findChild<QAction*>(QStringLiteral("User_Guide1"))->trigger();
    if (auto* guide = form.findChild<GuideWindow*>()) {
        guide->resize(900, 600);
        walk.shotOf(guide, "user-guide");
        guide->hide();
    }
    std::printf("window %dx%d, work panel %d,%d %dx%d, exit box %d wide, needs %d\n", form.width(), form.height(),
                form.findChild<QFrame*>(QStringLiteral("Panel3"))->x(), form.findChild<QFrame*>(QStringLiteral("Panel3"))->y(), form.findChild<QFrame*>(QStringLiteral("Panel3"))->width(), form.findChild<QFrame*>(QStringLiteral("Panel3"))->height(),
                form.findChild<QComboBox*>(QStringLiteral("TntComboBox2"))->width(), form.findChild<QComboBox*>(QStringLiteral("TntComboBox2"))->sizeHint().width());
}

// The editor's settings in the run's folder: the example image open, and
// the interface language when one is given.
void writeSettings(const QString& folder, const QString& language,
                   vexel::AppSettings::InterfaceLanguage interfaceLanguage)
{
    QFile ini(folder + QStringLiteral("Lumaro.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write(QStringLiteral("[Settings]\nData_Filename_Path=%1\nData_Filename=airport12.img\nGrid=1\nFrame_bounds=1\n")
                      .arg(folder)
                      .toLocal8Bit());
    // The Settings dialog shows the language the windows are in.
    if (!language.isEmpty())
        ini.write(QStringLiteral("[Interface]\nLanguage=%1\n").arg(vexel::AppSettings::languageKey(interfaceLanguage)).toLocal8Bit());
    ini.close();
}

// Runs the scenario named; false when there is none of that name.
bool runScenario(const QString& scenario, TForm1& form, Walk& walk, ScriptedPrompter& prompter,
                 const QString& folder, const QString& scratch, const QString& out)
{
    if (scenario == QLatin1String("undo")) {
        undoScenario(form, walk);
    } else if (scenario == QLatin1String("text")) {
        textScenario(form, walk);
    } else if (scenario == QLatin1String("import")) {
        importScenario(form, walk);
    } else if (scenario == QLatin1String("layout")) {
        layoutScenario(form, walk);
    } else if (scenario == QLatin1String("tools")) {
        toolsScenario(form, walk);
    } else if (scenario == QLatin1String("colours")) {
        coloursScenario(form, walk, prompter);
    } else if (scenario == QLatin1String("network")) {
        networkScenario(form, walk, prompter, folder);
    } else if (scenario == QLatin1String("fonteditor")) {
        // The user's fonts folder of this run only.
        qputenv("XDG_DATA_HOME", scratch.toUtf8());
        fontEditorScenario(form, walk, prompter);
    } else if (scenario == QLatin1String("sign")) {
        signScenario(form, walk, prompter);
    } else if (scenario == QLatin1String("fleet")) {
        fleetScenario(form, walk, prompter, qEnvironmentVariable("VEXEL_WALK_RELEASE"), out + QStringLiteral("/visit.pdf"));
    } else if (scenario == QLatin1String("destinations")) {
        destinationsScenario(form, walk, prompter, folder);
    } else if (scenario == QLatin1String("day")) {
        dayScenario(form, walk, prompter, folder);
    } else if (scenario == QLatin1String("live")) {
        liveScenario(form, walk, qEnvironmentVariable("VEXEL_WALK_SET"));
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString language;
    if (args.size() >= 2 && args.first() == QLatin1String("--language")) {
        language = args.at(1);
        args = args.mid(2);
    }
    if (args.size() != 2 || !(language.isEmpty() || language == QLatin1String("en") || language == QLatin1String("ka"))) {
        std::fprintf(stderr, "usage: vexel-walkthrough [--language en|ka] SCENARIO OUTDIR\n");
        return 2;
    }
    const QString scenario = args.at(0);
    const QString out = QDir(args.at(1)).absolutePath();
    QDir().mkpath(out);
    // The windows take their texts as they are made, so the translation
    // goes in before the first of them. Without --language the texts stay
    // as written whatever the machine's locale.
    const auto interfaceLanguage = language == QLatin1String("ka") ? vexel::AppSettings::InterfaceLanguage::Georgian
                                                                   : vexel::AppSettings::InterfaceLanguage::English;
    const vexel::InterfaceTranslation translation(interfaceLanguage);
    if (language == QLatin1String("ka") && !translation.georgian()) {
        std::fprintf(stderr, "vexel-walkthrough: the Georgian translation is not in this build\n");
        return 1;
    }

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QStringLiteral(VEXEL_EXAMPLES "/airport12.img"), folder + QStringLiteral("airport12.img"));
    writeSettings(folder, language, interfaceLanguage);

    // The day's sends and the fleet read this run's journal only.
    if (scenario == QLatin1String("day"))
        qputenv("VEXEL_JOURNAL", (folder + QStringLiteral("journal.sqlite")).toUtf8());
    ScriptedPrompter prompter;
    prompter.confirmAnswers.assign(20, false);
    TForm1 form(EditorContext{folder, &prompter});
    form.show();
    form.activateWindow();
    QTest::qWait(400); // the start-up work runs after 100 ms
    Walk walk(form, out);
    if (!runScenario(scenario, form, walk, prompter, folder, dir.path(), out)) {
        std::fprintf(stderr, "unknown scenario %s\n", qPrintable(scenario));
        return 2;
    }
    for (const auto& asked : prompter.asked)
        std::printf("asked %s: %s\n", qPrintable(asked.kind), qPrintable(asked.text));
    return 0;
}
