#include "app/Graphic_Editor.h"

void TForm1::Connect_Files() {}
void TForm1::New1Click() {}
void TForm1::Load1Click() {}
bool TForm1::Load_File() { return false; }
void TForm1::Save1Click() {}
void TForm1::SaveAs1Click() {}
bool TForm1::Ask_To_Save() { return false; }
bool TForm1::Write_Image_File() { return false; }
void TForm1::Set_Title() {}
