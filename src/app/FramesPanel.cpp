#include "app/FramesPanel.h"

#include "app/PanelButton.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "document/FrameHeader.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"
#include "session/EditorSession.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>

namespace {

QFont georgianFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Georgian"), QStringLiteral("Sylfaen")});
    return font;
}

QComboBox* effectBox(const QStringList& effects, const QString& accessibleName, const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(georgianFont());
    box->addItems(effects);
    box->setAccessibleName(accessibleName);
    box->setEditable(false);
    return box;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// Index of the selected item of the Frames list; 0 when none is selected.
int selectedFrame(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? 0 : list->row(items.first());
}

} // namespace

FramesPanel::FramesPanel(vexel::EditorSession& session, PanelHost& host, QWidget* parent, QBoxLayout* row)
    : QObject(parent), session_(session), host_(host)
{
    Preview = new Playback(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->timer()->setObjectName(QStringLiteral("Timer3"));
    Panel4 = new QFrame(parent);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameShape(QFrame::StyledPanel);
    Create_List(Panel4);
    Create_Properties();
    Lay_Out();
    row->addWidget(Panel4);
    Connect_Controls();
    Connect_Session();
}

void FramesPanel::Create_List(QWidget* parent)
{
    Label3 = new QLabel(parent);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAccessibleName(tr("File name"));
    Label2 = new QLabel(tr("Frames"), parent);
    Label2->setObjectName(QStringLiteral("Label2"));
    ListBox3 = new QListWidget(parent);
    ListBox3->setObjectName(QStringLiteral("ListBox3"));
    ListBox3->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox3->setAccessibleName(tr("Frames"));
    Button9 = panelButton(QStringLiteral("<<"), "Button9", parent);
    Button9->setToolTip(tr("New frame from the selection"));
    Button9->setEnabled(false);
    Button8 = panelButton(QStringLiteral(">>"), "Button8", parent);
    Button8->setToolTip(tr("Remove the selected frame"));
    Button9->setFixedWidth(36);
    Button8->setFixedWidth(36);
}

void FramesPanel::Create_Properties()
{
    SpinEdit2 = new QSpinBox(Panel4);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setRange(0, 65535);
    SpinEdit2->setValue(500);
    SpinEdit2->setAccessibleName(tr("Frame duration"));
    SpinEdit2->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    TntComboBox1 = effectBox({QStringLiteral("ანთებით"), QStringLiteral("ქვემოდან ამოცურებით"),
                              QStringLiteral("მარჯვნიდან შემოცურებით")},
                             tr("Start"), "TntComboBox1", Panel4);
    TntComboBox2 = effectBox({QStringLiteral("შემდ. კადრით ჩანაცვლებით"), QStringLiteral("ზევით აცურებით"),
                              QStringLiteral("მარცხნივ გაცურებით"), QStringLiteral("ჩაქრობით")},
                             tr("End"), "TntComboBox2", Panel4);
    Button7 = panelButton(tr("Run"), "Button7", Panel4);
    Button7->setEnabled(false);
    Sign_Button = panelButton(tr("Sign"), "Sign_Button", Panel4);
    Sign_Button->setToolTip(tr("Play the image as the board will show it, effects included"));
}

QWidget* FramesPanel::Lay_Out_Properties()
{
    auto* props = new QVBoxLayout;
    props->addWidget(buddyLabel(tr("Frame duration"), SpinEdit2, Panel4));
    props->addWidget(SpinEdit2);
    props->addWidget(buddyLabel(tr("Start"), TntComboBox1, Panel4));
    props->addWidget(TntComboBox1);
    props->addWidget(buddyLabel(tr("End"), TntComboBox2, Panel4));
    props->addWidget(TntComboBox2);
    props->addStretch(1);
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
    return propsBox;
}

void FramesPanel::Lay_Out()
{
    auto* frames = new QGridLayout(Panel4);
    frames->addWidget(Label3, 0, 0, 1, 3);
    frames->addWidget(Label2, 1, 0, 1, 3);
    frames->addWidget(Button9, 2, 0, Qt::AlignTop);
    frames->addWidget(Button8, 3, 0, Qt::AlignBottom);
    frames->addWidget(ListBox3, 2, 1, 2, 1);
    frames->addWidget(Lay_Out_Properties(), 2, 2, 2, 1);
    // A taller panel gives its height to the list and the properties.
    frames->setRowStretch(2, 1);
    frames->setRowStretch(3, 1);
}

void FramesPanel::Connect_Controls()
{
    connect(ListBox3, &QListWidget::itemSelectionChanged, this, &FramesPanel::ListBox3Click);
    connect(Button8, &QPushButton::clicked, this, &FramesPanel::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &FramesPanel::Button9Click);
    // activated comes from the user only, never from Load_Frame setting the box.
    connect(TntComboBox1, qOverload<int>(&QComboBox::activated), this, &FramesPanel::TntComboBox1Change);
    connect(TntComboBox2, qOverload<int>(&QComboBox::activated), this, &FramesPanel::TntComboBox2Change);
    SpinEdit2->setRange(0, vexel::FrameHeader::MaxField);
    SpinEdit2->installEventFilter(this);
    connect(Button7, &QPushButton::clicked, this, &FramesPanel::Button7Click);
    connect(Sign_Button, &QPushButton::clicked, this, &FramesPanel::signClicked);
    connect(Preview, &Playback::stepped, this, &FramesPanel::Timer3Timer);
    connect(Preview, &Playback::runningChanged, this, [this](bool running) {
        Button7->setText(running ? tr("Stop") : tr("Run"));
        session_.editor().setPreviewRunning(running);
        emit runningChanged(running);
    });
}

void FramesPanel::Connect_Session()
{
    // The panel's values are what storing a frame and a new frame take,
    // also when a spin button changed the duration without a key.
    vexel::ImageDocument* doc = &session_.document();
    connect(TntComboBox1, &QComboBox::currentIndexChanged, doc, &vexel::ImageDocument::setPanelEntry);
    connect(TntComboBox2, &QComboBox::currentIndexChanged, doc, &vexel::ImageDocument::setPanelExit);
    connect(SpinEdit2, &QSpinBox::valueChanged, doc, &vexel::ImageDocument::setPanelDuration);
    vexel::BoardEditor* editor = &session_.editor();
    connect(editor, &vexel::BoardEditor::panelShown, this, &FramesPanel::Show_Frame_Panel);
    connect(editor, &vexel::BoardEditor::frameListChanged, this, &FramesPanel::Refresh_Frames_List);
    connect(editor, &vexel::BoardEditor::selectionMade, this, [this] { Button9->setEnabled(true); });
    doc->setPanel(vexel::FramePanel{TntComboBox1->currentIndex(), TntComboBox2->currentIndex(), SpinEdit2->value()});
}

bool FramesPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SpinEdit2) {
        // The press has already changed the value; the release writes it.
        if (event->type() == QEvent::KeyRelease)
            SpinEdit2KeyUp();
        else if (event->type() == QEvent::FocusOut)
            session_.editor().endDurationRun();
    }
    return QObject::eventFilter(watched, event);
}

