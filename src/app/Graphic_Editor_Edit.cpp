#include "app/Graphic_Editor.h"

#include "app/FramesPanel.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"
#include "transfer/SendJob.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

void TForm1::Create_Edit_Controls(QToolBar* tools)
{
    Undo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The buttons show arrows; their tooltips say what they would take back.
    Undo1->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    Redo1->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
    tools->addSeparator();
    UndoButton = new QToolButton(tools);
    UndoButton->setDefaultAction(Undo1);
    UndoButton->setAccessibleName(QStringLiteral("Undo"));
    RedoButton = new QToolButton(tools);
    RedoButton->setDefaultAction(Redo1);
    RedoButton->setAccessibleName(QStringLiteral("Redo"));
    tools->addWidget(UndoButton);
    tools->addWidget(RedoButton);

    tools->addSeparator();
    Tool_Actions = new QActionGroup(this);
    Tool_Actions->setExclusive(true);
    Edit1->addSeparator();
    for (const vexel::ToolInfo& info : vexel::toolList()) {
        auto* action = new QAction(QString::fromLatin1(info.name), Tool_Actions);
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QChar::fromLatin1(info.key)));
        action->setToolTip(QString::fromLatin1(info.purpose));
        action->setData(static_cast<int>(info.tool));
        action->setChecked(info.tool == vexel::Tool::Cursor);
        Edit1->addAction(action);
        auto* button = new QToolButton(tools);
        button->setDefaultAction(action);
        button->setAccessibleName(QString::fromLatin1(info.name) + QStringLiteral(" tool"));
        tools->addWidget(button);
    }
    // The drawing tools' toggle: checked, they draw unlit LEDs (the Eraser lit ones).
    auto* unlit = new QAction(QStringLiteral("Unlit"), this);
    unlit->setObjectName(QStringLiteral("Unlit1"));
    unlit->setCheckable(true);
    unlit->setShortcut(QKeySequence(Qt::Key_X));
    unlit->setToolTip(QStringLiteral("Drawing tools draw unlit LEDs (X swaps)"));
    Edit1->addAction(unlit);
    auto* unlitButton = new QToolButton(tools);
    unlitButton->setDefaultAction(unlit);
    unlitButton->setAccessibleName(QStringLiteral("Draw unlit LEDs"));
    tools->addWidget(unlitButton);
    connect(unlit, &QAction::toggled, this, [this](bool on) { Editor->setDrawUnlit(on); });
    // The Text tool opens its panel rather than taking the mouse.
    Text1 = Edit1->addAction(QStringLiteral("Text..."));
    Text1->setShortcut(QKeySequence(Qt::Key_T));
    Text1->setToolTip(QStringLiteral("Letter a text with an LED font (T)"));
    auto* text = new QToolButton(tools);
    text->setDefaultAction(Text1);
    text->setText(QStringLiteral("Text"));
    text->setAccessibleName(QStringLiteral("Text tool"));
    tools->addWidget(text);
}

void TForm1::Connect_Edit()
{
    connect(Undo1, &QAction::triggered, this, &TForm1::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TForm1::Redo1Click);
    connect(&Editor->history(), &vexel::EditHistory::changed, this, &TForm1::Update_Undo_Actions);
    connect(Tool_Actions, &QActionGroup::triggered, this,
            [this](QAction* action) { Select_Tool(static_cast<vexel::Tool>(action->data().toInt())); });
    Update_Undo_Actions();
}

QAction* TForm1::Tool_Action(vexel::Tool tool) const
{
    for (QAction* action : Tool_Actions->actions())
        if (action->data().toInt() == static_cast<int>(tool))
            return action;
    return nullptr;
}

void TForm1::Select_Tool(vexel::Tool tool)
{
    Editor->setTool(tool);
    if (QAction* action = Tool_Action(tool))
        action->setChecked(true);
}

void TForm1::Update_Undo_Actions()
{
    const vexel::EditHistory& history = Editor->history();
    const bool free = !Frames_Panel->Preview_Running() && !Send_Job->running();
    Undo1->setEnabled(free && history.canUndo());
    Redo1->setEnabled(free && history.canRedo());
    Undo1->setText(history.undoText());
    Redo1->setText(history.redoText());
}

void TForm1::Undo1Click()
{
    if (Undo1->isEnabled())
        Editor->undo();
}

void TForm1::Redo1Click()
{
    if (Redo1->isEnabled())
        Editor->redo();
}
