#include "app/Graphic_Editor.h"

#include "widgets/SignWindow.h"
#include <QActionGroup>

#include "widgets/AccessibleText.h"

#include "app/About.h"
#include "app/Help.h"
#include "app/QtPrompter.h"
#include "app/RecordView.h"
#include "app/Settings.h"
#include "app/Test_Window.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/SendJob.h"
#include "transfer/SerialLink.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

const QString TForm1::Title_Text = QStringLiteral("Vexel Image v1.0      ");

namespace {

QFont georgianFont(int pixelSize = 0)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Georgian"), QStringLiteral("Sylfaen")});
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    return font;
}

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

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TForm1::TForm1(EditorContext context, QWidget* parent) : QMainWindow(parent), context_(std::move(context))
{
    if (context_.prompter) {
        prompter_ = context_.prompter;
    } else {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        prompter_ = ownPrompter_.get();
    }
    setWindowTitle(QStringLiteral("Form1"));
    resize(1010, 767);

    Exe_Folder = context_.exeFolder.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1Char('/')
                                              : context_.exeFolder;
    Session_ = new vexel::EditorSession(Exe_Folder, this);
    App_Settings = &Session_->settings();
    Settings_Store = &Session_->store();
    Editor = &Session_->editor();
    Serial_Link = &Session_->link();
    Send_Job = &Session_->sendJob();
    Session_->setBoundsAccess([this] { return QRect(x(), y(), width(), height()); },
                              [this](const QRect& r) {
                                  move(r.topLeft());
                                  resize(r.size());
                              });
    Preview = new Playback(this);
    Timer3 = Preview->timer();

    Create_Controls();
    Create_Sign_Controls();
    Create_Journal_Controls();

    Form2 = new TForm2(*App_Settings, *Settings_Store, prompter(), this);
    Form3 = new TForm3(this);
    Form4 = new TForm4(this);

    Connect_Board();
    Connect_Settings();
    Connect_Files();
    Connect_Mouse();
    Connect_Edit();
    Connect_Frames();
    Connect_Preview();
    Connect_Sign();
    Connect_Text();
    Connect_Depot();
    Connect_Journal();
    Connect_Fleet();
    Connect_Destinations();
    Connect_Transfer();
    Connect_Shell();
    Connect_Shortcuts();
    Name_Controls();
}

void TForm1::Name_Controls()
{
    // Tests and assistive tools find a control by the name it has here.
    const std::pair<QObject*, const char*> named[] = {
        {File1, "File1"}, {New1, "New1"}, {Save1, "Save1"}, {SaveAs1, "SaveAs1"}, {Load1, "Load1"},
        {Edit1, "Edit1"}, {Undo1, "Undo1"}, {Redo1, "Redo1"}, {Copy1, "Copy1"}, {Paste1, "Paste1"},
        {Settings1, "Settings1"}, {About1, "About1"}, {N1, "N1"}, {PopupMenu1, "PopupMenu1"}, {Copy2, "Copy2"},
        {Paste2, "Paste2"}, {SpeedButton2, "SpeedButton2"}, {SpeedButton1, "SpeedButton1"},
        {SpinEdit1, "SpinEdit1"}, {Button2, "Button2"}, {Button1, "Button1"}, {Board_Area, "Board_Area"},
        {Panel2, "Panel2"}, {Image2, "Image2"}, {Panel5, "Panel5"}, {Image3, "Image3"}, {Image1, "Image1"},
        {Panel3, "Panel3"}, {Panel4, "Panel4"}, {Label3, "Label3"}, {Label2, "Label2"}, {ListBox3, "ListBox3"},
        {Button9, "Button9"}, {Button8, "Button8"}, {SpinEdit2, "SpinEdit2"}, {TntComboBox1, "TntComboBox1"},
        {TntComboBox2, "TntComboBox2"}, {Button7, "Button7"}, {Memo1, "Memo1"}, {ListBox1, "ListBox1"},
        {Panel1, "Panel1"}, {Button3, "Button3"}, {Button6, "Button6"}, {ListBox2, "ListBox2"},
        {Button4, "Button4"}, {Button5, "Button5"}, {Button14, "Button14"}, {Button12, "Button12"},
        {Button10, "Button10"}, {Button11, "Button11"}, {CheckBox1, "CheckBox1"}, {Label4, "Label4"},
        {Label5, "Label5"}, {ProgressBar1, "ProgressBar1"}, {StatusBar2, "StatusBar2"},
        {Form2, "Form2"}, {Form3, "Form3"}, {Form4, "Form4"}, {Timer1, "Timer1"},
        {Timer2, "Timer2"}, {Timer3, "Timer3"}, {Import1, "Import1"}, {ImportGtfs1, "ImportGtfs1"}, {Quit1, "Quit1"}, {Run_Key, "Run_Key"},
        {Zoom_In, "Zoom_In"}, {Zoom_Out, "Zoom_Out"}, {Tool_Actions, "Tool_Actions"}, {Text1, "Text1"},
        {View1, "View1"}, {Sign1, "Sign1"}, {Export1, "Export1"}, {Export_Frame_Leds, "Export_Frame_Leds"},
        {Export_Frame_Pixels, "Export_Frame_Pixels"}, {Export_Gif_Image, "Export_Gif_Image"},
        {Export_Gif_List, "Export_Gif_List"}, {Export_Sheet_Image, "Export_Sheet_Image"},
        {Export_Sheet_List, "Export_Sheet_List"}, {UndoButton, "UndoButton"}, {RedoButton, "RedoButton"},
        {Sign_Button, "Sign_Button"}, {Preview, "Preview"}, {Sign_Window, "Sign_Window"},
        {Destinations1, "Destinations1"}, {Destinations_Button, "Destinations_Button"}
    };
    for (const auto& [object, name] : named)
        if (object && object->objectName().isEmpty())
            object->setObjectName(QLatin1String(name));
}

