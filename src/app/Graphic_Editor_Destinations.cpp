#include "app/Graphic_Editor.h"

#include "app/DestinationsWindow.h"
#include "app/FramesPanel.h"
#include "app/SendPanel.h"
#include "session/EditorSession.h"
#include "session/OverrideFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

void TForm1::Connect_Destinations()
{
    Destinations1 = new QAction(QStringLiteral("Destinations..."), this);
    Destinations1->setToolTip(QStringLiteral("A depot's destinations, lettered on every sign of the bus"));
    File1->insertAction(Export1->menuAction(), Destinations1);
    connect(Destinations1, &QAction::triggered, this, &TForm1::Destinations1Click);
    // At the menu bar's right end, where it takes nothing from the panels.
    Destinations_Button = new QToolButton(menuBar());
    Destinations_Button->setText(QStringLiteral("Destinations"));
    Destinations_Button->setAutoRaise(true);
    Destinations_Button->setToolTip(Destinations1->toolTip());
    menuBar()->setCornerWidget(Destinations_Button, Qt::TopRightCorner);
    connect(Destinations_Button, &QToolButton::clicked, this, &TForm1::Destinations1Click);

    // An image saved into a set's overrides folder is stored in the set.
    connect(&document(), &vexel::ImageDocument::written, this, [this] {
        const std::optional<vexel::Status> stored = Session_->overrideLink().imageSaved(Image_Path());
        if (!stored)
            return;
        if (*stored)
            StatusBar2->showMessage(QStringLiteral("Stored in the destination set as made by hand"));
        else
            Show_Error(stored->error());
    });
}

void TForm1::Destinations1Click()
{
    if (!Destinations_Window) {
        Destinations_Window = new DestinationsWindow(prompter(), this);
        Destinations_Window->setObjectName(QStringLiteral("Destinations_Window"));
        Destinations_Window->setOverrideLink(&Session_->overrideLink());
        connect(Destinations_Window, &DestinationsWindow::openInEditor, this, &TForm1::Open_Override);
        connect(Destinations_Window, &DestinationsWindow::sendRequested, this, &TForm1::Send_Files);
    }
    Destinations_Window->setStepTime(settings().simulatorStep());
    if (!Destinations_Window->session())
        Destinations_Window->Open_Click();
    Destinations_Window->show();
    Destinations_Window->raise();
    Destinations_Window->activateWindow();
}

void TForm1::Open_Override(const QString& path)
{
    if (Frames_Panel->Preview_Running() || !Ask_To_Save())
        return;
    Open_Chosen(path);
    raise();
    activateWindow();
}

void TForm1::Send_Files(const QStringList& paths)
{
    if (paths.isEmpty() || Frames_Panel->Preview_Running() || !Ask_To_Save())
        return;
    // The files' folder becomes the data folder, as when one of them is
    // loaded, and the send list holds exactly them.
    Open_Chosen(paths.constFirst());
    if (QFileInfo(Image_Path()) != QFileInfo(paths.constFirst()))
        return;
    Session_->sendList().setEntries({});
    Session_->listFiles();
    QList<int> rows;
    const QStringList& files = Session_->sendList().files();
    for (const QString& path : paths) {
        const int row = files.indexOf(QFileInfo(path).fileName());
        if (row >= 0)
            rows << row;
    }
    Session_->addToSendList(rows);
    Send_Panel->Button10Click();
}
