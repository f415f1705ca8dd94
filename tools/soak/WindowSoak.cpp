#include "WindowSoak.h"

#include "app/Graphic_Editor.h"
#include "app/ImageView.h"
#include "app/Settings.h"
#include "editor/tools/ToolList.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/SendJob.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {

// Nested actions stop here: a dialog opened inside a send inside a dialog.
constexpr int MaxDepth = 3;

// Texts a user might type into any field.
const char16_t* const Texts[]
    = { u"", u"12", u"1042", u"37", u"Airport", u"\u10D0\u10D4\u10E0\u10DD\u10DE\u10DD\u10E0\u10E2\u10D8",
          u"Metekhi \u00A75", u"U+00A7", u"a", u"-1", u"0", u"99999999999", u"  ", u"12 AIRPORT" };

// Widgets that draw LEDs and take the mouse.
bool isCanvas(const QWidget* w)
{
    const QByteArray name = w->metaObject()->className();
    return name == "ImageView" || name == "SignView" || name == "GlyphCanvas" || name == "LedLineView";
}

QString keyText(Qt::KeyboardModifiers keys)
{
    QStringList names;
    if (keys & Qt::ShiftModifier)
        names << QStringLiteral("Shift");
    if (keys & Qt::ControlModifier)
        names << QStringLiteral("Ctrl");
    if (keys & Qt::AltModifier)
        names << QStringLiteral("Alt");
    return names.join(QLatin1Char('+'));
}

QString nameOf(const QObject* o)
{
    QString name = o->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(o); button && !button->text().isEmpty())
        name += QLatin1Char('"') + button->text() + QLatin1Char('"');
    if (const auto* w = qobject_cast<const QWidget*>(o); w && !w->accessibleName().isEmpty())
        name += QLatin1Char('[') + w->accessibleName() + QLatin1Char(']');
    return QString::fromLatin1(o->metaObject()->className()) + QLatin1Char(' ') + name;
}

Qt::KeyboardModifiers randomKeys(std::mt19937& random)
{
    Qt::KeyboardModifiers keys;
    if (std::bernoulli_distribution(0.4)(random)) {
        for (Qt::KeyboardModifier k : { Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier })
            if (std::bernoulli_distribution(0.45)(random))
                keys |= k;
    }
    return keys;
}

QString toolName(vexel::Tool tool)
{
    for (const vexel::ToolInfo& info : vexel::toolList())
        if (info.tool == tool)
            return QString::fromLatin1(info.name);
    return QString();
}

} // namespace

WindowSoak::WindowSoak(TForm1& form, QString home, std::mt19937& random, Log log, QObject* parent)
    : QObject(parent)
    , form_(form)
    , grid_(form.findChild<ImageView*>(QStringLiteral("Image1")))
    , home_(std::move(home))
    , random_(random)
    , log_(std::move(log))
{
}

void WindowSoak::start(int seconds)
{
    endAt_ = qint64{seconds} * 1000;
    clock_.start();
    QTimer::singleShot(0, this, &WindowSoak::step);
}

int WindowSoak::pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }

int WindowSoak::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, std::max(low, high))(random_);
}

bool WindowSoak::chance(double p) { return std::bernoulli_distribution(p)(random_); }

void WindowSoak::say(const QString& text)
{
    log_(QStringLiteral("#%1 %2s %3%4")
             .arg(++actions_)
             .arg(static_cast<double>(clock_.elapsed()) / 1000.0, 0, 'f', 2)
             .arg(QString(depth_ * 2, QLatin1Char(' ')), text));
}

