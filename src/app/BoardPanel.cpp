#include "app/BoardPanel.h"

#include "app/PanelButton.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/SendJob.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// The zoom change places the regions on the canvas by hand; the canvas
// follows them, so the scroll area can reach the lowest and widest of them.
class CanvasFitter : public QObject {
public:
    explicit CanvasFitter(QWidget* canvas) : QObject(canvas), canvas_(canvas) {}

    void watch(QWidget* region) { region->installEventFilter(this); }

    void fit()
    {
        QRect used;
        for (QWidget* child : canvas_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!child->isHidden())
                used |= child->geometry();
        const QSize size(used.right() + 1 + Margin, used.bottom() + 1 + Margin);
        if (size != canvas_->size())
            canvas_->resize(size);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            fit();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int Margin = 8;
    QWidget* canvas_;
};

QFrame* sunkenPanel(QWidget* parent, const char* name)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    return panel;
}

ImageView* picture(vexel::Surface* surface, const char* name, QWidget* parent)
{
    auto* view = new ImageView(surface, parent);
    view->setObjectName(QLatin1String(name));
    return view;
}

vexel::GestureInput gestureOf(const MouseInput& input, int cellSize)
{
    return vexel::GestureInput{vexel::ledAt(input.position.x(), input.position.y(), cellSize), input.button,
                               input.buttons, input.modifiers};
}

} // namespace

BoardPanel::BoardPanel(vexel::EditorSession& session, PanelHost& host, QWidget* window, QToolBar* tools)
    : QObject(window), session_(session), host_(host), window_(window)
{
    setObjectName(QStringLiteral("Board_Panel"));
    auto* zoomLabel = new QLabel(tr(" Zoom "), tools);
    tools->addWidget(zoomLabel);
    SpinEdit1 = new QSpinBox(tools);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 100);
    SpinEdit1->setValue(10);
    SpinEdit1->setAccessibleName(tr("Zoom"));
    SpinEdit1->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    zoomLabel->setBuddy(SpinEdit1);
    tools->addWidget(SpinEdit1);
    tools->addSeparator();
    Button2 = panelButton(tr("Fill"), "Button2", tools);
    Button1 = panelButton(tr("Clear"), "Button1", tools);
    Button2->setToolTip(tr("Light every LED of the frame"));
    Button1->setToolTip(tr("Switch off every LED of the frame"));
    tools->addWidget(Button2);
    tools->addWidget(Button1);

    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Copy2 = PopupMenu1->addAction(tr("Copy"));
    Copy2->setObjectName(QStringLiteral("Copy2"));
    Paste2 = PopupMenu1->addAction(tr("Paste"));
    Paste2->setObjectName(QStringLiteral("Paste2"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
}

QScrollArea* BoardPanel::Create_Board()
{
    // The pictures and the work panel sit at the places the zoom change
    // gives them, inside a scroll area so a large board never gets cut off.
    Board_Area = new QScrollArea(window_);
    Board_Area->setObjectName(QStringLiteral("Board_Area"));
    Board_Area->setWidgetResizable(false);
    Board_Area->setFrameShape(QFrame::NoFrame);
    Canvas = new QWidget;
    Canvas->setObjectName(QStringLiteral("Canvas"));
    Board_Area->setWidget(Canvas);
    Create_Pictures();
    return Board_Area;
}

void BoardPanel::Create_Pictures()
{
    vexel::BoardEditor& editor = session_.editor();
    Panel2 = sunkenPanel(Canvas, "Panel2");
    Panel2->setAutoFillBackground(true);
    Image2 = picture(&editor.canvas().board(), "Image2", Panel2);
    Image2->setAccessibleName(tr("Board preview"));
    Panel5 = sunkenPanel(Canvas, "Panel5");
    Image3 = picture(&editor.clipboard().picture(), "Image3", Panel5);
    Image3->setAccessibleName(tr("Clipboard"));
    Panel5->hide();
    Image1 = picture(&editor.canvas().view(), "Image1", Canvas);
    Image1->setAccessibleName(tr("LED grid"));
    Image1->setCursor(Qt::CrossCursor);
    // A click gives the grid the keyboard: arrows move the cursor, Space
    // switches its LED.
    Image1->setFocusPolicy(Qt::ClickFocus);
    Panel2->setAccessibleName(tr("Board"));
    Panel5->setAccessibleName(tr("Clipboard picture"));
}

QWidget* BoardPanel::Work_Parent() const { return Canvas; }

void BoardPanel::Place_Work_Panel(QFrame* panel)
{
    Panel3 = panel;
    // The canvas grows with the regions the zoom change places.
    auto* fitter = new CanvasFitter(Canvas);
    for (QWidget* region : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel5),
                            static_cast<QWidget*>(Image1), static_cast<QWidget*>(Panel3)})
        fitter->watch(region);
    fitter->fit();
}

