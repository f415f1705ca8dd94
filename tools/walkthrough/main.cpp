// vexel-walkthrough: drives the editor through a scenario the way an
// operator would (mouse, keys, menus) and saves a picture of the window
// after each step, for reviews and the README. Usage:
//   vexel-walkthrough SCENARIO OUTDIR
// Scenarios: undo.
#include "app/Graphic_Editor.h"
#include "app/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

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
    }

    QPoint cell(int column, int row) const
    {
        const int s = form_.settings().cellSize();
        return QPoint(column * s + s / 2, row * s + s / 2);
    }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mousePress(form_.Image1, Qt::LeftButton, keys, cell(from.x(), from.y()));
        const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        for (int i = 1; i <= steps; ++i) {
            const QPoint p = cell(from.x() + (to.x() - from.x()) * i / steps, from.y() + (to.y() - from.y()) * i / steps);
            QMouseEvent move(QEvent::MouseMove, p, form_.Image1->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, keys);
            QApplication::sendEvent(form_.Image1, &move);
        }
        QTest::mouseRelease(form_.Image1, Qt::LeftButton, keys, cell(to.x(), to.y()));
    }

    void key(int k, Qt::KeyboardModifiers keys = Qt::NoModifier) { QTest::keyClick(&form_, Qt::Key(k), keys); }

private:
    TForm1& form_;
    QString out_;
    int count_ = 0;
};

// Pencil, rectangle, a new frame and its effect, then all four undone and
// two redone.
void undoScenario(TForm1& form, Walk& walk)
{
    walk.shot("loaded");
    walk.key(Qt::Key_P);
    walk.drag({2, 2}, {20, 14});
    walk.shot("pencil");
    walk.key(Qt::Key_R);
    walk.drag({30, 4}, {44, 10});
    walk.shot("rectangle");
    walk.key(Qt::Key_S);
    walk.drag({50, 2}, {80, 12});
    form.Button9->click();
    walk.shot("new-frame");
    form.TntComboBox1->setCurrentIndex(2);
    emit form.TntComboBox1->activated(2);
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
    } else {
        std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
        return 2;
    }
    for (const auto& asked : prompter.asked)
        std::printf("asked %s: %s\n", qPrintable(asked.kind), qPrintable(asked.text));
    return 0;
}
