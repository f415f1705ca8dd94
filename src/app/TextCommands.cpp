#include "app/TextCommands.h"

#include "app/FontEditor.h"
#include "app/PanelHost.h"
#include "app/TextPanel.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"

#include <QAction>
#include <QMenu>

TextCommands::TextCommands(vexel::EditorSession& session, PanelHost& host, QAction* text, QMenu* edit,
                           QWidget* window)
    : QObject(window), session_(session), host_(host), window_(window)
{
    connect(text, &QAction::triggered, this, &TextCommands::Text1Click);
    connect(edit->addAction(tr("Font Editor...")), &QAction::triggered, this,
            [this] { FontEditor::showFor(window_, host_.prompter()); });
    connect(&session_.editor(), &vexel::BoardEditor::frameListChanged, this, &TextCommands::Text_Targets);
    connect(&session_.editor(), &vexel::BoardEditor::selectionMade, this, &TextCommands::Text_Targets);
}

void TextCommands::Create_Panel()
{
    // The fonts are looked for once, when the tool is first used.
    Text_Panel = new TextPanel(nullptr, window_);
    connect(Text_Panel, &TextPanel::ghostChanged, this,
            [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits, const QString& missing) {
                emit ghostShown(target, bits);
                Ghost_Missing = missing;
            });
    connect(Text_Panel, &TextPanel::placeRequested, this,
            [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits, bool clearTarget) {
                session_.editor().placeLeds(bits, target.x, target.y, clearTarget, QStringLiteral("text"));
                // Storing the frame announced the targets again; the ghost
                // goes only now.
                emit ghostCleared();
                // The pre-flight check before Send names the characters that
                // were drawn as boxes.
                session_.sendList().addMissing(session_.document().path(), Ghost_Missing);
            });
    connect(Text_Panel, &TextPanel::cancelled, this, &TextCommands::ghostCleared);
}

void TextCommands::Text1Click()
{
    if (!Text_Panel)
        Create_Panel();
    Text_Panel->show();
    Text_Targets();
    Text_Panel->raise();
    Text_Panel->activateWindow();
}

void TextCommands::Text_Targets()
{
    if (!Text_Panel || !Text_Panel->isVisible())
        return;
    Text_Panel->setTargets(session_.document().frameRect(), session_.selectionTarget());
}
