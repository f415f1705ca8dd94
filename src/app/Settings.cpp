#include "app/Settings.h"

#include "app/Graphic_Editor.h"

TForm2::TForm2(TForm1* main) : QDialog(main), main_(main) { setWindowTitle(QStringLiteral("Settings")); }

void TForm2::Load_Settings() {}
bool TForm2::Save_Settings() { return true; }
bool TForm2::Draw_Grid() const { return false; }
bool TForm2::Rounded_Leds() const { return true; }
bool TForm2::Frame_Bounds() const { return false; }
void TForm2::SpinEdit2Change() {}
void TForm2::SpinEdit3Change() {}
void TForm2::SpinEdit4Change() {}
void TForm2::SpinEdit1Change() {}
void TForm2::ColorBox1Change() {}
void TForm2::ColorBox2Change() {}
void TForm2::ColorBox3Change() {}
void TForm2::CheckBox1Click() {}
void TForm2::CheckBox2Click() {}
void TForm2::ComboBox1Change() {}
void TForm2::ComboBox2Change() {}
void TForm2::Button1Click() {}
