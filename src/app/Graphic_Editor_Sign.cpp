#include "app/Graphic_Editor.h"

#include "app/FramesPanel.h"
#include "app/SendPanel.h"
#include "app/Settings.h"
#include "document/ImageFile.h"
#include "preview/Export.h"
#include "preview/ExportFormat.h"
#include "preview/SignTimeline.h"
#include "session/EditorSession.h"
#include "widgets/SignWindow.h"

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

    // The entries come from the list of export formats; the named actions
    // are the ones the window has always had.
    Export1 = new QMenu(QStringLiteral("Export"), this);
    File1->addMenu(Export1);
    int group = -1;
    for (const vexel::ExportFormat* format : vexel::ExportFormat::all()) {
        if (group >= 0 && format->menuGroup() != group)
            Export1->addSeparator();
        group = format->menuGroup();
        for (const vexel::ExportFormat::MenuEntry& entry : format->menuEntries()) {
            QAction* action = Export1->addAction(entry.caption);
            const bool sendList = entry.scope == vexel::ExportFormat::Scope::SendList;
            connect(action, &QAction::triggered, this, [this, format, sendList] { Export_As(*format, sendList); });
            QAction** named = nullptr;
            if (format->name() == QLatin1String("png"))
                named = &Export_Frame_Leds;
            else if (format->name() == QLatin1String("pixel-png"))
                named = &Export_Frame_Pixels;
            else if (format->name() == QLatin1String("gif"))
                named = sendList ? &Export_Gif_List : &Export_Gif_Image;
            else if (format->name() == QLatin1String("sheet"))
                named = sendList ? &Export_Sheet_List : &Export_Sheet_Image;
            if (named)
                *named = action;
        }
    }

    Sign_Window = new SignWindow(this);
    Sign_Window->setWindowFlag(Qt::Window);
    Sign_Window->hide();
}

void TForm1::Connect_Sign()
{
    connect(Sign1, &QAction::triggered, this, &TForm1::Sign1Click);
    connect(Frames_Panel, &FramesPanel::signClicked, this, &TForm1::Sign1Click);

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

    // The LED colour: chosen in the window, kept in the settings file.
    auto colours = [this] {
        const std::uint32_t c = settings().ledColor(); // 0x00BBGGRR
        Sign_Window->setEditorLitColour(qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        Sign_Window->setEditorColour(settings().simulatorColour() == vexel::AppSettings::SimulatorColour::EditorLit);
    };
    connect(App_Settings, &vexel::AppSettings::ledColorChanged, this, colours);
    connect(App_Settings, &vexel::AppSettings::simulatorColourChanged, this, colours);
    connect(Sign_Window, &SignWindow::editorColourChosen, this, [this](bool editor) {
        settings().setSimulatorColour(editor ? vexel::AppSettings::SimulatorColour::EditorLit
                                             : vexel::AppSettings::SimulatorColour::Amber);
        Form2->Save_Settings();
    });
    colours();
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

QStringList TForm1::Send_List_Paths() const { return Session_->sendListPaths(); }

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
        Show_Error(done.error());
    else
        StatusBar2->showMessage(QStringLiteral("Exported %1").arg(path));
}

void TForm1::Export_As(const vexel::ExportFormat& format, bool sendList)
{
    using Scope = vexel::ExportFormat::Scope;
    const Scope scope = sendList ? Scope::SendList : Scope::Image;
    const QString path =
        Ask_Export_Path(format.proposedName(baseName(document().fileName()), scope, document().currentFrame()),
                        format.filter(), format.extension());
    if (path.isEmpty())
        return;
    // A long export shows its progress and can be stopped with Stop.
    auto progress = [this](int finished, int total) {
        ProgressBar1->setRange(0, total);
        ProgressBar1->setValue(finished);
        QCoreApplication::processEvents();
        return !Export_Stopped;
    };
    auto running = [this](bool on) {
        Export_Stopped = false;
        Send_Panel->Set_Stop_Enabled(on);
        Export1->setEnabled(!on);
        ProgressBar1->setVisible(on);
    };
    Show_Export(Session_->exportAs(format, sendList, path, progress, running), path);
}
