#pragma once

#include <QObject>
#include <QString>

class FileCommands;
class FleetWindow;
class JournalWindow;
class PanelHost;
class QAction;
class QMenu;
class QWidget;

namespace vexel {
class EditorSession;
struct FleetBusState;
} // namespace vexel

// View > Journal... and View > Fleet...: the windows about the buses, each
// made when first shown. A bus's codes are sent from the Fleet window
// through the send list.
class BusCommands : public QObject {
    Q_OBJECT
public:
    // The actions go at the end of `view`.
    BusCommands(vexel::EditorSession& session, PanelHost& host, FileCommands& files, QMenu* view, QWidget* window);

    void Journal1Click();
    void Fleet1Click();
    // "Send to this bus": the bus's codes on the send list, then as Send.
    void Fleet_Send(const vexel::FleetBusState& state, const QString& sign);

signals:
    // The send list is ready: Send, as its button does.
    void sendRequested();

private:
    vexel::EditorSession& session_;
    PanelHost& host_;
    FileCommands& files_;
    QWidget* window_;
    QAction* Journal1 = nullptr;
    JournalWindow* Journal_Window = nullptr;
    QAction* Fleet1 = nullptr;
    FleetWindow* Fleet_Window = nullptr;
};