void FramesPanel::Show_Frame_Panel()
{
    const vexel::FramePanel& panel = session_.document().panel();
    // Showing the frame is not an edit of its properties.
    const QSignalBlocker entry(TntComboBox1);
    const QSignalBlocker exit(TntComboBox2);
    const QSignalBlocker duration(SpinEdit2);
    TntComboBox1->setCurrentIndex(panel.entry);
    TntComboBox2->setCurrentIndex(panel.exit);
    SpinEdit2->setValue(panel.duration);
}

void FramesPanel::Refresh_Frames_List()
{
    const int count = session_.document().frameCount();
    Label2->setText(tr("Frames: %1").arg(count));
    // Filling the list is no user choice of a frame.
    const QSignalBlocker blocker(ListBox3);
    ListBox3->clear();
    for (int i = 0; i < count; ++i)
        ListBox3->addItem(tr("Frame %1").arg(i));
    ListBox3->setCurrentRow(session_.document().currentFrame());
}

void FramesPanel::ListBox3Click()
{
    if (!host_.Ask_To_Save()) {
        // The list goes back to the frame still being edited.
        Refresh_Frames_List();
        return;
    }
    if (const vexel::Status shown = session_.showFrame(selectedFrame(ListBox3)); !shown) {
        host_.prompter().error(shown.error());
        Refresh_Frames_List();
    }
}

