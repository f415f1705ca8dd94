#pragma once

#include "app/ImageView.h"
#include "app/PanelHost.h"
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
class BoardPanel;
class RecordView;
class FramesPanel;
class SendPanel;
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
// on its signals; every question goes through the prompter. It hosts the
// board panel, the frames panel, the record view and the send panel, which
// own their controls and handlers, and wires what one panel's work means
// for the rest of the window. Its own handlers are split over files by
// concern (Graphic_Editor_Files.cpp, _Transfer, _Shell, _Edit).
class TForm1 : public QMainWindow, public PanelHost {
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
    void SaveAs1Click() override;
    // The save prompt. False when the user chose to save and the save failed:
    // the command that asked must stop, or the edits would be lost.
    bool Ask_To_Save() override;
    void Set_Title();
    void Mark_Title(bool modified); // "*" after the name while the image is unsaved
    QString Image_Path() const;

    // ---- the tool row's file buttons (Graphic_Editor_Shell.cpp)
    void SpeedButton1Click(); // Save
    void SpeedButton2Click(); // Load

    // ---- undo, redo and the tools (Graphic_Editor_Edit.cpp)
    void Undo1Click();
    void Redo1Click();
    void Select_Tool(vexel::Tool tool);
    void Update_Undo_Actions();

    // ---- picture import and the check before Send (Graphic_Editor_Depot.cpp)
    void Import1Click();
    void Import_Picture(const QString& path);
    void Import_Targets();
    // A file dropped at `at` (window coordinates): an image file opens, a
    // picture dropped on the LED grid is imported.
    void Drop_File(const QString& path, QPoint at);
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
    void Hide_Controls() override;
    void Show_Controls() override;
    void Settings1Click();
    void About1Click();
    void N1Click(); // Help
    void Quit1Click(); // through the same close path as the close box
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
    TForm4* Form4 = nullptr;

    Prompter& prompter() override { return *prompter_; }

protected:
    void closeEvent(QCloseEvent* event) override;
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
    SerialLink* Serial_Link = nullptr;
    SignWindow* Sign_Window = nullptr;
    TextPanel* Text_Panel = nullptr; // made when the Text tool is first used
    ImportPanel* Import_Panel = nullptr; // made at the first import
    QAction* Journal1 = nullptr;          // View > Journal...
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

    QToolButton* SpeedButton2 = nullptr; // Load
    QToolButton* SpeedButton1 = nullptr; // Save

    BoardPanel* Board_Panel = nullptr;
    ImageView* Image1 = nullptr; // the board panel's grid, for the Text and Import ghosts
    QFrame* Panel3 = nullptr; // work panel
    FramesPanel* Frames_Panel = nullptr;
    RecordView* Memo1 = nullptr;
    SendPanel* Send_Panel = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar2 = nullptr;

    QTimer* Timer1 = nullptr;


    void Create_Controls();
    void Create_Menus();
    void Create_Tool_Row();
    void Create_Work_Panel();
    void Create_Status_Bar();
    void Name_Controls();
    void Create_Edit_Controls(QToolBar* tools);
    void Create_Sign_Controls();
    void Connect_Journal();
    void Connect_Fleet();
    void Connect_Sign();
    void Connect_Text();
    void Connect_Depot();
    void Connect_Destinations();
    QString Ask_Export_Path(const QString& proposed, const QString& filter, const QString& extension);
    void Show_Export(const vexel::Status& done, const QString& path);
    void Connect_Files();
    void Connect_Edit();
    void Connect_Transfer();
    void Connect_Shell();
    void Connect_Shortcuts();
    void Connect_Panels(); // what one panel's work means for the others and the window
    bool FormClose(); // false keeps the window open
    void Show_Error(const QString& message);
    void Lock_For_Job(bool locked);
    void Save_Settings(); // the settings file now; a failure is shown

    void Port_Changed(const QString& why);

    bool Export_Stopped = false;
    QString Ghost_Missing; // the characters the ghost's font lacks

    EditorContext context_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
};
