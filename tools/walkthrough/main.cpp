// vexel-walkthrough: drives the editor through a scenario the way an
// operator would (mouse, keys, menus) and saves a picture of the window
// after each step, for reviews and the README. Usage:
//   vexel-walkthrough SCENARIO OUTDIR
// Scenarios: undo, text, sign, import, layout, tools, colours, destinations.
#include "app/DestinationsWindow.h"
#include "app/Graphic_Editor.h"
#include "app/ImportPanel.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/SignWindow.h"
#include "app/TextPanel.h"
#include "depot/DestinationSet.h"
#include "depot/SetCsv.h"
#include "depot/SignProfile.h"
#include "preview/Timeline.h"
#include "session/DestinationsModel.h"
#include "session/DestinationsSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
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
        const QString path = QStringLiteral("%1/%2-%3.png").arg(out_).arg(++count_, 2, 10, QLatin1Char('0')).arg(name);
        form_.grab().save(path);
        std::printf("%s\n", qPrintable(path));
        if (afterShot_)
            afterShot_(name);
    }

    void setAfterShot(std::function<void(const QString&)> hook) { afterShot_ = std::move(hook); }

    QPoint cell(int column, int row) const
    {
        const int s = form_.settings().cellSize();
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
        const QString path = QStringLiteral("%1/%2-%3.png").arg(out_).arg(++count_, 2, 10, QLatin1Char('0')).arg(name);
        widget->grab().save(path);
        std::printf("%s\n", qPrintable(path));
    }

    const QString& out() const { return out_; }

private:
    TForm1& form_;
    QString out_;
    int count_ = 0;
    std::function<void(const QString&)> afterShot_;
};

// Whether the file on disk holds the frame panel's state (every frame
// header of the record) and the whole record.
void reportFile(TForm1& form, const QString& step)
{
    QFile file(form.Image_Path());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QList<QByteArray> lines = bytes.split('\n');
    const vexel::ImageRecord& record = form.document().record();
    bool headers = true;
    for (int f = 0; f < form.document().frameCount(); ++f) {
        const int at = record.headerLine(f);
        headers = headers && at >= 0 && at < lines.size() && lines[at].trimmed().toStdString() == record.line(at);
    }
    std::printf("  %-14s frames %d; the file's headers %s; the whole file %s; %s\n", qPrintable(step),
                form.document().frameCount(), headers ? "match" : "DIFFER", bytes.toStdString() == record.text() ? "matches" : "differs (unsaved edits)",
                form.document().modified() ? "unsaved" : "saved");
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
    form.Text1Click();
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
    form.New1Click();
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
    form.Sign1Click();
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
    form.Export_Gif(false);
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
    form.New1Click();
    for (int method = 0; method < 3; ++method) {
        form.Import_Picture(QStringLiteral(VEXEL_EXAMPLES "/bus-scene.png"));
        ImportPanel& panel = *form.findChild<ImportPanel*>();
        panel.fitBox->setCurrentIndex(1); // stretched over the whole board
        panel.methodBox->setCurrentIndex(method);
        const QString name = panel.methodBox->currentText().toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        walk.shotOf(&panel, name + QStringLiteral("-panel"));
        panel.place();
        walk.shot(name);
        form.Undo1Click();
    }
}


int litLeds(TForm1& form)
{
    int lit = 0;
    const vexel::BoardCanvas& canvas = form.canvas();
    for (int y = 0; y < form.settings().boardHeight(); ++y)
        for (int x = 0; x < form.settings().boardWidth(); ++x)
            lit += canvas.lit(x, y) ? 1 : 0;
    return lit;
}