void FramesPanel::Button8Click()
{
    if (session_.editor().removeFrame(selectedFrame(ListBox3)))
        emit frameRemoved();
}

void FramesPanel::Button9Click()
{
    using Added = vexel::EditorSession::FrameAdded;
    const Added added = session_.addFrameFromSelection([this] { host_.SaveAs1Click(); });
    if (added.outcome == Added::TooSmall)
        host_.prompter().inform(tr("Selection must be minimum 8 X 3"), Prompter::InfoButton::Yes);
    else if (added.outcome == Added::TooMany)
        host_.prompter().inform(tr("Image can hold maximum 256 frames"), Prompter::InfoButton::Yes);
    if (added.outcome == Added::NotSaved)
        host_.prompter().error(added.error);
    if (added.outcome == Added::Added || added.outcome == Added::NotSaved)
        emit frameAdded();
}

void FramesPanel::TntComboBox1Change() { session_.editor().setEntryEffect(TntComboBox1->currentIndex()); }

void FramesPanel::TntComboBox2Change() { session_.editor().setExitEffect(TntComboBox2->currentIndex()); }

void FramesPanel::SpinEdit2KeyUp() { session_.editor().setDuration(SpinEdit2->value()); }

bool FramesPanel::Preview_Running() const { return Preview->running(); }

void FramesPanel::Pause_Preview() { Preview->pause(); }

void FramesPanel::Run_Key()
{
    if (Button7->isEnabled())
        Button7->click();
}

void FramesPanel::Offer_Run() { Button7->setEnabled(session_.document().frameCount() >= 2 || Preview_Running()); }

void FramesPanel::Set_Run_Enabled(bool enabled) { Button7->setEnabled(enabled); }

void FramesPanel::Set_Add_Enabled(bool enabled) { Button9->setEnabled(enabled); }

bool FramesPanel::Add_Enabled() const { return Button9->isEnabled(); }

void FramesPanel::Hold_While_Opening()
{
    Add_Before_Opening = Add_Enabled();
    Set_Add_Enabled(false);
    Pause_Preview();
}

void FramesPanel::Release_After_Refusal() { Set_Add_Enabled(Add_Before_Opening); }

void FramesPanel::Show_File_Name(const QString& name) { Label3->setText(name); }

void FramesPanel::Set_Locked(bool locked)
{
    for (QWidget* control : std::initializer_list<QWidget*>{ListBox3, Button8, SpinEdit2, TntComboBox1, TntComboBox2})
        control->setEnabled(!locked);
    // Adding needs a selection; whoever ends the lock decides about it.
    if (locked)
        Button9->setEnabled(false);
}

void FramesPanel::Button7Click()
{
    if (Preview_Running())
        Stop_Preview();
    else if (host_.Ask_To_Save())
        Start_Preview();
}

void FramesPanel::Start_Preview()
{
    const auto start = session_.startPreview([this](int duration) { Preview->play(duration); });
    if (start.started)
        host_.Hide_Controls();
    if (!start.error.isEmpty())
        host_.prompter().error(start.error);
}

void FramesPanel::Stop_Preview()
{
    Preview->stop();
    host_.Show_Controls();
    if (session_.editor().selection().shown())
        Button9->setEnabled(true);
    // Only while idle does the frame count decide whether "Run" is offered.
    Button7->setEnabled(session_.document().frameCount() >= 2);
    Refresh_Frames_List();
}

void FramesPanel::Timer3Timer()
{
    if (!Preview_Running())
        return;
    vexel::ImageDocument& doc = session_.document();
    doc.setCurrentFrame(Playback::nextFrame(doc.currentFrame(), doc.frameCount()));
    session_.editor().loadFrame();
}
