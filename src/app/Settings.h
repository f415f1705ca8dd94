#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class TForm1;

// The Settings dialog. Its controls are the working copy of the settings;
// its change handlers copy them into the main window's variables.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(TForm1* main);

    // The settings file: read once at start-up, written in full.
    void Load_Settings();
    bool Save_Settings(); // false when the file could not be written (message shown)

    bool Draw_Grid() const;
    bool Rounded_Leds() const;
    bool Frame_Bounds() const;

    // Handlers, run on user changes and performed by the main window.
    void SpinEdit2Change(); // board width
    void SpinEdit3Change(); // board height
    void SpinEdit4Change(); // time-out
    void SpinEdit1Change(); // flash delay
    void ColorBox1Change(); // background
    void ColorBox2Change(); // LED colour
    void ColorBox3Change(); // grid colour
    void CheckBox1Click();  // draw grid
    void CheckBox2Click();  // rounded leds
    void ComboBox1Change(); // port
    void ComboBox2Change(); // baud rate
    void Button1Click();    // Close

    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QSpinBox* SpinEdit4 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QComboBox* ColorBox1 = nullptr;
    QComboBox* ColorBox2 = nullptr;
    QComboBox* ColorBox3 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QPushButton* Button1 = nullptr;

private:
    TForm1* main_;
};
