#include "app/Graphic_Editor.h"

#include "app/FleetWindow.h"
#include "app/FramesPanel.h"
#include "app/SendPanel.h"
#include "session/EditorSession.h"
#include "session/FleetSession.h"

#include <QAction>
#include <QMenu>

void TForm1::Connect_Fleet()
{
    Fleet1 = View1->addAction(QStringLiteral("Fleet..."));
    Fleet1->setObjectName(QStringLiteral("Fleet1"));
    Fleet1->setToolTip(QStringLiteral("Every bus, what each sign carries, and which are behind"));
    connect(Fleet1, &QAction::triggered, this, &TForm1::Fleet1Click);
}

void TForm1::Fleet1Click()
{
    if (!Fleet_Window) {
        Fleet_Window = new FleetWindow(Session_->fleetSources(), prompter(), this);
        Fleet_Window->setObjectName(QStringLiteral("Fleet_Window"));
        connect(Fleet_Window, &FleetWindow::sendRequested, this, &TForm1::Fleet_Send);
    }
    Fleet_Window->show();
    Fleet_Window->raise();
    Fleet_Window->activateWindow();
}

void TForm1::Fleet_Send(const vexel::FleetBusState& state, const QString& sign)
{
    if (Frames_Panel->Preview_Running() || !Ask_To_Save())
        return;
    const vexel::Status listed = vexel::FleetSession::sendToBus(*Session_, state, sign);
    if (!listed) {
        Show_Error(listed.error());
        return;
    }
    Send_Panel->Button10Click();
}
