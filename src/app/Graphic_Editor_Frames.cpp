#include "app/Graphic_Editor.h"

#include "app/RecordView.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// Index of the selected item of the Frames list; 0 when none is selected.
int selectedFrame(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? 0 : list->row(items.first());
}

} // namespace

void TForm1::Connect_Frames()
{
    connect(ListBox3, &QListWidget::itemSelectionChanged, this, &TForm1::ListBox3Click);
    connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    // activated comes from the user only, never from Load_Frame setting the box.
    connect(TntComboBox1, qOverload<int>(&QComboBox::activated), this, &TForm1::TntComboBox1Change);
    connect(TntComboBox2, qOverload<int>(&QComboBox::activated), this, &TForm1::TntComboBox2Change);
    TntComboBox1->setEditable(false);
    TntComboBox2->setEditable(false);
    SpinEdit2->setRange(0, vexel::FrameHeader::MaxField);
    SpinEdit2->installEventFilter(this);

    // The panel's values are what storing a frame and a new frame take,
    // also when a spin button changed the duration without a key.
    vexel::ImageDocument* doc = &document();
    connect(TntComboBox1, &QComboBox::currentIndexChanged, doc, &vexel::ImageDocument::setPanelEntry);
    connect(TntComboBox2, &QComboBox::currentIndexChanged, doc, &vexel::ImageDocument::setPanelExit);
    connect(SpinEdit2, &QSpinBox::valueChanged, doc, &vexel::ImageDocument::setPanelDuration);
    connect(Editor, &vexel::BoardEditor::panelShown, this, &TForm1::Show_Frame_Panel);
    doc->setPanel(vexel::FramePanel{TntComboBox1->currentIndex(), TntComboBox2->currentIndex(), SpinEdit2->value()});
}

void TForm1::Show_Frame_Panel()
{
    const vexel::FramePanel& panel = document().panel();
    // Showing the frame is not an edit of its properties.
    const QSignalBlocker entry(TntComboBox1);
    const QSignalBlocker exit(TntComboBox2);
    const QSignalBlocker duration(SpinEdit2);
    TntComboBox1->setCurrentIndex(panel.entry);
    TntComboBox2->setCurrentIndex(panel.exit);
    SpinEdit2->setValue(panel.duration);
}

void TForm1::Refresh_Frames_List()
{
    const int count = document().frameCount();
    Label2->setText(QStringLiteral("Frames: %1").arg(count));
    // Filling the list is no user choice of a frame.
    const QSignalBlocker blocker(ListBox3);
    ListBox3->clear();
    for (int i = 0; i < count; ++i)
        ListBox3->addItem(QStringLiteral("Frame %1").arg(i));
    ListBox3->setCurrentRow(document().currentFrame());
}

void TForm1::ListBox3Click()
{
    if (!Ask_To_Save()) {
        // The list goes back to the frame still being edited.
        Refresh_Frames_List();
        return;
    }
    const int shown = document().currentFrame();
    document().setCurrentFrame(selectedFrame(ListBox3));
    // A file that cannot be read leaves the old frame on screen; it must stay
    // the current one, or the next store would write it over another frame.
    if (!Load_File()) {
        document().setCurrentFrame(shown);
        Refresh_Frames_List();
    }
}

void TForm1::Button8Click()
{
    if (Editor->removeFrame(selectedFrame(ListBox3)))
        Show_Loaded();
}

void TForm1::Button9Click()
{
    using Added = vexel::EditorSession::FrameAdded;
    const Added added = Session_->addFrameFromSelection([this] { SaveAs1Click(); });
    if (added.outcome == Added::TooSmall)
        prompter().inform(QStringLiteral("Selection must be minimum 8 X 3"), Prompter::InfoButton::Yes);
    else if (added.outcome == Added::TooMany)
        prompter().inform(QStringLiteral("Image can hold maximum 256 frames"), Prompter::InfoButton::Yes);
    if (added.outcome == Added::NotSaved)
        Show_Error(added.error);
    if (added.outcome == Added::Added || added.outcome == Added::NotSaved)
        Set_Title();
}

void TForm1::TntComboBox1Change() { Editor->setEntryEffect(TntComboBox1->currentIndex()); }

void TForm1::TntComboBox2Change() { Editor->setExitEffect(TntComboBox2->currentIndex()); }

void TForm1::SpinEdit2KeyUp() { Editor->setDuration(SpinEdit2->value()); }
