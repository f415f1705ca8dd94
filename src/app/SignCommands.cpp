#include "app/SignCommands.h"

#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "document/ImageDocument.h"
#include "preview/Export.h"
#include "preview/ExportFormat.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "widgets/SignWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace {

// The export formats' menu captions and file types, as the preview layer
// gives them in English; marked here so that they are collected for the
// translation.
constexpr const char* ExportTexts[] = {
    QT_TRANSLATE_NOOP("SignCommands", "Frame as PNG, LED look..."),
    QT_TRANSLATE_NOOP("SignCommands", "Frame as PNG, one pixel per LED..."),
    QT_TRANSLATE_NOOP("SignCommands", "Image as animated GIF..."),
    QT_TRANSLATE_NOOP("SignCommands", "Send list as animated GIF..."),
    QT_TRANSLATE_NOOP("SignCommands", "Proof sheet of the image..."),
    QT_TRANSLATE_NOOP("SignCommands", "Proof sheet of the send list..."),
    QT_TRANSLATE_NOOP("SignCommands", "PNG picture|*.png"),
    QT_TRANSLATE_NOOP("SignCommands", "Animated GIF|*.gif"),
    QT_TRANSLATE_NOOP("SignCommands", "Proof sheet of the image as PDF..."),
    QT_TRANSLATE_NOOP("SignCommands", "Proof sheet of the send list as PDF..."),
    QT_TRANSLATE_NOOP("SignCommands", "PDF document|*.pdf"),
};

QString baseName(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.isEmpty() ? QStringLiteral("sign") : base;
}

} // namespace

QString SignCommands::Shown(const QString& text)
{
    return QCoreApplication::translate("SignCommands", text.toUtf8().constData());
}

bool SignCommands::Knows(const QString& text)
{
    for (const char* known : ExportTexts)
        if (text == QLatin1String(known))
            return true;
    return false;
}

SignCommands::SignCommands(vexel::EditorSession& session, PanelHost& host, QMenuBar* bar, QAction* before,
                           QMenu* file, QWidget* window)
    : QObject(window), session_(session), host_(host)
{
    View1 = bar->insertMenu(before, new QMenu(tr("View"), window))->menu();
    View1->setObjectName(QStringLiteral("View1"));
    Sign1 = View1->addAction(tr("Sign"));
    Sign1->setObjectName(QStringLiteral("Sign1"));
    Sign1->setToolTip(tr("Play the image or the send list as the board will show it"));
    connect(Sign1, &QAction::triggered, this, &SignCommands::Sign1Click);
    Export1 = new QMenu(tr("Export"), window);
    Export1->setObjectName(QStringLiteral("Export1"));
    file->addMenu(Export1);
    Create_Export_Menu();

    Sign_Window = new SignWindow(window);
    Sign_Window->setObjectName(QStringLiteral("Sign_Window"));
    Sign_Window->setWindowFlag(Qt::Window);
    Sign_Window->hide();
    Connect_Settings();
}

void SignCommands::Create_Export_Menu()
{
    // The entries come from the list of export formats; the named actions
    // are the ones the window has always had.
    const std::pair<QAction**, const char*> named[] = {
        {&Export_Frame_Leds, "Export_Frame_Leds"}, {&Export_Frame_Pixels, "Export_Frame_Pixels"},
        {&Export_Gif_Image, "Export_Gif_Image"},   {&Export_Gif_List, "Export_Gif_List"},
        {&Export_Sheet_Image, "Export_Sheet_Image"}, {&Export_Sheet_List, "Export_Sheet_List"}};
    int group = -1;
    for (const vexel::ExportFormat* format : vexel::ExportFormat::all()) {
        if (group >= 0 && format->menuGroup() != group)
            Export1->addSeparator();
        group = format->menuGroup();
        for (const vexel::ExportFormat::MenuEntry& entry : format->menuEntries()) {
            QAction* action = Export1->addAction(Shown(entry.caption));
            const bool sendList = entry.scope == vexel::ExportFormat::Scope::SendList;
            connect(action, &QAction::triggered, this, [this, format, sendList] { Export_As(*format, sendList); });
            int slot = -1;
            if (format->name() == QLatin1String("png"))
                slot = 0;
            else if (format->name() == QLatin1String("pixel-png"))
                slot = 1;
            else if (format->name() == QLatin1String("gif"))
                slot = sendList ? 3 : 2;
            else if (format->name() == QLatin1String("sheet"))
                slot = sendList ? 5 : 4;
            if (slot >= 0) {
                *named[slot].first = action;
                action->setObjectName(QLatin1String(named[slot].second));
            }
        }
    }
}

