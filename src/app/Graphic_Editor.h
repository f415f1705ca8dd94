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
class FileCommands;
class SignCommands;
class TextCommands;
class ImportCommands;
class BusCommands;
class DestinationsCommands;
class EditCommands;
class QLineEdit;
class TForm2;
class TForm3;
class TForm4;
class GuideKeys;
class Playback;
class SerialLink;

namespace vexel {
class EditorSession;
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
// own their controls and handlers, and the command classes that own the
// file commands and the other windows (FileCommands, SignCommands,
// TextCommands, ImportCommands, BusCommands, DestinationsCommands), and
// wires what one part's work means for the rest of the window. Its own
// handlers are split over files by concern (Graphic_Editor_Files.cpp,
// _Drop, _Transfer, _Shell, _Edit).
class TForm1 : public QMainWindow, public PanelHost {
    Q_OBJECT
public:
    explicit TForm1(EditorContext context = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    static const QString Title_Text; // "Vexel Image v1.0      "

    vexel::EditorSession& session() { return *Session_; }


    // ---- the title, and the file commands' part that panels ask for (Graphic_Editor_Files.cpp)
    void SaveAs1Click() override;
    bool Ask_To_Save() override;
    bool Preview_Running() const override;
    void Set_Title();
    void Mark_Title(bool modified); // "*" after the name while the image is unsaved

    // ---- the tool row's file buttons (Graphic_Editor_Shell.cpp)
    void SpeedButton1Click(); // Save
    void SpeedButton2Click(); // Load

    // ---- drag and drop (Graphic_Editor_Drop.cpp)
    // A file dropped at `at` (window coordinates): an image file opens, a
    // picture dropped on the LED grid is imported.
    void Drop_File(const QString& path, QPoint at);

    // ---- shell (Graphic_Editor_Shell.cpp)
    void Timer1Timer(); // start-up work
    void Hide_Controls() override;
    void Show_Controls() override;
    void Settings1Click();
    void About1Click();
    void N1Click(); // Help
    void User_Guide1Click(); // Help > User Guide
    void Quit1Click(); // through the same close path as the close box
    bool Startup_Done() const;

    // The executable's folder, set by the start-up work; ends with a separator.
    QString Exe_Folder;

    // ---- the tool row's and the exports' controls

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
    void resizeEvent(QResizeEvent* event) override;

private:
    // Controls and parts reached by object name or type from outside.
    SerialLink* Serial_Link = nullptr;
    // The file commands and the other windows' commands.
    FileCommands* Files = nullptr;
    SignCommands* Signs = nullptr;
    TextCommands* Texts = nullptr;
    ImportCommands* Imports = nullptr;
    BusCommands* Buses = nullptr;
    DestinationsCommands* Destinations = nullptr;
    EditCommands* Edits = nullptr; // Undo, Redo and the tools
    // ---- controls: tests and assistive tools find them by object name
    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Settings1 = nullptr;
    QAction* About1 = nullptr;
    QAction* N1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* User_Guide1 = nullptr;
    GuideKeys* Guide_Keys = nullptr; // F1 in the other windows
    QAction* Quit1 = nullptr;
    QAction* Run_Key = nullptr;  // F5: Run / Stop
    QAction* Zoom_In = nullptr;  // Ctrl+Plus
    QAction* Zoom_Out = nullptr; // Ctrl+Minus

    QToolButton* SpeedButton2 = nullptr; // Load
    QToolButton* SpeedButton1 = nullptr; // Save
    QToolBar* Tool_Row = nullptr; // files, zoom, Fill and Clear
    QToolBar* Draw_Row = nullptr; // Undo, Redo and the drawing tools

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
    void Fit_Tool_Rows();
    void Create_Work_Panel();
    void Create_Status_Bar();
    void Name_Controls();
    void Create_Commands(); // the file commands and the other windows' commands, in menu order
    void Connect_Commands(); // what their work means for the window and the panels
    void Connect_Transfer();
    void Connect_Shell();
    void Connect_Shortcuts();
    void Connect_Panels(); // what one panel's work means for the others and the window
    bool FormClose(); // false keeps the window open
    void Show_Error(const QString& message);
    void Lock_For_Job(bool locked);
    void Save_Settings(); // the settings file now; a failure is shown

    void Port_Changed(const QString& why);

    EditorContext context_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
};

// The shell's wiring of the file commands to the frames panel
// (Graphic_Editor_Files.cpp); a test of the two without a window wires them
// the same way.
void Connect_Files_To_Frames(FileCommands& files, FramesPanel& frames);