void BoardPanel::Connect()
{
    vexel::BoardEditor& editor = session_.editor();
    connect(Timer2, &QTimer::timeout, this, &BoardPanel::Timer2Timer);
    connect(SpinEdit1, &QSpinBox::valueChanged, &session_.settings(), &vexel::AppSettings::setCellSize);
    connect(&session_.settings(), &vexel::AppSettings::cellSizeChanged, this, &BoardPanel::SpinEdit1Change);
    connect(&editor, &vexel::BoardEditor::gridRefreshed, this, [this] { Save_Settings(); });
    connect(&editor, &vexel::BoardEditor::error, this, [this](const QString& message) { host_.prompter().error(message); });
    editor.canvas().setCursorPlaced([this] {
        if (Timer2->isActive())
            Timer2->start(); // the next tick shows the blink colour a full interval later
    });
    Timer2->start();
    Connect_Settings();
    Connect_Controls();
}

// What each setting changes on the board. While the settings file is read
// they only take the values in; the start-up work puts them into effect
// afterwards in its own order.
void BoardPanel::Connect_Settings()
{
    using vexel::AppSettings;
    const AppSettings* settings = &session_.settings();
    connect(settings, &AppSettings::boardWidthChanged, this, &BoardPanel::Board_Size_Changed);
    connect(settings, &AppSettings::boardHeightChanged, this, &BoardPanel::Board_Size_Changed);
    connect(settings, &AppSettings::backColorChanged, this, &BoardPanel::Back_Color_Changed);
    connect(settings, &AppSettings::ledColorChanged, this, &BoardPanel::Led_Color_Changed);
    connect(settings, &AppSettings::gridColorChanged, this, &BoardPanel::Refresh_Grid);
    connect(settings, &AppSettings::drawGridChanged, this, &BoardPanel::Draw_Grid_Changed);
    connect(settings, &AppSettings::roundedLedsChanged, this, &BoardPanel::Rounded_Leds_Changed);
}

void BoardPanel::Connect_Controls()
{
    connect(Copy2, &QAction::triggered, this, &BoardPanel::Copy1Click);
    connect(Paste2, &QAction::triggered, this, &BoardPanel::Paste1Click);
    connect(Image3, &ImageView::doubleClicked, this, &BoardPanel::Image3DblClick);
    connect(Button1, &QPushButton::clicked, this, &BoardPanel::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &BoardPanel::Button2Click);
    connect(Image1, &ImageView::pressed, this, &BoardPanel::Image1MouseDown);
    connect(Image1, &ImageView::moved, this, &BoardPanel::Image1MouseMove);
    connect(Image1, &ImageView::released, this, &BoardPanel::Image1MouseUp);
    // The gestures decide when the context menu opens; no parent widget
    // offers one of its own.
    Image1->setContextMenuPolicy(Qt::PreventContextMenu);
    // The grid takes no mouse while the board is being talked to; a paste
    // would go into whichever file a job shows in passing.
    connect(&session_.sendJob(), &vexel::SendJob::exchanging, this, [this](bool on) { Image1->setEnabled(!on); });
    connect(&session_, &vexel::EditorSession::jobLocked, this, [this](bool locked) { Paste2->setEnabled(!locked); });
    Image1->installEventFilter(this);
    Board_Area->viewport()->installEventFilter(this);
}

void BoardPanel::Image1MouseDown(const MouseInput& input)
{
    session_.editor().press(gestureOf(input, session_.settings().cellSize()));
}

void BoardPanel::Image1MouseMove(const MouseInput& input)
{
    session_.editor().move(gestureOf(input, session_.settings().cellSize()));
}

void BoardPanel::Image1MouseUp(const MouseInput& input)
{
    const bool menu = session_.editor().release(gestureOf(input, session_.settings().cellSize()));
    if (menu)
        PopupMenu1->popup(Image1->mapToGlobal(input.position));
}

void BoardPanel::Copy1Click()
{
    if (!session_.editor().copy()) {
        host_.prompter().inform(tr("No selection"), Prompter::InfoButton::Yes);
        return;
    }
    Panel5->show();
}

void BoardPanel::Paste1Click()
{
    if (!session_.editor().paste())
        host_.prompter().inform(tr("Buffer is empty"), Prompter::InfoButton::Yes);
}

void BoardPanel::Image3DblClick() { Paste1Click(); }

void BoardPanel::Button1Click() { session_.editor().fillBoard(false); }

void BoardPanel::Button2Click() { session_.editor().fillBoard(true); }

void BoardPanel::Set_Locked(bool locked)
{
    Button1->setEnabled(!locked);
    Button2->setEnabled(!locked);
}

void BoardPanel::Update_Array() { session_.editor().updateArray(); }

