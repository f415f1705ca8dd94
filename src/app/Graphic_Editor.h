#pragma once

#include "app/ImageView.h"
#include "app/Prompter.h"
#include "document/FrameHeader.h"
#include "document/ImageRecord.h"
#include "document/PixelArray.h"
#include "editor/BoardGeometry.h"
#include "editor/LedGrid.h"
#include "editor/Surface.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QStatusBar;
class QTimer;
class QToolButton;
class RecordView;
class TForm2;
class TForm3;
class TForm4;
class Playback;
class SerialLink;

// Where the editor lives: the folder of the executable (settings file,
// default data folder) and the prompt interface for every box and dialog.
struct EditorContext {
    QString exeFolder;           // ends with a separator; empty: the executable's folder
    Prompter* prompter = nullptr; // null: real message boxes and dialogs
};

// The main editor window. Owns all editor state; its handlers read their
// controls, call the model and repaint. The handlers are split over files
// by concern (Graphic_Editor_Board.cpp, _Files, _Mouse, _Frames, _Preview,
// _Transfer, _Shell).
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(EditorContext context = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    static const QString Title_Text; // "Vexel Image v1.0      "

    // ---- board model and LED grid (Graphic_Editor_Board.cpp)
    void Update_Array();
    void Rebuild_Array(); // Update_Array's work, also while the preview runs
    void Fill_Canvas();
    void Store_Frame();
    void Load_Frame();
    void Refresh_Grid();      // performs the Settings dialog's grid-colour handler
    void Draw_Grid_Lines();   // the drawing part of Refresh_Grid, without the save
    void Draw_Led(int left, int top, int right, int bottom);
    void Selection_Border();
    void Frame_Border();
    void Place_Cursor(int column, int row); // draws the old cursor LED back first
    void SpinEdit1Change();                 // zoom change and layout
    void Timer2Timer();                     // cursor blink
    vexel::GridStyle Grid_Style() const;

    // ---- image files (Graphic_Editor_Files.cpp)
    void New1Click();
    void Load1Click();
    bool Load_File(); // false when the file was refused; nothing changed then
    // Points the document at folder + name, shows `frame` of it, and puts the
    // old folder, name and frame back when the file is refused.
    bool Open_Image(const QString& folder, const QString& name, int frame);
    void Save1Click();
    void SaveAs1Click();
    // The save prompt. False when the user chose to save and the save failed:
    // the command that asked must stop, or the edits would be lost.
    bool Ask_To_Save();
    bool Write_Image_File(); // writes the record to data folder + name; false on failure (message shown)
    void Set_Title();
    QString Image_Path() const { return Data_Folder + Image_File_Name; }

    // ---- mouse editing and clipboard (Graphic_Editor_Mouse.cpp)
    void Image1MouseDown(const MouseInput& input);
    void Image1MouseMove(const MouseInput& input);
    void Image1MouseUp(const MouseInput& input);
    void Paint_Point(const MouseInput& input);
    void Copy1Click();
    void Paste1Click();
    void Image3DblClick();
    void Button1Click(); // Clear
    void Button2Click(); // Fill
    void SpeedButton1Click(); // Save
    void SpeedButton2Click(); // Load

    // ---- frame list and properties (Graphic_Editor_Frames.cpp)
    void Refresh_Frames_List();
    void ListBox3Click();
    void Button8Click(); // remove frame
    void Button9Click(); // add frame from the selection
    void TntComboBox1Change();
    void TntComboBox2Change();
    void SpinEdit2KeyUp();

    // ---- preview (Graphic_Editor_Preview.cpp)
    void Button7Click(); // Run / Stop
    void Timer3Timer();
    bool Preview_Running() const; // the Run button reads "Stop"

    // ---- send list and transfer (Graphic_Editor_Transfer.cpp)
    void List_Files();
    void Files_Counting();
    void Button3Click();  // >>
    void Button6Click();  // <<
    void Button4Click();  // Up
    void Button5Click();  // Down
    void ListBox1Click();
    void ListBox2Click();
    void Button10Click(); // Send
    void Button12Click(); // Rd
    void Button11Click(); // Test window
    void Button14Click(); // Stop

    // ---- shell (Graphic_Editor_Shell.cpp)
    void Timer1Timer(); // start-up work
    void Hide_Controls();
    void Show_Controls();
    void Settings1Click();
    void About1Click();
    void N1Click(); // Help

    // ---- state (one instance each, for the whole run)
    // Board and colours; the Settings dialog's handlers keep these.
    int Board_Width = 96;
    int Board_Height = 24;
    int Cell_Size = 10;
    int Grid_Inset = 0;
    vexel::Color Led_Color = 0x0000FF;
    vexel::Color Back_Color = 0x000000;
    vexel::Color Grid_Color = 0x808080;
    int Flash_Delay = 500;
    int Reply_Timeout = 1000;

    // Current frame.
    vexel::PixelArray Pixel_Array;
    vexel::ImageRecord Image_Record;
    vexel::FrameRect Frame_Rect{0, 0, 96, 24};
    int Frame_Count = 0;
    int Current_Frame = 0;
    int Row_Line_Pos = 0;
    int Entry_Effect = 0;
    int Exit_Effect = 0;
    int Frame_Duration = 500;

    // Document.
    QString Data_Folder; // ends with a separator
    QString Image_File_Name;
    int Untitled_Number = 1;
    bool Image_Modified = false;

    // Selection, cursor, clipboard.
    vexel::LedRect Selection_Rect;
    bool Selection_Shown = false;
    vexel::LedRect Fill_Rect; // start in x0/y0, end in x1/y1 (inclusive after normalising)
    QPoint Cursor_Pos{0, 0};
    vexel::Color Cursor_Color = 0;
    bool Blink_Phase = false;
    bool Clipboard_Filled = false;
    vexel::Color Last_Drawing_Color = 0x0000FF; // chosen by the last Alt press

    // Shell.
    bool Startup_Done = false;
    bool Settings_Loading = false;
    QString Exe_Folder;

    // Surfaces and their controls.
    vexel::Surface Image1_Surface{2000, 1000};
    vexel::Surface Image2_Surface{2002, 1000};
    vexel::Surface Image3_Surface{2202, 1000};
    vexel::LedGrid Led_Grid;

    // ---- controls
    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Load1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Settings1 = nullptr;
    QAction* About1 = nullptr;
    QAction* N1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;

    QToolButton* SpeedButton2 = nullptr; // Load
    QToolButton* SpeedButton1 = nullptr; // Save
    QSpinBox* SpinEdit1 = nullptr;       // zoom
    QPushButton* Button2 = nullptr;      // Fill
    QPushButton* Button1 = nullptr;      // Clear

    QScrollArea* Board_Area = nullptr; // scrolls the pictures and the work panel
    QWidget* Canvas = nullptr;         // holds the regions at their laid-out places
    QFrame* Panel2 = nullptr;
    ImageView* Image2 = nullptr;
    QFrame* Panel5 = nullptr;
    ImageView* Image3 = nullptr;
    ImageView* Image1 = nullptr;

    QFrame* Panel3 = nullptr; // work panel
    QFrame* Panel4 = nullptr; // frames panel
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QPushButton* Button9 = nullptr; // add frame "<<"
    QPushButton* Button8 = nullptr; // remove frame ">>"
    QSpinBox* SpinEdit2 = nullptr;  // frame duration
    QComboBox* TntComboBox1 = nullptr;
    QComboBox* TntComboBox2 = nullptr;
    QPushButton* Button7 = nullptr; // Run
    RecordView* Memo1 = nullptr;
    QListWidget* ListBox1 = nullptr; // file list
    QFrame* Panel1 = nullptr;        // send panel
    QPushButton* Button3 = nullptr;
    QPushButton* Button6 = nullptr;
    QListWidget* ListBox2 = nullptr; // send list
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button14 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button11 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar2 = nullptr;

    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;

    // Serial link and preview player.
    SerialLink* Serial_Link = nullptr;
    Playback* Preview = nullptr;

    // The other windows, created with the main window.
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;

    Prompter& prompter() { return *prompter_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_Controls();
    void Connect_Board();
    void Connect_Files();
    void Connect_Mouse();
    void Connect_Frames();
    void Connect_Preview();
    void Connect_Transfer();
    void Connect_Shell();
    bool FormClose(); // false keeps the window open
    void Show_Error(const std::string& message);

    EditorContext context_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
};
