#include "app/EditCommands.h"

#include "editor/BoardEditor.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <utility>

EditCommands::EditCommands(vexel::BoardEditor& editor, QAction* undo, QAction* redo, QMenu* edit, QToolBar* tools,
                           std::function<bool()> busy, QObject* parent)
    : QObject(parent), editor_(editor), busy_(std::move(busy)), Undo1(undo), Redo1(redo)
{
    setObjectName(QStringLiteral("EditCommands"));
    Create_Undo_Buttons(tools);
    Create_Tools(edit, tools);
    Create_Unlit(edit, tools);
    Create_Text(edit, tools);
}

void EditCommands::Create_Undo_Buttons(QToolBar* tools)
{
    Undo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The buttons show arrows; their tooltips say what they would take back.
    QStyle* style = tools->style();
    Undo1->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style->standardIcon(QStyle::SP_ArrowBack)));
    Redo1->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style->standardIcon(QStyle::SP_ArrowForward)));
    tools->addSeparator();
    UndoButton = new QToolButton(tools);
    UndoButton->setObjectName(QStringLiteral("UndoButton"));
    UndoButton->setDefaultAction(Undo1);
    UndoButton->setAccessibleName(QStringLiteral("Undo"));
    RedoButton = new QToolButton(tools);
    RedoButton->setObjectName(QStringLiteral("RedoButton"));
    RedoButton->setDefaultAction(Redo1);
    RedoButton->setAccessibleName(QStringLiteral("Redo"));
    tools->addWidget(UndoButton);
    tools->addWidget(RedoButton);
}

void EditCommands::Create_Tools(QMenu* edit, QToolBar* tools)
{
    tools->addSeparator();
    Tool_Actions = new QActionGroup(parent());
    Tool_Actions->setObjectName(QStringLiteral("Tool_Actions"));
    Tool_Actions->setExclusive(true);
    edit->addSeparator();
    for (const vexel::ToolInfo& info : vexel::toolList()) {
        auto* action = new QAction(QString::fromLatin1(info.name), Tool_Actions);
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QChar::fromLatin1(info.key)));
        action->setToolTip(QString::fromLatin1(info.purpose));
        action->setData(static_cast<int>(info.tool));
        action->setChecked(info.tool == vexel::Tool::Cursor);
        edit->addAction(action);
        auto* button = new QToolButton(tools);
        button->setDefaultAction(action);
        button->setAccessibleName(QString::fromLatin1(info.name) + QStringLiteral(" tool"));
        tools->addWidget(button);
    }
}

void EditCommands::Create_Unlit(QMenu* edit, QToolBar* tools)
{
    // The drawing tools' toggle: checked, they draw unlit LEDs (the Eraser lit ones).
    auto* unlit = new QAction(QStringLiteral("Unlit"), parent());
    unlit->setObjectName(QStringLiteral("Unlit1"));
    unlit->setCheckable(true);
    unlit->setShortcut(QKeySequence(Qt::Key_X));
    unlit->setToolTip(QStringLiteral("Drawing tools draw unlit LEDs (X swaps)"));
    edit->addAction(unlit);
    auto* unlitButton = new QToolButton(tools);
    unlitButton->setDefaultAction(unlit);
    unlitButton->setAccessibleName(QStringLiteral("Draw unlit LEDs"));
    tools->addWidget(unlitButton);
    connect(unlit, &QAction::toggled, this, [this](bool on) { editor_.setDrawUnlit(on); });
}

void EditCommands::Create_Text(QMenu* edit, QToolBar* tools)
{
    // The Text tool opens its panel rather than taking the mouse.
    Text1 = edit->addAction(QStringLiteral("Text..."));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setShortcut(QKeySequence(Qt::Key_T));
    Text1->setToolTip(QStringLiteral("Letter a text with an LED font (T)"));
    auto* text = new QToolButton(tools);
    text->setDefaultAction(Text1);
    text->setText(QStringLiteral("Text"));
    text->setAccessibleName(QStringLiteral("Text tool"));
    tools->addWidget(text);
}

void EditCommands::Connect()
{
    connect(Undo1, &QAction::triggered, this, &EditCommands::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &EditCommands::Redo1Click);
    connect(&editor_.history(), &vexel::EditHistory::changed, this, &EditCommands::Update_Undo_Actions);
    connect(Tool_Actions, &QActionGroup::triggered, this,
            [this](QAction* action) { Select_Tool(static_cast<vexel::Tool>(action->data().toInt())); });
    Update_Undo_Actions();
}

QAction* EditCommands::Tool_Action(vexel::Tool tool) const
{
    for (QAction* action : Tool_Actions->actions())
        if (action->data().toInt() == static_cast<int>(tool))
            return action;
    return nullptr;
}

void EditCommands::Select_Tool(vexel::Tool tool)
{
    editor_.setTool(tool);
    if (QAction* action = Tool_Action(tool))
        action->setChecked(true);
}

void EditCommands::Update_Undo_Actions()
{
    const vexel::EditHistory& history = editor_.history();
    const bool free = !busy_();
    Undo1->setEnabled(free && history.canUndo());
    Redo1->setEnabled(free && history.canRedo());
    Undo1->setText(history.undoText());
    Redo1->setText(history.redoText());
}

void EditCommands::Undo1Click()
{
    if (Undo1->isEnabled())
        editor_.undo();
}

void EditCommands::Redo1Click()
{
    if (Redo1->isEnabled())
        editor_.redo();
}
