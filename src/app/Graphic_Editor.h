#pragma once

#include "app/ImageView.h"
#include "app/Prompter.h"
#include "depot/Preflight.h"
#include "editor/BoardEditor.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QKeyEvent;
class QToolBar;
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
class SignWindow;
class TextPanel;
class ImportPanel;
class JournalWindow;
class FleetWindow;
class QLineEdit;
class DestinationsWindow;
class TForm2;
class TForm3;
class TForm4;
class Playback;
class SerialLink;

namespace vexel {
class ExportFormat;
class EditorSession;
struct FleetBusState;
class SendJob;
class SignTimeline;
class Timeline;
} // namespace vexel

// Where the editor lives: the folder of the executable (settings file,
// default data folder) and the prompt interface for every box and dialog.
struct EditorContext {
    QString exeFolder;           // ends with a separator; empty: the executable's folder
    Prompter* prompter = nullptr; // null: real message boxes and dialogs
};

// The main editor window. Its handlers read their controls, call the
// application layer below (the session: settings, the editor with its
// document, canvas and history, the send list and the send job) and repaint
// on its signals; every question goes through the prompter. They are split
// over files by concern (Graphic_Editor_Board.cpp, _Files, _Mouse, _Frames,
// _Preview, _Transfer, _Shell, _Edit).
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(EditorContext context = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    static const QString Title_Text; // "Vexel Image v1.0      "

    vexel::EditorSession& session() { return *Session_; }
    const vexel::EditorSession& session() const { return *Session_; }

    vexel::BoardEditor& editor() { return *Editor; }
    const vexel::BoardEditor& editor() const { return *Editor; }
    vexel::ImageDocument& document() { return Editor->document(); }
    const vexel::ImageDocument& document() const { return Editor->document(); }
    vexel::BoardCanvas& canvas() { return Editor->canvas(); }
    const vexel::BoardCanvas& canvas() const { return Editor->canvas(); }
    vexel::AppSettings& settings() { return *App_Settings; }
    const vexel::AppSettings& settings() const { return *App_Settings; }
    vexel::SettingsStore& settingsStore() { return *Settings_Store; }

    // ---- board model and LED grid (Graphic_Editor_Board.cpp)
    void Update_Array();
    void Fill_Canvas();
    void Store_Frame();
    void Load_Frame();
    void Refresh_Grid(); // performs the Settings dialog's grid-colour handler
    void SpinEdit1Change(); // zoom change and layout
    void Fit_Work_Panel();  // the work panel down to the status bar
    void Timer2Timer();     // cursor blink

    // ---- image files (Graphic_Editor_Files.cpp)
    void New1Click();
    void Load1Click();
    bool Load_File(); // false when the file was refused; nothing changed then
    void Open_Chosen(const QString& path); // what Load does once a file is chosen
    void Show_Loaded(); // the title and Run after an image was loaded
    // Points the document at folder + name, shows `frame` of it, and puts the
    // old folder, name and frame back when the file is refused.
    bool Open_Image(const QString& folder, const QString& name, int frame);
    void Save1Click();
    void SaveAs1Click();
    // The save prompt. False when the user chose to save and the save failed:
    // the command that asked must stop, or the edits would be lost.
    bool Ask_To_Save();
    void Set_Title();
    void Mark_Title(bool modified); // "*" after the name while the image is unsaved
    QString Image_Path() const;

    // ---- mouse editing and clipboard (Graphic_Editor_Mouse.cpp)
    void Image1MouseDown(const MouseInput& input);
    void Image1MouseMove(const MouseInput& input);
    void Image1MouseUp(const MouseInput& input);
    void Copy1Click();
    void Paste1Click();
    void Image3DblClick();
    void Button1Click(); // Clear
    void Button2Click(); // Fill
    void SpeedButton1Click(); // Save
    void SpeedButton2Click(); // Load

    // ---- undo, redo and the tools (Graphic_Editor_Edit.cpp)
    void Undo1Click();
    void Redo1Click();
    void Select_Tool(vexel::Tool tool);
    void Update_Undo_Actions();

    // ---- frame list and properties (Graphic_Editor_Frames.cpp)
    void Refresh_Frames_List();
    void Show_Frame_Panel(); // the panel's controls from the current frame
    void ListBox3Click();
    void Button8Click(); // remove frame
    void Button9Click(); // add frame from the selection
    void TntComboBox1Change();
    void TntComboBox2Change();
    void SpinEdit2KeyUp();

    // ---- preview (Graphic_Editor_Preview.cpp)
    void Button7Click(); // Run / Stop
    void Timer3Timer();
    bool Preview_Running() const;

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
    QStringList Send_List() const;

    // ---- picture import and the check before Send (Graphic_Editor_Depot.cpp)
    void Import1Click();
    void Import_Picture(const QString& path);
    void Import_Targets();
    // A file dropped at `at` (window coordinates): an image file opens, a
    // picture dropped on the LED grid is imported.
    void Drop_File(const QString& path, QPoint at);
    // The send list's findings, and whether to send: true with none, else
    // the operator's answer.
    bool Preflight_Allows();
    void Stamp_Send_List(const QStringList& names);
    // File > Import routes from GTFS…: the import window, for a set chosen there.
    void ImportGtfs1Click();

    // ---- destination sets (Graphic_Editor_Destinations.cpp)
    void Destinations1Click();
    // Edit by hand: the image file opens here, as Load opens a chosen file.
    void Open_Override(const QString& path);
    // The files become the send list and are sent through the check before Send.
    void Send_Files(const QStringList& paths);

    // ---- the Text tool (Graphic_Editor_Text.cpp)
    void Text1Click();
    void Text_Targets(); // the frame window and the selection, while the panel is open
    // The selection as a target for the Text and Import panels, if one is shown.
    std::optional<vexel::FrameRect> Selection_Target() const;

    // ---- the sign simulator and the exports (Graphic_Editor_Sign.cpp)
    void Sign1Click();
    void Export_Frame(bool ledLook);
    void Export_Gif(bool sendList);
    void Export_Sheet(bool sendList);
    // Every File > Export entry: one format of the list, for the image or the send list.
    void Export_As(const vexel::ExportFormat& format, bool sendList);
    QStringList Send_List_Paths() const;
    // The Sign window takes the image as loaded or written, and the send list.
    void Sign_Follow(bool image, bool sendList);

    // ---- the send journal (Graphic_Editor_Journal.cpp)
    void Journal1Click();

    // ---- the fleet (Graphic_Editor_Fleet.cpp)
    void Fleet1Click();
    // "Send to this bus": the bus's codes on the send list, then as Send.
    void Fleet_Send(const vexel::FleetBusState& state, const QString& sign);

    // ---- shell (Graphic_Editor_Shell.cpp)
    void Timer1Timer(); // start-up work
    void Hide_Controls();
    void Show_Controls();
    void Settings1Click();
    void About1Click();
    void N1Click(); // Help
    void Quit1Click(); // through the same close path as the close box
    void Zoom_By(int steps);
    bool Startup_Done() const;

    // The executable's folder, set by the start-up work; ends with a separator.
    QString Exe_Folder;

    // ---- the tool row's and the exports' controls
    QAction* Tool_Action(vexel::Tool tool) const;

    // The layer below the window, and its parts.
    vexel::EditorSession* Session_ = nullptr;
    vexel::AppSettings* App_Settings = nullptr;
    vexel::SettingsStore* Settings_Store = nullptr;
    vexel::BoardEditor* Editor = nullptr;
    vexel::SendJob* Send_Job = nullptr;

    // The other windows, created with the main window.
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;

    Prompter& prompter() { return *prompter_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Controls and parts reached by object name or type from outside.
    QActionGroup* Tool_Actions = nullptr;
    QAction* Text1 = nullptr;
    QMenu* View1 = nullptr;
    QAction* Sign1 = nullptr;
    QMenu* Export1 = nullptr;
    QAction* Export_Frame_Leds = nullptr;
    QAction* Export_Frame_Pixels = nullptr;
    QAction* Export_Gif_Image = nullptr;
    QAction* Export_Gif_List = nullptr;
    QAction* Export_Sheet_Image = nullptr;
    QAction* Export_Sheet_List = nullptr;
    QToolButton* UndoButton = nullptr;
    QToolButton* RedoButton = nullptr;
    QPushButton* Sign_Button = nullptr; // beside Run: the Sign window
    SerialLink* Serial_Link = nullptr;
    Playback* Preview = nullptr;
    SignWindow* Sign_Window = nullptr;
    TextPanel* Text_Panel = nullptr; // made when the Text tool is first used
    ImportPanel* Import_Panel = nullptr; // made at the first import
    QAction* Journal1 = nullptr;          // View > Journal...
    QLineEdit* Edit_Bus = nullptr;        // the send panel's bus number
    JournalWindow* Journal_Window = nullptr; // made when first shown
    QAction* Fleet1 = nullptr;               // View > Fleet...
    FleetWindow* Fleet_Window = nullptr;     // made when first shown
    QAction* Destinations1 = nullptr;
    QToolButton* Destinations_Button = nullptr; // at the menu bar's right end
    DestinationsWindow* Destinations_Window = nullptr; // made when first opened
    // ---- controls: tests and assistive tools find them by object name
    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Load1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* ImportGtfs1 = nullptr;
    QAction* Settings1 = nullptr;
    QAction* About1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Quit1 = nullptr;
    QAction* Run_Key = nullptr;  // F5: Run / Stop
    QAction* Zoom_In = nullptr;  // Ctrl+Plus
    QAction* Zoom_Out = nullptr; // Ctrl+Minus
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
    QTimer* Timer3 = nullptr; // the preview's, owned by Preview


    void Create_Controls();
    void Name_Controls();
    QList<QWidget*> Lock_List() const; // the controls playback and the transfers lock
    void Open_From_List(QListWidget* clicked, QListWidget* other);
    void Create_Edit_Controls(QToolBar* tools);
    void Create_Sign_Controls();
    void Create_Journal_Controls();
    void Connect_Journal();
    void Connect_Fleet();
    void Connect_Sign();
    void Connect_Text();
    void Connect_Depot();
    void Connect_Destinations();
    QString Ask_Export_Path(const QString& proposed, const QString& filter, const QString& extension);
    void Show_Export(const vexel::Status& done, const QString& path);
    void Connect_Board();
    void Connect_Settings();
    void Connect_Files();
    void Connect_Mouse();
    void Connect_Edit();
    void Connect_Frames();
    void Connect_Preview();
    void Connect_Transfer();
    void Connect_Shell();
    void Connect_Shortcuts();
    bool FormClose(); // false keeps the window open
    void Show_Error(const QString& message);
    bool Grid_Key(QKeyEvent* event); // arrows and Space on the LED grid
    void Show_Send_Lists(); // the two lists, their buttons and counts from the layer
    void Lock_For_Job(bool locked);
    void Save_Settings(); // the settings file now; a failure is shown

    // What the settings change in the window and the board.
    void Board_Size_Changed();
    void Back_Color_Changed();
    void Led_Color_Changed();
    void Draw_Grid_Changed();
    void Rounded_Leds_Changed();
    void Port_Changed(const QString& why);

    bool Export_Stopped = false;
    QString Ghost_Missing; // the characters the ghost's font lacks

    EditorContext context_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
};
