#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "app/SignWindow.h"
#include "document/ImageFile.h"
#include "preview/Export.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

void TForm1::Create_Sign_Controls()
{
    View1 = menuBar()->insertMenu(Settings1, new QMenu(QStringLiteral("View"), this))->menu();
    Sign1 = View1->addAction(QStringLiteral("Sign"));
    Sign1->setToolTip(QStringLiteral("Play the image or the send list as the board will show it"));

    Export1 = new QMenu(QStringLiteral("Export"), this);
    File1->addMenu(Export1);
    Export_Frame_Leds = Export1->addAction(QStringLiteral("Frame as PNG, LED look..."));
    Export_Frame_Pixels = Export1->addAction(QStringLiteral("Frame as PNG, one pixel per LED..."));
    Export1->addSeparator();
    Export_Gif_Image = Export1->addAction(QStringLiteral("Image as animated GIF..."));
    Export_Gif_List = Export1->addAction(QStringLiteral("Send list as animated GIF..."));
    Export1->addSeparator();
    Export_Sheet_Image = Export1->addAction(QStringLiteral("Proof sheet of the image..."));
    Export_Sheet_List = Export1->addAction(QStringLiteral("Proof sheet of the send list..."));

    Sign_Window = new SignWindow(this);
    Sign_Window->setWindowFlag(Qt::Window);
    Sign_Window->hide();
}

void TForm1::Connect_Sign()
{
    connect(Sign1, &QAction::triggered, this, &TForm1::Sign1Click);
    connect(Sign_Button, &QPushButton::clicked, this, &TForm1::Sign1Click);
    connect(Export_Frame_Leds, &QAction::triggered, this, [this] { Export_Frame(true); });
    connect(Export_Frame_Pixels, &QAction::triggered, this, [this] { Export_Frame(false); });
    connect(Export_Gif_Image, &QAction::triggered, this, [this] { Export_Gif(false); });
    connect(Export_Gif_List, &QAction::triggered, this, [this] { Export_Gif(true); });
    connect(Export_Sheet_Image, &QAction::triggered, this, [this] { Export_Sheet(false); });
    connect(Export_Sheet_List, &QAction::triggered, this, [this] { Export_Sheet(true); });

    // The simulator follows the settings and the file: what is loaded or
    // written is what it plays.
    auto board = [this] { Sign_Window->setBoardSize(settings().boardWidth(), settings().boardHeight()); };
    connect(App_Settings, &vexel::AppSettings::boardWidthChanged, this, board);
    connect(App_Settings, &vexel::AppSettings::boardHeightChanged, this, board);
    connect(App_Settings, &vexel::AppSettings::simulatorStepChanged, Sign_Window, &SignWindow::setStepTime);
    connect(Sign_Window, &SignWindow::stepTimeChanged, this, [this](int ms) {
        settings().setSimulatorStep(ms);
        Form2->Save_Settings();
    });
    connect(&document(), &vexel::ImageDocument::written, this, [this] { Sign_Follow(true, true); });
}

void TForm1::Sign_Follow(bool image, bool sendList)
{
    // A hidden window is brought up to date when it is shown.
    if (!Sign_Window->isVisible())
        return;
    if (image)
        Sign_Window->setCurrentImage(document().record(), document().fileName());
    if (sendList)
        Sign_Window->setSendList(Send_List_Paths());
}

QStringList TForm1::Send_List_Paths() const
{
    QStringList paths;
    for (const QString& name : Send_List())
        paths << document().folder() + name;
    return paths;
}

void TForm1::Sign1Click()
{
    Sign_Window->setBoardSize(settings().boardWidth(), settings().boardHeight());
    Sign_Window->setStepTime(settings().simulatorStep());
    Sign_Window->setCurrentImage(document().record(), document().fileName());
    Sign_Window->setSendList(Send_List_Paths());
    Sign_Window->show();
    Sign_Window->raise();
    Sign_Window->activateWindow();
}

namespace {

QString baseName(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.isEmpty() ? QStringLiteral("sign") : base;
}

} // namespace