// The LEDs of the open image as the file on disk holds them: the image is
// opened again from its file.
int litLedsInFile(TForm1& form)
{
    const QString path = form.Image_Path();
    const QFileInfo info(path);
    form.Open_Image(info.absolutePath() + QLatin1Char('/'), info.fileName(), 0);
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
    form.settings().setLedColor(0x0000FF00); // green
    walk.shot("lit-colour-changed");
    walk.key(Qt::Key_Z, Qt::ControlModifier);
    walk.key(Qt::Key_Y, Qt::ControlModifier);
    form.settings().setBackColor(0x00400000); // dark blue unlit
    walk.key(Qt::Key_Z, Qt::ControlModifier);
    walk.key(Qt::Key_Y, Qt::ControlModifier);
    walk.key(Qt::Key_P);
    walk.drag({2, 8}, {40, 8});
    walk.shot("undo-redo-and-a-stroke");
    const int expected = 39 + 39 - 11 + 39;
    const int onBoard = litLeds(form);
    prompter.fileAnswers.push_back(QFileInfo(form.Image_Path()).absolutePath() + QStringLiteral("/colours.img"));
    form.findChild<QAction*>(QStringLiteral("Save1"))->trigger();
    std::printf("  saved as %s\n", qPrintable(form.Image_Path()));
    const int inFile = litLedsInFile(form);
    walk.shot("reopened");
    std::printf("  lit LEDs: expected %d, on the board %d, in the saved file %d: %s\n", expected, onBoard, inFile,
                expected == onBoard && onBoard == inFile ? "every LED kept" : "LEDS LOST");
}

// A set for the example bus made from the example route list, opened from
// File > Destinations...; one destination made too long for the rear sign
// (its row red), then mended; a Latin name suggested.
void destinationsScenario(TForm1& form, Walk& walk, ScriptedPrompter& prompter, const QString& folder)
{
    const QString setPath = folder + QStringLiteral("bus.vxset");
    const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    if (!signs) {
        std::printf("  profile refused: %s\n", signs.error().c_str());
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
    window->resize(1180, 760);
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
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vexel-walkthrough SCENARIO OUTDIR\n");
        return 2;
    }
    const QString scenario = QString::fromLocal8Bit(argv[1]);
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile::copy(QStringLiteral(VEXEL_EXAMPLES "/airport12.img"), folder + QStringLiteral("airport12.img"));
    QFile ini(folder + QStringLiteral("Lumaro.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write(QStringLiteral("[Settings]\nData_Filename_Path=%1\nData_Filename=airport12.img\nGrid=1\nFrame_bounds=1\n")
                      .arg(folder)
                      .toLocal8Bit());
    ini.close();

    ScriptedPrompter prompter;
    prompter.confirmAnswers.assign(20, false);
    TForm1 form(EditorContext{folder, &prompter});
    form.show();
    form.activateWindow();
    QTest::qWait(400); // the start-up work runs after 100 ms
    Walk walk(form, out);
    if (scenario == QLatin1String("undo")) {
        undoScenario(form, walk);
    } else if (scenario == QLatin1String("text")) {
        textScenario(form, walk);
    } else if (scenario == QLatin1String("import")) {
        importScenario(form, walk);
    } else if (scenario == QLatin1String("layout")) {
        walk.shot("window");
        form.findChild<ImageView*>(QStringLiteral("Image1"))->grab(QRect(0, 0, 240, 140)).save(walk.out() + QStringLiteral("/grid-corner.png"));
        form.Form2->show();
        QTest::qWait(100);
        std::printf("settings dialog %dx%d (minimum %dx%d)\n", form.Form2->width(), form.Form2->height(),
                    form.Form2->minimumSizeHint().width(), form.Form2->minimumSizeHint().height());
        walk.shotOf(form.Form2, "settings");
        form.Form2->hide();
        std::printf("window %dx%d, work panel %d,%d %dx%d, exit box %d wide, needs %d\n", form.width(), form.height(),
                    form.findChild<QFrame*>(QStringLiteral("Panel3"))->x(), form.findChild<QFrame*>(QStringLiteral("Panel3"))->y(), form.findChild<QFrame*>(QStringLiteral("Panel3"))->width(), form.findChild<QFrame*>(QStringLiteral("Panel3"))->height(),
                    form.findChild<QComboBox*>(QStringLiteral("TntComboBox2"))->width(), form.findChild<QComboBox*>(QStringLiteral("TntComboBox2"))->sizeHint().width());
    } else if (scenario == QLatin1String("tools")) {
        toolsScenario(form, walk);
    } else if (scenario == QLatin1String("colours")) {
        coloursScenario(form, walk, prompter);
    } else if (scenario == QLatin1String("sign")) {
        signScenario(form, walk, prompter);
    } else if (scenario == QLatin1String("destinations")) {
        destinationsScenario(form, walk, prompter, folder);
    } else {
        std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
        return 2;
    }
    for (const auto& asked : prompter.asked)
        std::printf("asked %s: %s\n", qPrintable(asked.kind), qPrintable(asked.text));
    return 0;
}
