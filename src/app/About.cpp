#include "app/About.h"

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) { setWindowTitle(QStringLiteral("About")); }
