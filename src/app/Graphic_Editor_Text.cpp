#include "app/Graphic_Editor.h"

#include "app/FontEditor.h"
#include "session/EditorSession.h"

#include "app/TextPanel.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

void TForm1::Connect_Text()
{
    connect(Text1, &QAction::triggered, this, &TForm1::Text1Click);
    connect(Edit1->addAction(QStringLiteral("Font Editor...")), &QAction::triggered, this,
            [this] { FontEditor::showFor(this, prompter()); });
    connect(Editor, &vexel::BoardEditor::frameListChanged, this, &TForm1::Text_Targets);
    connect(Editor, &vexel::BoardEditor::selectionMade, this, &TForm1::Text_Targets);
}

void TForm1::Text1Click()
{
    if (!Text_Panel) {
        // The fonts are looked for once, when the tool is first used.
        Text_Panel = new TextPanel(nullptr, this);
        connect(Text_Panel, &TextPanel::ghostChanged, this,
                [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits, const QString& missing) {
                    Image1->setGhost(QRect(target.x, target.y, target.w, target.h), bits, settings().cellSize());
                    Ghost_Missing = missing;
                });
        connect(Text_Panel, &TextPanel::placeRequested, this,
                [this](const vexel::FrameRect& target, const vexel::LedBitmap& bits, bool clearTarget) {
                    Editor->placeLeds(bits, target.x, target.y, clearTarget, QStringLiteral("text"));
                    // Storing the frame announced the targets again; the
                    // ghost goes only now.
                    Image1->clearGhost();
                    // The pre-flight check before Send names the characters
                    // that were drawn as boxes.
                    Session_->sendList().addMissing(Image_Path(), Ghost_Missing);
                });
        connect(Text_Panel, &TextPanel::cancelled, this, [this] { Image1->clearGhost(); });
    }
    Text_Panel->show();
    Text_Targets();
    Text_Panel->raise();
    Text_Panel->activateWindow();
}

void TForm1::Text_Targets()
{
    if (!Text_Panel || !Text_Panel->isVisible())
        return;
    Text_Panel->setTargets(document().frameRect(), Selection_Target());
}

std::optional<vexel::FrameRect> TForm1::Selection_Target() const
{
    const vexel::Selection& selection = Editor->selection();
    if (!selection.shown())
        return std::nullopt;
    const vexel::LedRect r = selection.onBoard(settings().boardWidth(), settings().boardHeight());
    return vexel::FrameRect{r.x0, r.y0, r.width(), r.height()};
}
