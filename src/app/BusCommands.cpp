#include "app/BusCommands.h"

#include "app/FileCommands.h"
#include "app/FleetWindow.h"
#include "app/JournalWindow.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "session/EditorSession.h"
#include "session/FleetSession.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

BusCommands::BusCommands(vexel::EditorSession& session, PanelHost& host, FileCommands& files, QMenu* view,
                         QWidget* window)
    : QObject(window), session_(session), host_(host), files_(files), window_(window)
{
    Journal1 = view->addAction(tr("Journal..."));
    Journal1->setObjectName(QStringLiteral("Journal1"));
    Journal1->setToolTip(tr("Every send and read, and what each bus carries"));
    connect(Journal1, &QAction::triggered, this, &BusCommands::Journal1Click);
    Fleet1 = view->addAction(tr("Fleet..."));
    Fleet1->setObjectName(QStringLiteral("Fleet1"));
    Fleet1->setToolTip(tr("Every bus, what each sign carries, and which are behind"));
    connect(Fleet1, &QAction::triggered, this, &BusCommands::Fleet1Click);
}

void BusCommands::Journal1Click()
{
    if (!Journal_Window) {
        Journal_Window = new JournalWindow([this] { return session_.journal(); }, window_);
        Journal_Window->setObjectName(QStringLiteral("Journal_Window"));
        // What the operator asks about first: the bus typed for sending.
        Journal_Window->Edit_Bus->setText(session_.settings().busNumber());
    }
    Journal_Window->show();
    Journal_Window->raise();
    Journal_Window->activateWindow();
}

void BusCommands::Fleet1Click()
{
    if (!Fleet_Window) {
        Fleet_Window = new FleetWindow(session_.fleetSources(), host_.prompter(), window_);
        Fleet_Window->setObjectName(QStringLiteral("Fleet_Window"));
        connect(Fleet_Window, &FleetWindow::sendRequested, this, &BusCommands::Fleet_Send);
    }
    Fleet_Window->show();
    Fleet_Window->raise();
    Fleet_Window->activateWindow();
}

void BusCommands::Fleet_Send(const vexel::FleetBusState& state, const QString& sign)
{
    if (!files_.Image_Replaceable())
        return;
    const vexel::Status listed = vexel::FleetSession::sendToBus(session_, state, sign);
    if (!listed) {
        host_.prompter().error(listed.error());
        return;
    }
    emit sendRequested();
}
