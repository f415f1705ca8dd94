#include "app/Graphic_Editor.h"

void TForm1::Connect_Frames() {}
void TForm1::Refresh_Frames_List() {}
void TForm1::ListBox3Click() {}
void TForm1::Button8Click() {}
void TForm1::Button9Click() {}
void TForm1::TntComboBox1Change() {}
void TForm1::TntComboBox2Change() {}
void TForm1::SpinEdit2KeyUp() {}