void SignCommands::Connect_Settings()
{
    vexel::AppSettings& settings = session_.settings();
    // The simulator follows the settings and the file: what is loaded or
    // written is what it plays.
    auto board = [this] {
        Sign_Window->setBoardSize(session_.settings().boardWidth(), session_.settings().boardHeight());
    };
    connect(&settings, &vexel::AppSettings::boardWidthChanged, this, board);
    connect(&settings, &vexel::AppSettings::boardHeightChanged, this, board);
    connect(&settings, &vexel::AppSettings::simulatorStepChanged, Sign_Window, &SignWindow::setStepTime);
    connect(Sign_Window, &SignWindow::stepTimeChanged, this, [this](int ms) {
        session_.settings().setSimulatorStep(ms);
        Save_Settings();
    });
    connect(&session_.document(), &vexel::ImageDocument::written, this, [this] { Sign_Follow(true, true); });

    // The LED colour: chosen in the window, kept in the settings file.
    connect(&settings, &vexel::AppSettings::ledColorChanged, this, &SignCommands::Show_Colours);
    connect(&settings, &vexel::AppSettings::simulatorColourChanged, this, &SignCommands::Show_Colours);
    connect(Sign_Window, &SignWindow::editorColourChosen, this, [this](bool editor) {
        session_.settings().setSimulatorColour(editor ? vexel::AppSettings::SimulatorColour::EditorLit
                                                      : vexel::AppSettings::SimulatorColour::Amber);
        Save_Settings();
    });
    Show_Colours();
}

void SignCommands::Show_Colours()
{
    const vexel::AppSettings& settings = session_.settings();
    const std::uint32_t c = settings.ledColor(); // 0x00BBGGRR
    Sign_Window->setEditorLitColour(qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    Sign_Window->setEditorColour(settings.simulatorColour() == vexel::AppSettings::SimulatorColour::EditorLit);
}

void SignCommands::Save_Settings()
{
    const vexel::Status saved = session_.store().save();
    if (!saved)
        host_.prompter().error(saved.error());
}

void SignCommands::Sign_Follow(bool image, bool sendList)
{
    // A hidden window is brought up to date when it is shown.
    if (!Sign_Window->isVisible())
        return;
    if (image)
        Sign_Window->setCurrentImage(session_.document().record(), session_.document().fileName());
    if (sendList)
        Sign_Window->setSendList(Send_List_Paths());
}

QStringList SignCommands::Send_List_Paths() const { return session_.sendListPaths(); }

void SignCommands::Sign1Click()
{
    const vexel::AppSettings& settings = session_.settings();
    Sign_Window->setBoardSize(settings.boardWidth(), settings.boardHeight());
    Sign_Window->setStepTime(settings.simulatorStep());
    Sign_Window->setCurrentImage(session_.document().record(), session_.document().fileName());
    Sign_Window->setSendList(Send_List_Paths());
    Sign_Window->show();
    Sign_Window->raise();
    Sign_Window->activateWindow();
}

QString SignCommands::Ask_Export_Path(const QString& proposed, const QString& filter, const QString& extension)
{
    FileRequest request;
    request.directory = session_.document().folder();
    request.proposedName = proposed;
    request.filter = filter;
    request.defaultExtension = extension;
    return host_.prompter().saveFile(request);
}

void SignCommands::Show_Export(const vexel::Status& done, const QString& path)
{
    if (vexel::Export::cancelled(done))
        emit statusShown(tr("Export stopped"));
    else if (!done)
        host_.prompter().error(done.error());
    else
        emit statusShown(tr("Exported %1").arg(path));
}

void SignCommands::Export_As(const vexel::ExportFormat& format, bool sendList)
{
    using Scope = vexel::ExportFormat::Scope;
    const Scope scope = sendList ? Scope::SendList : Scope::Image;
    const vexel::ImageDocument& doc = session_.document();
    const QString path = Ask_Export_Path(format.proposedName(baseName(doc.fileName()), scope, doc.currentFrame()),
                                         Shown(format.filter()), format.extension());
    if (path.isEmpty())
        return;
    // A long export shows its progress and can be stopped with Stop.
    auto progress = [this](int finished, int total) {
        emit exportProgress(finished, total);
        QCoreApplication::processEvents();
        return !Export_Stopped;
    };
    auto running = [this](bool on) {
        Export_Stopped = false;
        Export1->setEnabled(!on);
        emit exportRunning(on);
    };
    Show_Export(session_.exportAs(format, sendList, path, progress, running), path);
}
