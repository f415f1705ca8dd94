#include "app/EditCommands.h"

#include "editor/BoardEditor.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <cstring>
#include <utility>

namespace {

// The names and tooltips of vexel::toolList() and the names of the undo
// steps, marked here so that they are collected for the translation.
constexpr const char* EditorTexts[] = {
    // Tools
    QT_TRANSLATE_NOOP("EditCommands", "Cursor"),
    QT_TRANSLATE_NOOP("EditCommands", "Place the cursor that Paste uses (C)"),
    QT_TRANSLATE_NOOP("EditCommands", "Pencil"),
    QT_TRANSLATE_NOOP("EditCommands", "Light LEDs by dragging (P)"),
    QT_TRANSLATE_NOOP("EditCommands", "Eraser"),
    QT_TRANSLATE_NOOP("EditCommands", "Switch LEDs off by dragging (E)"),
    QT_TRANSLATE_NOOP("EditCommands", "Rectangle"),
    QT_TRANSLATE_NOOP("EditCommands", "Fill a rectangle with lit LEDs (R)"),
    QT_TRANSLATE_NOOP("EditCommands", "Select"),
    QT_TRANSLATE_NOOP("EditCommands", "Select a rectangle for Copy, Paste and new frames (S)"),
    QT_TRANSLATE_NOOP("EditCommands", "Line"),
    QT_TRANSLATE_NOOP("EditCommands", "Draw a straight line of LEDs (L)"),
    QT_TRANSLATE_NOOP("EditCommands", "Flood fill"),
    QT_TRANSLATE_NOOP("EditCommands", "Fill the area of equal LEDs under the pointer (F)"),
    QT_TRANSLATE_NOOP("EditCommands", "Move"),
    QT_TRANSLATE_NOOP("EditCommands", "Drag the selected LEDs; arrow keys nudge them (M)"),
    // Undo steps
    QT_TRANSLATE_NOOP("EditCommands", "edit"),
    QT_TRANSLATE_NOOP("EditCommands", "paint"),
    QT_TRANSLATE_NOOP("EditCommands", "erase"),
    QT_TRANSLATE_NOOP("EditCommands", "fill rectangle"),
    QT_TRANSLATE_NOOP("EditCommands", "paste"),
    QT_TRANSLATE_NOOP("EditCommands", "fill"),
    QT_TRANSLATE_NOOP("EditCommands", "clear"),
    QT_TRANSLATE_NOOP("EditCommands", "remove frame"),
    QT_TRANSLATE_NOOP("EditCommands", "entry effect"),
    QT_TRANSLATE_NOOP("EditCommands", "exit effect"),
    QT_TRANSLATE_NOOP("EditCommands", "duration"),
    QT_TRANSLATE_NOOP("EditCommands", "flood fill"),
    QT_TRANSLATE_NOOP("EditCommands", "line"),
    QT_TRANSLATE_NOOP("EditCommands", "move"),
    QT_TRANSLATE_NOOP("EditCommands", "add frame"),
    QT_TRANSLATE_NOOP("EditCommands", "import"),
    QT_TRANSLATE_NOOP("EditCommands", "import frames"),
    QT_TRANSLATE_NOOP("EditCommands", "text"),
};

QString shown(const char* text) { return QCoreApplication::translate("EditCommands", text); }

} // namespace

QString EditCommands::Tool_Name(const vexel::ToolInfo& info) { return shown(info.name); }

QString EditCommands::Tool_Purpose(const vexel::ToolInfo& info) { return shown(info.purpose); }

QString EditCommands::Step_Name(const QString& name) { return shown(name.toUtf8().constData()); }

bool EditCommands::Knows(const char* text)
{
    for (const char* known : EditorTexts)
        if (std::strcmp(known, text) == 0)
            return true;
    return false;
}

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
    UndoButton->setAccessibleName(tr("Undo"));
    RedoButton = new QToolButton(tools);
    RedoButton->setObjectName(QStringLiteral("RedoButton"));
    RedoButton->setDefaultAction(Redo1);
    RedoButton->setAccessibleName(tr("Redo"));
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
        auto* action = new QAction(Tool_Name(info), Tool_Actions);
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QChar::fromLatin1(info.key)));
        action->setToolTip(Tool_Purpose(info));
        action->setData(static_cast<int>(info.tool));
        action->setChecked(info.tool == vexel::Tool::Cursor);
        edit->addAction(action);
        auto* button = new QToolButton(tools);
        button->setDefaultAction(action);
        button->setAccessibleName(Tool_Name(info) + tr(" tool"));
        tools->addWidget(button);
    }
}

void EditCommands::Create_Unlit(QMenu* edit, QToolBar* tools)
{
    // The drawing tools' toggle: checked, they draw unlit LEDs (the Eraser lit ones).
    auto* unlit = new QAction(tr("Unlit"), parent());
    unlit->setObjectName(QStringLiteral("Unlit1"));
    unlit->setCheckable(true);
    unlit->setShortcut(QKeySequence(Qt::Key_X));
    unlit->setToolTip(tr("Drawing tools draw unlit LEDs (X swaps)"));
    edit->addAction(unlit);
    auto* unlitButton = new QToolButton(tools);
    unlitButton->setDefaultAction(unlit);
    unlitButton->setAccessibleName(tr("Draw unlit LEDs"));
    tools->addWidget(unlitButton);
    connect(unlit, &QAction::toggled, this, [this](bool on) { editor_.setDrawUnlit(on); });
}

void EditCommands::Create_Text(QMenu* edit, QToolBar* tools)
{
    // The Text tool opens its panel rather than taking the mouse.
    Text1 = edit->addAction(tr("Text..."));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setShortcut(QKeySequence(Qt::Key_T));
    Text1->setToolTip(tr("Letter a text with an LED font (T)"));
    auto* text = new QToolButton(tools);
    text->setDefaultAction(Text1);
    text->setText(tr("Text"));
    text->setAccessibleName(tr("Text tool"));
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
    const vexel::EditStep* back = history.undoStep();
    const vexel::EditStep* on = history.redoStep();
    Undo1->setText(back ? tr("Undo %1").arg(Step_Name(back->name)) : tr("Undo"));
    Redo1->setText(on ? tr("Redo %1").arg(Step_Name(on->name)) : tr("Redo"));
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
