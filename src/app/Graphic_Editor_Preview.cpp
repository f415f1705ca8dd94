#include "app/Graphic_Editor.h"

#include <QPushButton>

void TForm1::Connect_Preview() {}
void TForm1::Button7Click() {}
void TForm1::Timer3Timer() {}
bool TForm1::Preview_Running() const { return Button7->text() != QStringLiteral("Run"); }