void BoardPanel::Fill_Canvas() { session_.editor().canvas().fillWindow(); }

void BoardPanel::Store_Frame() { session_.editor().storeFrame(); }

void BoardPanel::Load_Frame() { session_.editor().loadFrame(); }

void BoardPanel::Refresh_Grid() { session_.editor().canvas().refreshGrid(); }

void BoardPanel::Timer2Timer() { session_.editor().canvas().blink(); }

void BoardPanel::Zoom_By(int steps) { SpinEdit1->setValue(SpinEdit1->value() + steps); }

bool BoardPanel::Save_Settings()
{
    const vexel::Status saved = session_.store().save();
    if (!saved)
        host_.prompter().error(saved.error());
    return saved.ok();
}

void BoardPanel::Fit_Work_Panel()
{
    // The work panel reaches down to the status bar, leaving no empty band,
    // and keeps its own height where the window is lower.
    const int below = Board_Area->viewport()->height() - Panel3->y() - 8;
    Panel3->resize(Panel3->width(), std::max(Panel3->minimumHeight(), below));
}

void BoardPanel::SpinEdit1Change()
{
    vexel::AppSettings& settings = session_.settings();
    {
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setValue(settings.cellSize());
    }
    // Start-up applies the zoom once the settings are read.
    if (settings.loading())
        return;
    Lay_Out();
    // The whole view at the new zoom, not only the frame window: outside it
    // the old zoom's cells would otherwise stay until painted over.
    session_.editor().canvas().repaintView();

    if (!Save_Settings())
        return; // the failure has been shown; the repaint above stands
    // The colour handlers of the Settings dialog, in their order.
    settings.setBackColor(settings.backColor());
    settings.setLedColor(settings.ledColor());
    settings.setGridColor(settings.gridColor());
}

void BoardPanel::Lay_Out()
{
    const int s = session_.settings().cellSize();
    const int w = session_.settings().boardWidth();
    const int h = session_.settings().boardHeight();
    Panel2->move(59, 2);
    Panel5->move(696, 2);
    Image2->move(2, 2);
    Image3->move(2, 2);
    Image1->setShownSize(w * s, h * s);
    Image1->setGhostCellSize(s);
    Image2->setShownSize(w, h);
    Image3->setShownSize(w, h);
    Panel2->setFixedSize(w + 4, h + 4);
    Panel5->setFixedSize(w + 4, h + 4);
    Image1->move(0, Panel2->y() + Panel2->height() + 10);
    Panel3->move(0, Image1->y() + Image1->height() + 10);
    Fit_Work_Panel();
    // The canvas must hold the regions at once so the scroll area reaches
    // them; the canvas's own fitting trims it when the regions next move.
    QRect used;
    for (const QWidget* region : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel5),
                                  static_cast<QWidget*>(Image1), static_cast<QWidget*>(Panel3)})
        if (!region->isHidden())
            used |= region->geometry();
    Canvas->resize(Canvas->size().expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
}

void BoardPanel::Board_Size_Changed()
{
    if (session_.settings().loading())
        return;
    SpinEdit1Change();
    // A sign's board comes and goes with an image being replaced: the frame
    // on screen is not stored at the new size.
    if (session_.settings().startupDone() && !session_.settings().signBoardChanging())
        Store_Frame();
}

// The layer has kept the colour in the settings file by now.
void BoardPanel::Back_Color_Changed()
{
    QPalette palette = Panel2->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(vexel::toQRgb(session_.settings().backColor())));
    Panel2->setPalette(palette);
    if (session_.settings().startupDone())
        session_.editor().canvas().repaintBoard();
}

void BoardPanel::Led_Color_Changed()
{
    if (session_.settings().startupDone())
        session_.editor().canvas().repaintBoard();
}

void BoardPanel::Draw_Grid_Changed()
{
    if (session_.settings().loading())
        return;
    session_.editor().canvas().repaintBoard();
    session_.settings().setGridColor(session_.settings().gridColor());
}

void BoardPanel::Rounded_Leds_Changed()
{
    if (!session_.settings().loading())
        session_.editor().canvas().repaintBoard();
}

bool BoardPanel::Grid_Key(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    return session_.gridKey(event->key());
}

bool BoardPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Board_Area->viewport() && event->type() == QEvent::Resize) {
        Fit_Work_Panel();
    } else if ((watched == Board_Area->viewport() || watched == Image1) && event->type() == QEvent::Wheel) {
        // Ctrl and the wheel zoom, as in every picture editor.
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int notches = wheel->angleDelta().y() / 120;
            if (notches != 0)
                Zoom_By(notches);
            return true;
        }
    } else if (watched == Image1 && event->type() == QEvent::KeyPress) {
        if (Grid_Key(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
