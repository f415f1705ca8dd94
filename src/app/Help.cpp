#include "app/Help.h"

TForm4::TForm4(QWidget* owner) : QWidget(owner, Qt::Window) { setWindowTitle(QStringLiteral("Help")); }
