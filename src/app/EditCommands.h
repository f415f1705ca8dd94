#pragma once

#include "editor/tools/ToolList.h"

#include <QObject>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QToolButton;

namespace vexel {
class BoardEditor;
}

// Undo and Redo, and the tools: their entries in the Edit menu and their
// buttons on the tool row. Undo and Redo say what they would take back and
// are off while `busy` (a preview playing or a job running).
class EditCommands : public QObject {
    Q_OBJECT
public:
    // `undo` and `redo` are the Edit menu's first entries; the tools follow
    // them in `edit` and on `tools`.
    EditCommands(vexel::BoardEditor& editor, QAction* undo, QAction* redo, QMenu* edit, QToolBar* tools,
                 std::function<bool()> busy, QObject* parent);

    void Connect(); // once the panels `busy` asks are made
    void Undo1Click();
    void Redo1Click();
    void Select_Tool(vexel::Tool tool);
    void Update_Undo_Actions();
    QAction* Tool_Action(vexel::Tool tool) const;
    // The Text tool's action, which opens its panel rather than taking the mouse.
    QAction* Text_Action() const { return Text1; }

    // The editor layer names its tools and undo steps in English; the
    // windows show those names in the interface's language. A name this
    // list does not know is shown as it is.
    static QString Tool_Name(const vexel::ToolInfo& info);
    static QString Tool_Purpose(const vexel::ToolInfo& info);
    static QString Step_Name(const QString& name);
    // Whether `text` is one of the editor layer's names the list knows.
    static bool Knows(const char* text);

private:
    void Create_Undo_Buttons(QToolBar* tools);
    void Create_Tools(QMenu* edit, QToolBar* tools);
    void Create_Unlit(QMenu* edit, QToolBar* tools);
    void Create_Text(QMenu* edit, QToolBar* tools);

    vexel::BoardEditor& editor_;
    std::function<bool()> busy_;
    QAction* Undo1;
    QAction* Redo1;
    QToolButton* UndoButton = nullptr;
    QToolButton* RedoButton = nullptr;
    QActionGroup* Tool_Actions = nullptr;
    QAction* Text1 = nullptr;
};