vexel::Expected<std::unique_ptr<vexel::Timeline>> TForm1::Sign_Timeline(bool sendList, QStringList* titles)
{
    auto timeline = std::make_unique<vexel::Timeline>(settings().boardWidth(), settings().boardHeight(),
                                                      settings().simulatorStep());
    if (!sendList) {
        const vexel::Status added = timeline->addImage(document().record());
        if (!added)
            return added;
        if (titles)
            *titles << document().fileName();
        return timeline;
    }
    const QStringList names = Send_List();
    if (names.isEmpty())
        return vexel::Status::failure("The send list is empty.");
    for (const QString& name : names) {
        const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::load(document().folder() + name);
        if (!record)
            return record.status();
        const vexel::Status added = timeline->addImage(*record);
        if (!added)
            return added;
        if (titles)
            *titles << name;
    }
    return timeline;
}

QString TForm1::Ask_Export_Path(const QString& proposed, const QString& filter, const QString& extension)
{
    FileRequest request;
    request.directory = document().folder();
    request.proposedName = proposed;
    request.filter = filter;
    request.defaultExtension = extension;
    return prompter().saveFile(request);
}

void TForm1::Show_Export(const vexel::Status& done, const QString& path)
{
    if (vexel::Export::cancelled(done))
        StatusBar2->showMessage(QStringLiteral("Export stopped"));
    else if (!done)
        Show_Error(QString::fromStdString(done.error()));
    else
        StatusBar2->showMessage(QStringLiteral("Exported %1").arg(path));
}

void TForm1::Export_Frame(bool ledLook)
{
    const QString path =
        Ask_Export_Path(baseName(document().fileName()) + QStringLiteral("-frame%1.png").arg(document().currentFrame()),
                        QStringLiteral("PNG picture|*.png"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    vexel::Expected<std::unique_ptr<vexel::Timeline>> timeline = Sign_Timeline(false, nullptr);
    if (!timeline) {
        Show_Error(QString::fromStdString(timeline.error()));
        return;
    }
    vexel::SignStyle style;
    style.look = ledLook ? vexel::SignStyle::Look::Leds : vexel::SignStyle::Look::Pixels;
    Show_Export(vexel::Export::framePng((*timeline)->frameAlone(document().currentFrame()), style, path), path);
}

void TForm1::Export_Gif(bool sendList)
{
    const QString path = Ask_Export_Path(sendList ? QStringLiteral("send-list.gif")
                                                  : baseName(document().fileName()) + QStringLiteral(".gif"),
                                         QStringLiteral("Animated GIF|*.gif"), QStringLiteral("gif"));
    if (path.isEmpty())
        return;
    vexel::Expected<std::unique_ptr<vexel::Timeline>> timeline = Sign_Timeline(sendList, nullptr);
    if (!timeline) {
        Show_Error(QString::fromStdString(timeline.error()));
        return;
    }
    // A long export shows its progress and can be stopped with Stop.
    Export_Stopped = false;
    Button14->setEnabled(true);
    Export1->setEnabled(false);
    ProgressBar1->show();
    const vexel::Status done =
        vexel::Export::gif(**timeline, vexel::SignStyle(), path, [this](int finished, int total) {
            ProgressBar1->setRange(0, total);
            ProgressBar1->setValue(finished);
            QCoreApplication::processEvents();
            return !Export_Stopped;
        });
    Button14->setEnabled(false);
    Export1->setEnabled(true);
    ProgressBar1->hide();
    Show_Export(done, path);
}

void TForm1::Export_Sheet(bool sendList)
{
    const QString path = Ask_Export_Path(sendList ? QStringLiteral("send-list-proof.png")
                                                  : baseName(document().fileName()) + QStringLiteral("-proof.png"),
                                         QStringLiteral("PNG picture|*.png"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    QStringList titles;
    vexel::Expected<std::unique_ptr<vexel::Timeline>> timeline = Sign_Timeline(sendList, &titles);
    if (!timeline) {
        Show_Error(QString::fromStdString(timeline.error()));
        return;
    }
    const QString heading = sendList ? QStringLiteral("Send list") : document().fileName();
    Show_Export(vexel::Export::proofSheet(**timeline, sendList ? titles : QStringList(), heading, path), path);
}