void WindowSoak::step()
{
    if (finishing_)
        return;
    // The next step is due before this one acts: a timer does not fire
    // again while its own handler runs, and an action that runs a loop of
    // its own (a dialog, a send) must still get its answers.
    QTimer::singleShot(5, this, &WindowSoak::step);
    ++depth_;
    const bool over = clock_.elapsed() >= endAt_;
    // Once the time is up, a send or an export under way is stopped, as the
    // operator would before leaving, however deep in loops it was started.
    QPushButton* stop = over ? form_.findChild<QPushButton*>(QStringLiteral("Button14")) : nullptr;
    if (stop && stop->isEnabled()) {
        say(QStringLiteral("stop (time is up)"));
        QTest::mouseClick(stop, Qt::LeftButton);
    } else if (depth_ > MaxDepth) {
        // Deep inside loops only the open dialog is answered, so it closes.
        answerOpenWindows();
    } else if (answerOpenWindows()) {
        // The dialog or menu had the action.
    } else if (!over && (depth_ == 1 || (depth_ == 2 && form_.session().sendJob().running()))) {
        // Inside another loop only a send's keeps taking the user's input,
        // and only while it is the innermost: a loop started from inside it
        // (a release's progress) takes no input.
        act();
        checkFrame();
    }
    --depth_;
    if (over && depth_ == 0 && !finishing_ && !QApplication::activeModalWidget()
        && !QApplication::activePopupWidget()) {
        finishing_ = true;
        emit finished();
    }
}

void WindowSoak::checkFrame()
{
    // The frame being edited is one the image has; the log says after
    // which action it stopped being so.
    const vexel::ImageDocument& doc = form_.session().document();
    const bool lost = doc.frameCount() > 0 && (doc.currentFrame() < 0 || doc.currentFrame() >= doc.frameCount());
    if (lost && !frameLost_) {
        ++inconsistencies_;
        log_(QStringLiteral("INCONSISTENT: the current frame is %1 of an image of %2 frames (%3)")
                 .arg(doc.currentFrame())
                 .arg(doc.frameCount())
                 .arg(doc.fileName()));
    }
    frameLost_ = lost;
}

bool WindowSoak::answerOpenWindows()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        closePopup(popup);
        return true;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        workModal(modal);
        return true;
    }
    return false;
}

void WindowSoak::closePopup(QWidget* popup)
{
    auto* menu = qobject_cast<QMenu*>(popup);
    QList<QAction*> usable;
    if (menu)
        for (QAction* a : menu->actions())
            if (a->isEnabled() && a->isVisible() && !a->isSeparator() && !a->menu())
                usable << a;
    if (menu && !usable.isEmpty() && depth_ <= MaxDepth && chance(0.7)) {
        QAction* chosen = usable[pick(usable.size())];
        say(QStringLiteral("popup: %1").arg(chosen->text()));
        const QRect at = menu->actionGeometry(chosen);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, at.center());
    } else {
        say(QStringLiteral("popup: Escape"));
        QTest::keyClick(popup, Qt::Key_Escape);
    }
    // A popup that would not go is closed, or every later action would go to it.
    if (QApplication::activePopupWidget() == popup)
        popup->close();
}

void WindowSoak::workModal(QWidget* modal)
{
    if (modal != modal_) {
        modal_ = modal;
        modalActions_ = between(0, 8);
        if (qobject_cast<QMessageBox*>(modal) || qobject_cast<QFileDialog*>(modal)) {
            ++unprompted_;
            log_(QStringLiteral("UNPROMPTED %1: %2").arg(nameOf(modal), modal->windowTitle()));
        }
    }
    if (modalActions_-- > 0 && depth_ <= MaxDepth && poke(modal))
        return;
    // An answer among its buttons, or Escape.
    QList<QAbstractButton*> answers;
    for (auto* box : modal->findChildren<QDialogButtonBox*>())
        answers << box->buttons();
    if (auto* form2 = qobject_cast<TForm2*>(modal))
        answers << form2->Button1;
    if (!answers.isEmpty() && depth_ <= MaxDepth && chance(0.8)) {
        QAbstractButton* b = answers[pick(answers.size())];
        say(QStringLiteral("modal %1: %2").arg(nameOf(modal), b->text()));
        QTest::mouseClick(b, Qt::LeftButton);
    } else {
        say(QStringLiteral("modal %1: Escape").arg(nameOf(modal)));
        QTest::keyClick(modal, Qt::Key_Escape);
    }
    if (QApplication::activeModalWidget() == modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

void WindowSoak::act()
{
    struct Action {
        int weight;
        void (WindowSoak::*run)();
    };
    static const Action actions[] = {
        { 6, &WindowSoak::chooseTool },
        { 22, &WindowSoak::drag },
        { 6, &WindowSoak::click },
        { 6, &WindowSoak::gridKey },
        { 10, &WindowSoak::undoRedo },
        { 7, &WindowSoak::menu },
        { 8, &WindowSoak::frames },
        { 2, &WindowSoak::run },
        { 2, &WindowSoak::zoom },
        { 2, &WindowSoak::fillClear },
        { 3, &WindowSoak::clipboard },
        { 7, &WindowSoak::sendPanel },
        { 3, &WindowSoak::save },
        { 1, &WindowSoak::drop },
        { 14, &WindowSoak::pokeWindow },
        { 2, &WindowSoak::closeWindow },
    };
    int total = 0;
    for (const Action& a : actions)
        total += a.weight;
    int roll = pick(total);
    for (const Action& a : actions) {
        if (roll < a.weight) {
            (this->*a.run)();
            return;
        }
        roll -= a.weight;
    }
}

QPoint WindowSoak::cellPoint(int column, int row) const
{
    const int s = form_.session().settings().cellSize();
    return QPoint(column * s + s / 2, row * s + s / 2);
}

void WindowSoak::dragOn(
    QWidget* view, QPoint from, QPoint to, Qt::MouseButton button, Qt::KeyboardModifiers keys, int steps)
{
    QTest::mousePress(view, button, keys, from);
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        // QTest::mouseMove carries no keys; the gestures read them.
        QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, button, keys);
        QApplication::sendEvent(view, &move);
        if (!view->isVisible())
            return;
    }
    QTest::mouseRelease(view, button, keys, to);
}

