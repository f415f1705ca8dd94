#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <random>

class ImageView;
class QAbstractItemView;
class QAction;
class QComboBox;
class QSpinBox;
class QWidget;
class TForm1;

// Random actions on the real editor window, from a timer, as an operator
// would make them: drags with any buttons and keys held, keys on the LED
// grid, the menus, the frame and send panels, and the controls of every
// other window it opens. A modal dialog or a popup menu gets the next
// actions until it is answered. While a dialog's loop or a send's loop
// runs inside an action, the timer keeps working in that loop, as the user
// would keep clicking. Every action is logged before it is made.
class WindowSoak : public QObject {
    Q_OBJECT
public:
    using Log = std::function<void(const QString&)>;

    WindowSoak(TForm1& form, QString home, std::mt19937& random, Log log, QObject* parent = nullptr);

    // Acts for `seconds`, then emits finished() once no action is under way.
    void start(int seconds);

    int actions() const { return actions_; }
    // Message boxes and file dialogs that did not come through the prompter.
    int unprompted() const { return unprompted_; }
    // Times the current frame was found outside the image after an action.
    int inconsistencies() const { return inconsistencies_; }

signals:
    void finished();

private:
    void step();
    bool answerOpenWindows();
    void closePopup(QWidget* popup);
    void workModal(QWidget* modal);
    void act();
    void say(const QString& text);
    void checkFrame();
    void focusMain();

    int pick(int n);
    int between(int low, int high);
    bool chance(double p);

    // The actions; each logs what it is about to do.
    void chooseTool();
    void drag();
    void click();
    void gridKey();
    void undoRedo();
    void menu();
    void frames();
    void run();
    void zoom();
    void fillClear();
    void clipboard();
    void sendPanel();
    void save();
    void drop();
    void pokeWindow();
    void closeWindow();

    // One control of `window`, used as its kind is used.
    bool poke(QWidget* window);
    QList<QWidget*> usableControls(QWidget* window) const;
    void pokeComboBox(const QString& where, QComboBox* box);
    void typeIntoSpinBox(const QString& where, QSpinBox* spin);
    void clickItem(const QString& where, QAbstractItemView* view);
    void dragOnCanvas(const QString& where, QWidget* w);
    bool excluded(const QWidget* control) const;
    QList<QWidget*> otherWindows() const;
    QPoint cellPoint(int column, int row) const;
    void typeInto(QWidget* control, const QString& text, bool enter);
    void dragOn(QWidget* view, QPoint from, QPoint to, Qt::MouseButton button, Qt::KeyboardModifiers keys, int steps);

    TForm1& form_;
    ImageView* grid_;
    QString home_;
    std::mt19937& random_;
    Log log_;
    QElapsedTimer clock_;
    qint64 endAt_ = 0;
    int depth_ = 0;
    int actions_ = 0;
    int unprompted_ = 0;
    int inconsistencies_ = 0;
    bool frameLost_ = false;
    QPointer<QWidget> modal_;
    int modalActions_ = 0;
    bool finishing_ = false;
};
