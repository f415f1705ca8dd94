#include "app/Graphic_Editor.h"

void TForm1::Connect_Shell() {}
void TForm1::Timer1Timer() {}
void TForm1::Hide_Controls() {}
void TForm1::Show_Controls() {}
void TForm1::Settings1Click() {}
void TForm1::About1Click() {}
void TForm1::N1Click() {}
void TForm1::FormClose() {}