void WindowSoak::focusMain()
{
    // Keys go to the active window; the operator clicks the editor first.
    if (QApplication::activeWindow() != &form_) {
        form_.activateWindow();
        QApplication::setActiveWindow(&form_);
    }
}

void WindowSoak::chooseTool()
{
    auto* tools = form_.findChild<QActionGroup*>(QStringLiteral("Tool_Actions"));
    QList<QAction*> choices = tools ? tools->actions() : QList<QAction*>();
    if (auto* unlit = form_.findChild<QAction*>(QStringLiteral("Unlit1")))
        choices << unlit;
    if (choices.isEmpty())
        return;
    QAction* tool = choices[pick(choices.size())];
    if (chance(0.5) && !tool->shortcut().isEmpty()) {
        focusMain();
        say(QStringLiteral("tool key %1").arg(tool->shortcut().toString()));
        QTest::keyClick(grid_, static_cast<Qt::Key>(tool->shortcut()[0].key()));
    } else {
        say(QStringLiteral("tool %1").arg(tool->text()));
        tool->trigger();
    }
}

void WindowSoak::drag()
{
    const int w = form_.session().settings().boardWidth();
    const int h = form_.session().settings().boardHeight();
    // A drag may leave the grid, as the mouse does.
    const QPoint from = cellPoint(between(0, w - 1), between(0, h - 1));
    const QPoint to = cellPoint(between(-3, w + 2), between(-3, h + 2));
    const Qt::MouseButton button = chance(0.85) ? Qt::LeftButton : Qt::RightButton;
    const Qt::KeyboardModifiers keys = randomKeys(random_);
    const int steps = between(1, 14);
    say(QStringLiteral("drag %1 %2 (%3,%4)->(%5,%6) in %7 %8")
            .arg(button == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("right"), keyText(keys))
            .arg(from.x())
            .arg(from.y())
            .arg(to.x())
            .arg(to.y())
            .arg(steps)
            .arg(toolName(form_.session().editor().tool())));
    dragOn(grid_, from, to, button, keys, steps);
}

void WindowSoak::click()
{
    const QPoint at
        = cellPoint(between(0, form_.session().settings().boardWidth() - 1), between(0, form_.session().settings().boardHeight() - 1));
    const Qt::KeyboardModifiers keys = randomKeys(random_);
    if (chance(0.25)) {
        say(QStringLiteral("double-click %1 (%2,%3)").arg(keyText(keys)).arg(at.x()).arg(at.y()));
        QTest::mouseDClick(grid_, Qt::LeftButton, keys, at);
    } else {
        const Qt::MouseButton button = chance(0.8) ? Qt::LeftButton : Qt::RightButton;
        say(QStringLiteral("click %1 %2 (%3,%4)")
                .arg(button == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("right"), keyText(keys))
                .arg(at.x())
                .arg(at.y()));
        QTest::mouseClick(grid_, button, keys, at);
    }
}

