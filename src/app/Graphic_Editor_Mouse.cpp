#include "app/Graphic_Editor.h"

void TForm1::Connect_Mouse() {}
void TForm1::Image1MouseDown(const MouseInput&) {}
void TForm1::Image1MouseMove(const MouseInput&) {}
void TForm1::Image1MouseUp(const MouseInput&) {}
void TForm1::Paint_Point(const MouseInput&) {}
void TForm1::Copy1Click() {}
void TForm1::Paste1Click() {}
void TForm1::Image3DblClick() {}
void TForm1::Button1Click() {}
void TForm1::Button2Click() {}
void TForm1::SpeedButton1Click() {}
void TForm1::SpeedButton2Click() {}
