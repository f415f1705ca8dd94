#include "app/Graphic_Editor.h"

#include <QActionGroup>

#include "widgets/AccessibleText.h"

#include "app/About.h"
#include "app/BoardPanel.h"
#include "app/EditCommands.h"
#include "app/Help.h"
#include "app/QtPrompter.h"
#include "app/FileCommands.h"
#include "app/FramesPanel.h"
#include "app/SignCommands.h"
#include "app/RecordView.h"
#include "app/SendPanel.h"
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

QToolButton* toolButton(const QIcon& icon, const QString& name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setIcon(icon);
    b->setToolTip(name);
    b->setAccessibleName(name);
    b->setAutoRaise(true);
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

    Create_Controls();

    Form2 = new TForm2(*App_Settings, *Settings_Store, prompter(), this);
    Form4 = new TForm4(this);

    Board_Panel->Connect();
    Edits->Connect();
    Create_Commands();
    Connect_Transfer();
    Connect_Shell();
    Connect_Shortcuts();
    Connect_Panels();
    Name_Controls();
}

void TForm1::Connect_Panels()
{
    connect(Frames_Panel, &FramesPanel::frameAdded, this, &TForm1::Set_Title);
    connect(Frames_Panel, &FramesPanel::frameRemoved, Files, &FileCommands::Show_Loaded);
    connect(Frames_Panel, &FramesPanel::runningChanged, Edits, &EditCommands::Update_Undo_Actions);
    connect(Frames_Panel, &FramesPanel::signClicked, Signs, &SignCommands::Sign1Click);
    connect(Send_Panel, &SendPanel::listsShown, this, [this] { Signs->Sign_Follow(false, true); });
    connect(Send_Panel, &SendPanel::listedOpened, this, [this] { Frames_Panel->Set_Add_Enabled(false); });
    connect(Send_Panel, &SendPanel::stopClicked, Signs, &SignCommands::Stop_Export);
    connect(Copy1, &QAction::triggered, Board_Panel, &BoardPanel::Copy1Click);
    connect(Paste1, &QAction::triggered, Board_Panel, &BoardPanel::Paste1Click);
}

void TForm1::Name_Controls()
{
    // Tests and assistive tools find a control by the name it has here.
    const std::pair<QObject*, const char*> named[] = {
        {File1, "File1"}, {Edit1, "Edit1"}, {Undo1, "Undo1"}, {Redo1, "Redo1"}, {Copy1, "Copy1"}, {Paste1, "Paste1"},
        {Settings1, "Settings1"}, {About1, "About1"}, {N1, "N1"}, {Help1, "Help1"}, {User_Guide1, "User_Guide1"},
        {SpeedButton2, "SpeedButton2"}, {SpeedButton1, "SpeedButton1"}, {Panel3, "Panel3"},
        {ProgressBar1, "ProgressBar1"}, {StatusBar2, "StatusBar2"}, {Form2, "Form2"}, {Form4, "Form4"}, {Timer1, "Timer1"},
        {Quit1, "Quit1"}, {Run_Key, "Run_Key"},
        {Zoom_In, "Zoom_In"}, {Zoom_Out, "Zoom_Out"}
    };
    for (const auto& [object, name] : named)
        if (object && object->objectName().isEmpty())
            object->setObjectName(QLatin1String(name));
}

TForm1::~TForm1() = default;

void TForm1::Create_Controls()
{
    Create_Menus();
    Create_Tool_Row();
    setCentralWidget(Board_Panel->Create_Board());
    Image1 = Board_Panel->Grid();
    Create_Work_Panel();
    Create_Status_Bar();
}

void TForm1::Create_Menus()
{
    // The file commands fill the File menu when they are made.
    File1 = menuBar()->addMenu(tr("File"));
    Edit1 = menuBar()->addMenu(tr("Edit"));
    Undo1 = Edit1->addAction(tr("Undo"));
    Redo1 = Edit1->addAction(tr("Redo"));
    Edit1->addSeparator();
    Copy1 = Edit1->addAction(tr("Copy"));
    Paste1 = Edit1->addAction(tr("Paste"));
    Settings1 = menuBar()->addAction(tr("Settings"));
    About1 = menuBar()->addAction(tr("About"));
    N1 = menuBar()->addAction(QStringLiteral("?"));
    Help1 = menuBar()->addMenu(tr("Help"));
    User_Guide1 = Help1->addAction(tr("User Guide"));
}

void TForm1::Create_Tool_Row()
{
    auto* tools = new QToolBar(tr("Tools"), this);
    tools->setObjectName(QStringLiteral("ToolRow"));
    tools->setMovable(false);
    tools->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, tools);
    SpeedButton2 = toolButton(style()->standardIcon(QStyle::SP_DialogOpenButton), tr("Load"), tools);
    SpeedButton1 = toolButton(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Save"), tools);
    tools->addWidget(SpeedButton2);
    tools->addWidget(SpeedButton1);
    tools->addSeparator();
    Board_Panel = new BoardPanel(*Session_, *this, this, tools);
    Tool_Row = tools;
    Draw_Row = new QToolBar(tools->windowTitle(), this);
    Draw_Row->setObjectName(QStringLiteral("DrawRow"));
    Draw_Row->setMovable(false);
    Draw_Row->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, Draw_Row);
    Edits = new EditCommands(*Editor, Undo1, Redo1, Edit1, Draw_Row,
                             [this] { return Frames_Panel->Preview_Running() || Send_Job->running(); }, this);
}

// The drawing tools stay on the tool row's line while both fit the window,
// and take a line of their own where longer names (another language) would
// push tools behind the bar's » button.
void TForm1::Fit_Tool_Rows()
{
    if (!Tool_Row || !Draw_Row)
        return;
    const bool fits = Tool_Row->sizeHint().width() + Draw_Row->sizeHint().width() <= width();
    if (fits && toolBarBreak(Draw_Row))
        removeToolBarBreak(Draw_Row);
    else if (!fits && !toolBarBreak(Draw_Row))
        insertToolBarBreak(Draw_Row);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Fit_Tool_Rows();
}

void TForm1::Create_Work_Panel()
{
    // Frames, record view, file list, send panel.
    Panel3 = new QFrame(Board_Panel->Work_Parent());
    auto* work = new QHBoxLayout(Panel3);
    work->setContentsMargins(0, 0, 0, 0);
    work->setSpacing(6);

    Frames_Panel = new FramesPanel(*Session_, *this, Panel3, work);

    Memo1 = new RecordView(Editor->document(), Panel3, work);

    Send_Panel = new SendPanel(*Session_, *this, Panel3, work);
    work->addStretch(1);
    Panel3->setMinimumHeight(260);
    Panel3->resize(Panel3->sizeHint().expandedTo(Panel3->minimumSize()));
    Board_Panel->Place_Work_Panel(Panel3);
}

void TForm1::Create_Status_Bar()
{
    StatusBar2 = new QStatusBar(this);
    setStatusBar(StatusBar2);
    makeReadable(StatusBar2, tr("Status"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 10000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(tr("Progress"));
    // The status text takes the left part; a full-width bar would hide it.
    ProgressBar1->setFixedWidth(360);
    StatusBar2->addPermanentWidget(ProgressBar1);
    // Shown while there is progress to show: a job, an export.
    ProgressBar1->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
}

void TForm1::Show_Error(const QString& message) { prompter().error(message); }

void TForm1::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}