void WindowSoak::gridKey()
{
    focusMain();
    static const Qt::Key keys[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space,
        Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Home, Qt::Key_X };
    const Qt::Key key = keys[pick(static_cast<int>(std::size(keys)))];
    const Qt::KeyboardModifiers mods = chance(0.2) ? Qt::ShiftModifier : Qt::NoModifier;
    const int times = between(1, 6);
    say(QStringLiteral("grid key %1 x%2").arg(QKeySequence(QKeyCombination(mods, key)).toString()).arg(times));
    for (int i = 0; i < times; ++i)
        QTest::keyClick(grid_, key, mods);
}

void WindowSoak::undoRedo()
{
    focusMain();
    const int times = between(1, 8);
    const int way = pick(4);
    static const char* const names[] = { "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z", "the Undo button" };
    say(QStringLiteral("%1 x%2").arg(QLatin1String(names[way])).arg(times));
    for (int i = 0; i < times; ++i) {
        switch (way) {
        case 0:
            QTest::keyClick(&form_, Qt::Key_Z, Qt::ControlModifier);
            break;
        case 1:
            QTest::keyClick(&form_, Qt::Key_Y, Qt::ControlModifier);
            break;
        case 2:
            QTest::keyClick(&form_, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            break;
        default:
            if (auto* b = form_.findChild<QAbstractButton*>(QStringLiteral("UndoButton")))
                QTest::mouseClick(b, Qt::LeftButton);
        }
    }
}

void WindowSoak::menu()
{
    QList<QAction*> commands;
    std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& list) {
        for (QAction* a : list) {
            if (a->menu())
                collect(a->menu()->actions());
            else if (!a->isSeparator() && a->objectName() != QLatin1String("Quit1"))
                commands << a;
        }
    };
    collect(form_.menuBar()->actions());
    if (commands.isEmpty())
        return;
    QAction* command = commands[pick(commands.size())];
    say(QStringLiteral("menu %1%2")
            .arg(command->text(), command->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    command->trigger();
}

void WindowSoak::frames()
{
    auto* list = form_.findChild<QListWidget*>(QStringLiteral("ListBox3"));
    switch (pick(6)) {
    case 0:
    case 1: {
        auto* b = form_.findChild<QPushButton*>(pick(3) == 0 ? QStringLiteral("Button8") : QStringLiteral("Button9"));
        say(QStringLiteral("frames: %1%2").arg(nameOf(b), b->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
        QTest::mouseClick(b, Qt::LeftButton);
        break;
    }
    case 2: {
        if (list->count() == 0)
            return;
        const int row = pick(list->count());
        say(QStringLiteral("frames: row %1 of %2").arg(row).arg(list->count()));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
        break;
    }
    case 3: {
        auto* box = form_.findChild<QComboBox*>(
            chance(0.5) ? QStringLiteral("TntComboBox1") : QStringLiteral("TntComboBox2"));
        const int index = pick(box->count());
        say(QStringLiteral("frames: %1 index %2").arg(nameOf(box)).arg(index));
        if (!box->isEnabled())
            return;
        box->setCurrentIndex(index);
        emit box->activated(index);
        break;
    }
    default: {
        auto* spin = form_.findChild<QSpinBox*>(QStringLiteral("SpinEdit2"));
        const int value = chance(0.7) ? between(0, 3000) : between(0, 65535);
        say(QStringLiteral("frames: duration %1").arg(value));
        typeInto(spin, QString::number(value), chance(0.5));
        break;
    }
    }
}

void WindowSoak::run()
{
    focusMain();
    if (chance(0.5)) {
        say(QStringLiteral("F5"));
        QTest::keyClick(&form_, Qt::Key_F5);
    } else {
        auto* b = form_.findChild<QPushButton*>(QStringLiteral("Button7"));
        say(QStringLiteral("Run button%1").arg(b->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
        QTest::mouseClick(b, Qt::LeftButton);
    }
}

void WindowSoak::zoom()
{
    // Between 2 and 16, so the memory measured at the end and after the
    // first minute is for pictures of a like size.
    auto* spin = form_.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"));
    if (chance(0.5)) {
        const int value = between(2, 16);
        say(QStringLiteral("zoom %1").arg(value));
        typeInto(spin, QString::number(value), true);
        return;
    }
    const int notches = chance(0.5) ? 1 : -1;
    if (spin->value() + notches < 2 || spin->value() + notches > 16)
        return;
    say(QStringLiteral("Ctrl+wheel %1").arg(notches));
    const QPointF at = grid_->rect().center();
    QWheelEvent wheel(at, grid_->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::ControlModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid_, &wheel);
}

void WindowSoak::fillClear()
{
    auto* b = form_.findChild<QPushButton*>(chance(0.5) ? QStringLiteral("Button1") : QStringLiteral("Button2"));
    say(nameOf(b));
    QTest::mouseClick(b, Qt::LeftButton);
}

void WindowSoak::clipboard()
{
    focusMain();
    switch (pick(3)) {
    case 0:
        say(QStringLiteral("Ctrl+C"));
        QTest::keyClick(&form_, Qt::Key_C, Qt::ControlModifier);
        break;
    case 1:
        say(QStringLiteral("Ctrl+V"));
        QTest::keyClick(&form_, Qt::Key_V, Qt::ControlModifier);
        break;
    default:
        if (auto* clip = form_.findChild<ImageView*>(QStringLiteral("Image3")); clip && clip->isVisible()) {
            say(QStringLiteral("double-click the clipboard"));
            QTest::mouseDClick(clip, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        }
    }
}

void WindowSoak::sendPanel()
{
    auto* files = form_.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    auto* sendList = form_.findChild<QListWidget*>(QStringLiteral("ListBox2"));
    const auto button = [&](const char* name) {
        auto* b = form_.findChild<QAbstractButton*>(QLatin1String(name));
        say(QStringLiteral("send panel: %1%2")
                .arg(nameOf(b), b->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
        QTest::mouseClick(b, Qt::LeftButton);
    };
    switch (pick(12)) {
    case 0:
    case 1: {
        QListWidget* list = chance(0.6) ? files : sendList;
        if (list->count() == 0)
            return;
        const int row = pick(list->count());
        say(QStringLiteral("send panel: open row %1 of %2").arg(row).arg(nameOf(list)));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
        break;
    }
    case 2: {
        QListWidget* list = chance(0.6) ? files : sendList;
        const Qt::Key key = chance(0.5) ? Qt::Key_Down : Qt::Key_Up;
        const Qt::KeyboardModifiers keys = chance(0.5) ? Qt::ShiftModifier : Qt::NoModifier;
        say(QStringLiteral("send panel: %1 %2 in %3")
                .arg(keyText(keys), key == Qt::Key_Down ? QStringLiteral("Down") : QStringLiteral("Up"), nameOf(list)));
        QTest::keyClick(list, key, keys);
        break;
    }
    case 3:
    case 4:
        button("Button3");
        break;
    case 5:
        button("Button6");
        break;
    case 6:
        button(chance(0.5) ? "Button4" : "Button5");
        break;
    case 7:
        button("Button10");
        break;
    case 8:
        button(chance(0.7) ? "Button12" : "Button14");
        break;
    case 9:
        button(chance(0.5) ? "CheckBox1" : "Button11");
        break;
    default: {
        auto* bus = form_.findChild<QLineEdit*>(QStringLiteral("Edit_Bus"));
        const QString text
            = chance(0.7) ? QString::number(between(1, 9999)) : QString::fromUtf16(Texts[pick(std::size(Texts))]);
        say(QStringLiteral("send panel: bus \"%1\"").arg(text));
        typeInto(bus, text, chance(0.6));
    }
    }
}

void WindowSoak::save()
{
    focusMain();
    if (chance(0.8)) {
        say(QStringLiteral("Ctrl+S"));
        QTest::keyClick(&form_, Qt::Key_S, Qt::ControlModifier);
    } else {
        say(QStringLiteral("Ctrl+Shift+S"));
        QTest::keyClick(&form_, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
}

void WindowSoak::drop()
{
    QStringList found;
    QDirIterator it(
        home_ + QStringLiteral("/images"), { QStringLiteral("*.img"), QStringLiteral("*.png") }, QDir::Files);
    while (it.hasNext())
        found << it.next();
    if (found.isEmpty())
        return;
    std::sort(found.begin(), found.end());
    const QString path = found[pick(found.size())];
    const QPoint at = grid_->mapTo(&form_, cellPoint(between(0, form_.session().settings().boardWidth() - 1), 0));
    say(QStringLiteral("drop %1").arg(path));
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form_, &event);
}

QList<QWidget*> WindowSoak::otherWindows() const
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == &form_ || !w->isVisible() || qobject_cast<QMenu*>(w))
            continue;
        const Qt::WindowType type = w->windowType();
        if (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool)
            windows << w;
    }
    std::sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
        return QString::fromLatin1(a->metaObject()->className()) < QString::fromLatin1(b->metaObject()->className());
    });
    return windows;
}

void WindowSoak::pokeWindow()
{
    const QList<QWidget*> windows = otherWindows();
    if (windows.isEmpty() || chance(0.1)) {
        // Opens one of the other windows, as their menu entries and buttons do.
        static const char* const openers[]
            = { "Sign1", "Journal1", "Text1", "Destinations1", "ImportGtfs1", "Import1", "N1" };
        const int which = pick(static_cast<int>(std::size(openers)) + 2);
        if (which == static_cast<int>(std::size(openers))) {
            say(QStringLiteral("open the Test window"));
            QTest::mouseClick(form_.findChild<QPushButton*>(QStringLiteral("Button11")), Qt::LeftButton);
        } else if (which > static_cast<int>(std::size(openers))) {
            for (QAction* a : form_.findChildren<QAction*>())
                if (a->text() == QLatin1String("Font Editor...")) {
                    say(QStringLiteral("open the font editor"));
                    a->trigger();
                    break;
                }
        } else if (auto* a = form_.findChild<QAction*>(QLatin1String(openers[which]))) {
            say(QStringLiteral("open %1").arg(a->text()));
            a->trigger();
        }
        return;
    }
    poke(windows[pick(windows.size())]);
}

void WindowSoak::closeWindow()
{
    const QList<QWidget*> windows = otherWindows();
    if (windows.isEmpty())
        return;
    QWidget* w = windows[pick(windows.size())];
    say(QStringLiteral("close %1").arg(nameOf(w)));
    w->close();
}

bool WindowSoak::excluded(const QWidget* control) const
{
    // The port stays the virtual board's: no real serial port is opened.
    const QComboBox* port = form_.Form2 ? form_.Form2->ComboBox1 : nullptr;
    return port && (control == port || port->isAncestorOf(control));
}

void WindowSoak::typeInto(QWidget* control, const QString& text, bool enter)
{
    QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(control, Qt::Key_Backspace);
    for (const QChar c : text) {
        // QTest types ASCII only; other letters arrive as text, as an input method sends them.
        if (c.unicode() < 0x80) {
            QTest::keyClick(control, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    if (enter)
        QTest::keyClick(control, Qt::Key_Return);
}

QList<QWidget*> WindowSoak::usableControls(QWidget* window) const
{
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || excluded(w) || w->window() != window)
            continue;
        const bool partOfAnother
            = qobject_cast<QAbstractSpinBox*>(w->parentWidget()) || qobject_cast<QComboBox*>(w->parentWidget());
        const bool usable = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QAbstractSpinBox*>(w) || (qobject_cast<QLineEdit*>(w) && !partOfAnother)
            || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)
            || (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w))
            || (qobject_cast<QAbstractSlider*>(w) && !qobject_cast<QScrollBar*>(w)) || qobject_cast<QTabBar*>(w)
            || isCanvas(w);
        if (usable)
            controls << w;
    }
    return controls;
}

bool WindowSoak::poke(QWidget* window)
{
    const QList<QWidget*> controls = usableControls(window);
    if (controls.isEmpty())
        return false;
    QWidget* w = controls[pick(controls.size())];
    const QString where = QString::fromLatin1(window->metaObject()->className()) + QStringLiteral(": ");

    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        say(where + QStringLiteral("click ") + nameOf(button));
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        pokeComboBox(where, box);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w); spin && chance(0.6)) {
        typeIntoSpinBox(where, spin);
    } else if (auto* anySpin = qobject_cast<QAbstractSpinBox*>(w)) {
        const bool up = chance(0.5);
        if (form_.Form2 && form_.Form2->isAncestorOf(anySpin))
            return true; // its spin boxes are typed into, within their ranges
        say(where + QStringLiteral("%1 %2").arg(nameOf(anySpin), up ? QStringLiteral("up") : QStringLiteral("down")));
        QTest::keyClick(anySpin, up ? Qt::Key_Up : Qt::Key_Down);
    } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)) {
        const QString text = QString::fromUtf16(Texts[pick(std::size(Texts))]);
        say(where + QStringLiteral("type \"%1\" into %2").arg(text, nameOf(w)));
        typeInto(w, text, qobject_cast<QLineEdit*>(w) && chance(0.5));
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        clickItem(where, view);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        const bool more = chance(0.5);
        say(where
            + QStringLiteral("%1 %2").arg(
                nameOf(slider), more ? QStringLiteral("page up") : QStringLiteral("page down")));
        slider->triggerAction(more ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        const int index = pick(tabs->count());
        say(where + QStringLiteral("tab %1").arg(index));
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(index).center());
    } else if (isCanvas(w) && w->width() > 0 && w->height() > 0) {
        dragOnCanvas(where, w);
    }
    return true;
}

