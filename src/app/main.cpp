#include "app/Graphic_Editor.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // A name only: a display name would be appended to the window title.
    QApplication::setApplicationName(QStringLiteral("Vexel Image"));
    // The main window makes the Settings, Test and Help windows in turn.
    TForm1 form1;
    form1.show();
    return app.exec();
}
