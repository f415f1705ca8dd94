#include "app/Test_Window.h"

TForm3::TForm3(QWidget* owner) : QWidget(owner, Qt::Window) { setWindowTitle(QStringLiteral("Test")); }
