#include "app/Graphic_Editor.h"

void TForm1::Connect_Board() {}
void TForm1::Update_Array() {}
void TForm1::Fill_Canvas() {}
void TForm1::Store_Frame() {}
void TForm1::Load_Frame() {}
void TForm1::Refresh_Grid() {}
void TForm1::Draw_Grid_Lines() {}
void TForm1::Draw_Led(int, int, int, int) {}
void TForm1::Selection_Border() {}
void TForm1::Frame_Border() {}
void TForm1::Place_Cursor(int, int) {}
void TForm1::SpinEdit1Change() {}
void TForm1::Timer2Timer() {}
vexel::GridStyle TForm1::Grid_Style() const { return {}; }
