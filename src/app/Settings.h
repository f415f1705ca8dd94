#pragma once

#include "transfer/PortList.h"

#include <QDialog>
#include <QString>

class ColorBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class Prompter;

namespace vexel {
class AppSettings;
class SettingsStore;
} // namespace vexel

// The Settings dialog. Its controls are bound to the settings object: a
// handler puts its control's value into it, and the controls follow every
// change made elsewhere (the settings file, the start-up work).
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(vexel::AppSettings& settings, vexel::SettingsStore& store, Prompter& prompter, QWidget* parent = nullptr);

    // The settings file: read once at start-up, written in full.
    void Load_Settings();
    bool Save_Settings(); // false when the file could not be written (message shown)
    QString Settings_Path() const; // where "Lumaro.ini" is read and written

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

    void CheckBox3Click();  // frame bounds
    void Edit_JournalExit(); // the journal's file or server
    void Edit_StationExit(); // this PC's name in the journal
    void ComboBox_LanguageChange(); // the interface's language, at the next start

    // The port box shows red while the last open failed.
    bool Port_Box_Red() const { return portRed_; }

    QComboBox* ComboBox1 = nullptr; // port
    QComboBox* ComboBox2 = nullptr; // baud rate
    QSpinBox* SpinEdit4 = nullptr;  // time-out
    QSpinBox* SpinEdit1 = nullptr;  // flash delay
    ColorBox* ColorBox1 = nullptr;  // background
    ColorBox* ColorBox2 = nullptr;  // LED colour
    ColorBox* ColorBox3 = nullptr;  // grid colour
    QSpinBox* SpinEdit2 = nullptr;  // board width
    QSpinBox* SpinEdit3 = nullptr;  // board height
    QCheckBox* CheckBox1 = nullptr; // Draw Grid
    QCheckBox* CheckBox2 = nullptr; // Rounded leds
    QCheckBox* CheckBox3 = nullptr; // Frame bounds
    QPushButton* Button1 = nullptr; // Close
    QLabel* Label1 = nullptr;       // Port
    QLabel* Label2 = nullptr;       // Baud rate
    QLabel* Label3 = nullptr;       // Timeout Msec
    QLabel* Label4 = nullptr;       // Flash delay
    QLabel* Label5 = nullptr;       // ForeGround Color
    QLabel* Label6 = nullptr;       // BackGround Color
    QLabel* Label7 = nullptr;       // Grid Color
    QLabel* Label8 = nullptr;       // X
    QLineEdit* Edit_Journal = nullptr; // [Journal] Server: a file or a server address, never a password
    QLineEdit* Edit_Station = nullptr; // [Station] Name; empty for the host name
    QLabel* Label9 = nullptr;          // Journal
    QLabel* Label10 = nullptr;         // Station
    QComboBox* ComboBox_Language = nullptr; // [Interface] Language: System, English, Georgian
    QLabel* Label_Language = nullptr;       // Language
    QLabel* Label_Language_Note = nullptr;  // when a change applies

private:
    void Create_Controls();
    QWidget* buildPortPanel();
    QWidget* buildColourPanel();
    QWidget* buildBoardPanel();
    QWidget* buildJournalPanel();
    QLayout* buildLanguageRow();
    void fitBoxes();
    void Connect_Controls();
    void Follow_Settings();
    // The board's size is the sign's while an image made for it is open.
    void Follow_Sign_Board();
    void Set_Port_Box_Red(bool red, const QString& why);

    vexel::AppSettings& settings_;
    vexel::SettingsStore& store_;
    Prompter& prompter_;
    vexel::PortList ports_; // as the system reported them when the dialog was made
    bool portRed_ = false;
};