void WindowSoak::pokeComboBox(const QString& where, QComboBox* box)
{
    if (box->count() == 0)
        return;
    const int index = pick(box->count());
    if (chance(0.5)) {
        say(where + QStringLiteral("%1 index %2").arg(nameOf(box)).arg(index));
        box->setCurrentIndex(index);
        emit box->activated(index);
    } else {
        say(where + QStringLiteral("%1 key").arg(nameOf(box)));
        QTest::keyClick(box, chance(0.5) ? Qt::Key_Down : Qt::Key_Up);
    }
}

void WindowSoak::typeIntoSpinBox(const QString& where, QSpinBox* spin)
{
    // Near the value it has; the Settings dialog's board, time-out and
    // delay stay in ranges that keep a run comparable from minute to minute.
    int low = std::max(spin->minimum(), spin->value() - 50);
    int high = std::min(spin->maximum(), spin->value() + 50);
    if (form_.Form2 && spin == form_.Form2->SpinEdit2) {
        low = 8;
        high = 192;
    } else if (form_.Form2 && spin == form_.Form2->SpinEdit3) {
        low = 7;
        high = 48;
    } else if (form_.Form2 && (spin == form_.Form2->SpinEdit4 || spin == form_.Form2->SpinEdit1)) {
        low = 0;
        high = 2000;
    }
    const int value = between(low, high);
    say(where + QStringLiteral("%1 = %2").arg(nameOf(spin)).arg(value));
    typeInto(spin, QString::number(value), chance(0.7));
}