TForm1::~TForm1() = default;

void TForm1::Create_Controls()
{
    // Menus.
    File1 = menuBar()->addMenu(QStringLiteral("File"));
    New1 = File1->addAction(QStringLiteral("New"));
    Save1 = File1->addAction(QStringLiteral("Save"));
    SaveAs1 = File1->addAction(QStringLiteral("Save As"));
    Load1 = File1->addAction(QStringLiteral("Load"));
    Edit1 = menuBar()->addMenu(QStringLiteral("Edit"));
    Undo1 = Edit1->addAction(QStringLiteral("Undo"));
    Redo1 = Edit1->addAction(QStringLiteral("Redo"));
    Edit1->addSeparator();
    Copy1 = Edit1->addAction(QStringLiteral("Copy"));
    Paste1 = Edit1->addAction(QStringLiteral("Paste"));
    Settings1 = menuBar()->addAction(QStringLiteral("Settings"));
    About1 = menuBar()->addAction(QStringLiteral("About"));
    N1 = menuBar()->addAction(QStringLiteral("?"));
    PopupMenu1 = new QMenu(this);
    Copy2 = PopupMenu1->addAction(QStringLiteral("Copy"));
    Paste2 = PopupMenu1->addAction(QStringLiteral("Paste"));

    // Tool row.
    auto* tools = new QToolBar(QStringLiteral("Tools"), this);
    tools->setObjectName(QStringLiteral("ToolRow"));
    tools->setMovable(false);
    tools->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, tools);
    SpeedButton2 = new QToolButton(tools);
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton2->setToolTip(QStringLiteral("Load"));
    SpeedButton2->setAccessibleName(QStringLiteral("Load"));
    SpeedButton2->setAutoRaise(true);
    SpeedButton1 = new QToolButton(tools);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton1->setToolTip(QStringLiteral("Save"));
    SpeedButton1->setAccessibleName(QStringLiteral("Save"));
    SpeedButton1->setAutoRaise(true);
    tools->addWidget(SpeedButton2);
    tools->addWidget(SpeedButton1);
    tools->addSeparator();
    auto* zoomLabel = new QLabel(QStringLiteral(" Zoom "), tools);
    tools->addWidget(zoomLabel);
    SpinEdit1 = new QSpinBox(tools);
    SpinEdit1->setRange(1, 100);
    SpinEdit1->setValue(10);
    SpinEdit1->setAccessibleName(QStringLiteral("Zoom"));
    SpinEdit1->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    zoomLabel->setBuddy(SpinEdit1);
    tools->addWidget(SpinEdit1);
    tools->addSeparator();
    Button2 = button(QStringLiteral("Fill"), tools);
    Button1 = button(QStringLiteral("Clear"), tools);
    Button2->setToolTip(QStringLiteral("Light every LED of the frame"));
    Button1->setToolTip(QStringLiteral("Switch off every LED of the frame"));
    tools->addWidget(Button2);
    tools->addWidget(Button1);
    Create_Edit_Controls(tools);

    // The pictures and the work panel sit at the places the zoom change
    // gives them, inside a scroll area so a large board never gets cut off.
    Board_Area = new QScrollArea(this);
    Board_Area->setWidgetResizable(false);
    Board_Area->setFrameShape(QFrame::NoFrame);
    Canvas = new QWidget;
    Canvas->setObjectName(QStringLiteral("Canvas"));
    Board_Area->setWidget(Canvas);
    setCentralWidget(Board_Area);

    Panel2 = new QFrame(Canvas);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setAutoFillBackground(true);
    Image2 = new ImageView(&canvas().board(), Panel2);
    Image2->setAccessibleName(QStringLiteral("Board preview"));
    Panel5 = new QFrame(Canvas);
    Panel5->setFrameShape(QFrame::Panel);
    Panel5->setFrameShadow(QFrame::Sunken);
    Image3 = new ImageView(&Editor->clipboard().picture(), Panel5);
    Image3->setAccessibleName(QStringLiteral("Clipboard"));
    Panel5->hide();
    Image1 = new ImageView(&canvas().view(), Canvas);
    Image1->setAccessibleName(QStringLiteral("LED grid"));
    Image1->setCursor(Qt::CrossCursor);
    // A click gives the grid the keyboard: arrows move the cursor, Space
    // switches its LED.
    Image1->setFocusPolicy(Qt::ClickFocus);
    Panel2->setAccessibleName(QStringLiteral("Board"));
    Panel5->setAccessibleName(QStringLiteral("Clipboard picture"));

    // Work panel: frames, record view, file list, send panel.
    Panel3 = new QFrame(Canvas);
    auto* work = new QHBoxLayout(Panel3);
    work->setContentsMargins(0, 0, 0, 0);
    work->setSpacing(6);

    Panel4 = new QFrame(Panel3);
    Panel4->setFrameShape(QFrame::StyledPanel);
    auto* frames = new QGridLayout(Panel4);
    Label3 = new QLabel(Panel4);
    Label3->setAccessibleName(QStringLiteral("File name"));
    Label2 = new QLabel(QStringLiteral("Frames"), Panel4);
    ListBox3 = new QListWidget(Panel4);
    ListBox3->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox3->setAccessibleName(QStringLiteral("Frames"));
    ListBox3->setFixedWidth(100);
    Button9 = button(QStringLiteral("<<"), Panel4);
    Button9->setToolTip(QStringLiteral("New frame from the selection"));
    Button9->setEnabled(false);
    Button8 = button(QStringLiteral(">>"), Panel4);
    Button8->setToolTip(QStringLiteral("Remove the selected frame"));
    Button9->setFixedWidth(36);
    Button8->setFixedWidth(36);
    SpinEdit2 = new QSpinBox(Panel4);
    SpinEdit2->setRange(0, 65535);
    SpinEdit2->setValue(500);
    SpinEdit2->setAccessibleName(QStringLiteral("Frame duration"));
    SpinEdit2->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    TntComboBox1 = new QComboBox(Panel4);
    TntComboBox1->setFont(georgianFont());
    TntComboBox1->addItems({QStringLiteral("ანთებით"), QStringLiteral("ქვემოდან ამოცურებით"),
                            QStringLiteral("მარჯვნიდან შემოცურებით")});
    TntComboBox1->setAccessibleName(QStringLiteral("Start"));
    TntComboBox2 = new QComboBox(Panel4);
    TntComboBox2->setFont(georgianFont());
    TntComboBox2->addItems({QStringLiteral("შემდ. კადრით ჩანაცვლებით"), QStringLiteral("ზევით აცურებით"),
                            QStringLiteral("მარცხნივ გაცურებით"), QStringLiteral("ჩაქრობით")});
    TntComboBox2->setAccessibleName(QStringLiteral("End"));
    Button7 = button(QStringLiteral("Run"), Panel4);
    Button7->setEnabled(false);
    auto* durationLabel = new QLabel(QStringLiteral("Frame duration"), Panel4);
    durationLabel->setBuddy(SpinEdit2);
    auto* startLabel = new QLabel(QStringLiteral("Start"), Panel4);
    startLabel->setBuddy(TntComboBox1);
    auto* endLabel = new QLabel(QStringLiteral("End"), Panel4);
    endLabel->setBuddy(TntComboBox2);
    frames->addWidget(Label3, 0, 0, 1, 3);
    frames->addWidget(Label2, 1, 0, 1, 3);
    frames->addWidget(Button9, 2, 0, Qt::AlignTop);
    frames->addWidget(Button8, 3, 0, Qt::AlignBottom);
    frames->addWidget(ListBox3, 2, 1, 2, 1);
    auto* props = new QVBoxLayout;
    props->addWidget(durationLabel);
    props->addWidget(SpinEdit2);
    props->addWidget(startLabel);
    props->addWidget(TntComboBox1);
    props->addWidget(endLabel);
    props->addWidget(TntComboBox2);
    props->addStretch(1);
    Sign_Button = button(QStringLiteral("Sign"), Panel4);
    Sign_Button->setToolTip(QStringLiteral("Play the image as the board will show it, effects included"));
    auto* run = new QHBoxLayout;
    run->addWidget(Button7, 1);
    run->addWidget(Sign_Button);
    props->addLayout(run);
    auto* propsBox = new QWidget(Panel4);
    propsBox->setLayout(props);
    // Wide enough for the longest effect name; the frame list gives up what
    // that takes beyond the usual width, so the work panel keeps its width.
    const int effects = std::max({190, TntComboBox1->sizeHint().width(), TntComboBox2->sizeHint().width()});
    propsBox->setFixedWidth(effects);
    ListBox3->setFixedWidth(std::max(72, 100 - (effects - 190)));
    props->setContentsMargins(0, 0, 0, 0);
    frames->addWidget(propsBox, 2, 2, 2, 1);
    // A taller panel gives its height to the list and the properties.
    frames->setRowStretch(2, 1);
    frames->setRowStretch(3, 1);
    work->addWidget(Panel4);

    Memo1 = new RecordView(&document(), Panel3);
    Memo1->setFixedWidth(249);
    Memo1->setAccessibleName(QStringLiteral("Image record"));
    // Hidden until start-up, but its place in the panel is kept.
    QSizePolicy memoPolicy = Memo1->sizePolicy();
    memoPolicy.setRetainSizeWhenHidden(true);
    Memo1->setSizePolicy(memoPolicy);
    Memo1->hide();
    work->addWidget(Memo1);

    ListBox1 = new QListWidget(Panel3);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setAccessibleName(QStringLiteral("Image files"));
    ListBox1->setFixedWidth(125);
    work->addWidget(ListBox1);

    Panel1 = new QFrame(Panel3);
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* send = new QGridLayout(Panel1);
    Button3 = button(QStringLiteral(">>"), Panel1);
    Button3->setToolTip(QStringLiteral("Add the chosen files to the send list"));
    Button3->setAccessibleName(QStringLiteral("Add to send list"));
    Button6 = button(QStringLiteral("<<"), Panel1);
    Button6->setToolTip(QStringLiteral("Remove the chosen files from the send list"));
    Button6->setAccessibleName(QStringLiteral("Remove from send list"));
    ListBox2 = new QListWidget(Panel1);
    ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox2->setAccessibleName(QStringLiteral("Send list"));
    ListBox2->setFixedWidth(125);
    Button4 = button(QStringLiteral("Up"), Panel1);
    Button5 = button(QStringLiteral("Down"), Panel1);
    Button14 = button(QStringLiteral("Stop"), Panel1);
    Button14->setEnabled(false);
    Button12 = button(QStringLiteral("Rd"), Panel1);
    Button10 = button(QStringLiteral("Send"), Panel1);
    Button11 = button(QString(), Panel1);
    Button11->setFixedSize(14, 14);
    Button11->setToolTip(QStringLiteral("Show the Test window"));
    Button11->setAccessibleName(QStringLiteral("Test window"));
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setToolTip(QStringLiteral("Count the data length"));
    CheckBox1->setAccessibleName(QStringLiteral("Count data length"));
    Label4 = new QLabel(QStringLiteral("Files: 0"), Panel1);
    Label5 = new QLabel(QStringLiteral("Data length: "), Panel1);
    for (QPushButton* b : {Button3, Button6})
        b->setFixedWidth(40);
    for (QPushButton* b : {Button4, Button5, Button14, Button12, Button10})
        b->setFixedWidth(64);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(Button3);
    moves->addWidget(Button6);
    moves->addStretch(1);
    send->addLayout(moves, 0, 0, 2, 1);
    send->addWidget(ListBox2, 0, 1, 2, 1);
    auto* order = new QVBoxLayout;
    order->addWidget(Button4);
    order->addWidget(Button5);
    order->addStretch(1);
    order->addWidget(Button14);
    order->addWidget(Button12);
    order->addWidget(Button10);
    send->addLayout(order, 0, 2, 2, 1);
    auto* counts = new QHBoxLayout;
    counts->addWidget(CheckBox1);
    counts->addWidget(Label4);
    counts->addSpacing(12);
    counts->addWidget(Label5, 1);
    counts->addWidget(Button11);
    send->addLayout(counts, 2, 0, 1, 3);
    work->addWidget(Panel1);
    work->addStretch(1);
    Panel3->setMinimumHeight(260);
    Panel3->resize(Panel3->sizeHint().expandedTo(Panel3->minimumSize()));

    auto* fitter = new CanvasFitter(Canvas);
    for (QWidget* region : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel5),
                            static_cast<QWidget*>(Image1), static_cast<QWidget*>(Panel3)})
        fitter->watch(region);
    fitter->fit();

    // Bottom edge.
    StatusBar2 = new QStatusBar(this);
    setStatusBar(StatusBar2);
    makeReadable(StatusBar2);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 10000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));
    // The status text takes the left part; a full-width bar would hide it.
    ProgressBar1->setFixedWidth(360);
    StatusBar2->addPermanentWidget(ProgressBar1);
    // Shown while there is progress to show: a job, an export.
    ProgressBar1->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
}

void TForm1::Show_Error(const QString& message) { prompter().error(message); }

void TForm1::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}
