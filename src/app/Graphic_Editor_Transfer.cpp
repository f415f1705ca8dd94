#include "app/Graphic_Editor.h"

void TForm1::Connect_Transfer() {}
void TForm1::List_Files() {}
void TForm1::Files_Counting() {}
void TForm1::Button3Click() {}
void TForm1::Button6Click() {}
void TForm1::Button4Click() {}
void TForm1::Button5Click() {}
void TForm1::ListBox1Click() {}
void TForm1::ListBox2Click() {}
void TForm1::Button10Click() {}
void TForm1::Button12Click() {}
void TForm1::Button11Click() {}
void TForm1::Button14Click() {}
