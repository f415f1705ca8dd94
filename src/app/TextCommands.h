#pragma once

// The panel declares the ghost's types to the meta-object system.
#include "app/TextPanel.h"

#include <QObject>
#include <QString>

class PanelHost;
class QAction;
class QMenu;
class QWidget;

namespace vexel {
class EditorSession;
}

// The Text tool's panel, made when the tool is first used, and Edit > Font
// Editor. The panel letters into the frame or the selection; the lettering
// is shown as a ghost on the LED grid until it is placed.
class TextCommands : public QObject {
    Q_OBJECT
public:
    // `text` is the tool's action; Font Editor goes at the end of `edit`.
    TextCommands(vexel::EditorSession& session, PanelHost& host, QAction* text, QMenu* edit, QWidget* window);

    void Text1Click();
    void Text_Targets(); // the frame window and the selection, while the panel is open

signals:
    void ghostShown(const vexel::FrameRect& target, const vexel::LedBitmap& bits);
    void ghostCleared();

private:
    void Create_Panel();

    vexel::EditorSession& session_;
    PanelHost& host_;
    QWidget* window_;
    TextPanel* Text_Panel = nullptr;
    QString Ghost_Missing; // the characters the ghost's font lacks
};