void WindowSoak::clickItem(const QString& where, QAbstractItemView* view)
{
    QAbstractItemModel* model = view->model();
    if (!model || model->rowCount(view->rootIndex()) == 0)
        return;
    const QModelIndex index = model->index(pick(model->rowCount(view->rootIndex())),
        pick(std::max(1, model->columnCount(view->rootIndex()))), view->rootIndex());
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    if (!rect.isValid())
        return;
    const Qt::KeyboardModifiers keys
        = chance(0.2) ? (chance(0.5) ? Qt::ControlModifier : Qt::ShiftModifier) : Qt::NoModifier;
    if (chance(0.2)) {
        say(where
            + QStringLiteral("double-click %1 row %2 column %3")
                  .arg(nameOf(view))
                  .arg(index.row())
                  .arg(index.column()));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, keys, rect.center());
    } else {
        say(where
            + QStringLiteral("click %1 %2 row %3 column %4")
                  .arg(nameOf(view), keyText(keys))
                  .arg(index.row())
                  .arg(index.column()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, keys, rect.center());
    }
}

void WindowSoak::dragOnCanvas(const QString& where, QWidget* w)
{
    const QPoint from(pick(w->width()), pick(w->height()));
    const QPoint to(pick(w->width()), pick(w->height()));
    const Qt::MouseButton held = chance(0.85) ? Qt::LeftButton : Qt::RightButton;
    const Qt::KeyboardModifiers keys = randomKeys(random_);
    say(where
        + QStringLiteral("drag on %1 (%2,%3)->(%4,%5) %6")
              .arg(nameOf(w))
              .arg(from.x())
              .arg(from.y())
              .arg(to.x())
              .arg(to.y())
              .arg(keyText(keys)));
    dragOn(w, from, to, held, keys, between(1, 6));
}
