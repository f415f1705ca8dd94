#include "app/Graphic_Editor.h"
#include "app/InterfaceTranslation.h"
#include "app/SignalCloser.h"
#include "settings/SettingsStore.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // A name only: a display name would be appended to the window title.
    QApplication::setApplicationName(QStringLiteral("Vexel Image"));
    // Together these name the user's settings folder when the executable's
    // folder is not writable (~/.config/vexelimage/Vexel Image).
    QApplication::setOrganizationName(QStringLiteral("vexelimage"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vexelimage.VexelImage"));
    // The windows take their texts as they are made.
    const vexel::InterfaceTranslation translation(
        vexel::SettingsStore::interfaceLanguageOf(QCoreApplication::applicationDirPath() + QLatin1Char('/')));
    // The main window makes the Settings, Test and Help windows in turn.
    TForm1 form1;
    const SignalCloser closer(&form1);
    form1.show();
    return app.exec();
}
