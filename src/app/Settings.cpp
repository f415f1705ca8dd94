#include "app/Settings.h"

#include "app/Graphic_Editor.h"

TForm2::TForm2(TForm1* main) : QDialog(main), main_(main) { setWindowTitle(QStringLiteral("Settings")); }
