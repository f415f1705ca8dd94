#include "app/DestinationsCommands.h"

#include "app/DestinationsWindow.h"
#include "app/FileCommands.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "document/ImageDocument.h"
#include "session/BusList.h"
#include "session/EditorSession.h"
#include "session/OverrideFiles.h"
#include "settings/AppSettings.h"
#include "transfer/PortList.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

DestinationsCommands::DestinationsCommands(vexel::EditorSession& session, PanelHost& host, FileCommands& files,
                                           QMenu* file, QAction* before, QMenuBar* bar, QWidget* window)
    : QObject(window), session_(session), host_(host), files_(files), window_(window)
{
    Destinations1 = new QAction(tr("Destinations..."), window);
    Destinations1->setObjectName(QStringLiteral("Destinations1"));
    Destinations1->setToolTip(tr("A depot's destinations, lettered on every sign of the bus"));
    file->insertAction(before, Destinations1);
    connect(Destinations1, &QAction::triggered, this, &DestinationsCommands::Destinations1Click);
    // At the menu bar's right end, where it takes nothing from the panels.
    Destinations_Button = new QToolButton(bar);
    Destinations_Button->setObjectName(QStringLiteral("Destinations_Button"));
    Destinations_Button->setText(tr("Destinations"));
    Destinations_Button->setAutoRaise(true);
    Destinations_Button->setToolTip(Destinations1->toolTip());
    bar->setCornerWidget(Destinations_Button, Qt::TopRightCorner);
    connect(Destinations_Button, &QToolButton::clicked, this, &DestinationsCommands::Destinations1Click);

    connect(&session_.document(), &vexel::ImageDocument::written, this, &DestinationsCommands::Store_Override);
}

// An image saved into a set's overrides folder is stored in the set.
void DestinationsCommands::Store_Override()
{
    const std::optional<vexel::Status> stored = session_.overrideLink().imageSaved(files_.Image_Path());
    if (!stored)
        return;
    if (*stored)
        emit statusShown(tr("Stored in the destination set as made by hand"));
    else
        host_.prompter().error(stored->error());
}

void DestinationsCommands::Create_Window()
{
    Destinations_Window = new DestinationsWindow(host_.prompter(), window_);
    Destinations_Window->setObjectName(QStringLiteral("Destinations_Window"));
    Destinations_Window->setOverrideLink(&session_.overrideLink());
    connect(Destinations_Window, &DestinationsWindow::openInEditor, this, &DestinationsCommands::Open_Override);
    connect(Destinations_Window, &DestinationsWindow::sendRequested, this, &DestinationsCommands::Send_Files);
}

void DestinationsCommands::Destinations1Click()
{
    if (!Destinations_Window)
        Create_Window();
    Destinations_Window->setStepTime(session_.settings().simulatorStep());
    // A window closed let its set go; it opens that set again.
    if (!Destinations_Window->session() && !Destinations_Window->reopenSet())
        Destinations_Window->Open_Click();
    Destinations_Window->show();
    Destinations_Window->raise();
    Destinations_Window->activateWindow();
}

void DestinationsCommands::Open_Override(const QString& path, const vexel::SignBoard& board)
{
    if (!files_.Image_Replaceable())
        return;
    files_.Open_Chosen(path, board);
    window_->raise();
    window_->activateWindow();
}

QStringList DestinationsCommands::Bus_Numbers() const
{
    QStringList numbers;
    if (const vexel::Expected<std::vector<vexel::Bus>> buses = vexel::BusList(session_.journal()).buses())
        for (const vexel::Bus& bus : *buses)
            numbers << bus.number;
    return numbers;
}

void DestinationsCommands::Send_Files(const QStringList& paths, const QString& sign, const QSize& board)
{
    if (paths.isEmpty() || !files_.Image_Replaceable())
        return;
    vexel::AppSettings& settings = session_.settings();
    const vexel::PortList ports = vexel::PortList::systemPorts();
    const SendQuestion question{sign,        static_cast<int>(paths.size()), Bus_Numbers(), settings.busNumber(),
                                ports.choices(), ports.entryFor(settings.comPort())};
    const std::optional<SendForm> answer = host_.prompter().askSend(question);
    if (!answer)
        return;
    // The files' folder becomes the data folder, as when one of them is
    // loaded, and the send list holds exactly them.
    files_.Open_Chosen(paths.constFirst());
    if (QFileInfo(files_.Image_Path()) != QFileInfo(paths.constFirst()))
        return;
    session_.listOnly(paths);
    session_.setSignFor(QFileInfo(paths.constFirst()).absolutePath(), {sign, board.width(), board.height()});
    settings.setBusNumber(answer->bus);
    const QString port = ports.portFor(answer->port);
    if (port != settings.comPort())
        settings.setComPort(port);
    emit sendRequested();
}
