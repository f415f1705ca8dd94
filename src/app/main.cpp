#include "app/Graphic_Editor.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vexel Image"));
    TForm1 form1;
    form1.show();
    return app.exec();
}
