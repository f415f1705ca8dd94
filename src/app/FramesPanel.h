#pragma once

#include <QObject>

class PanelHost;
class Playback;
class QBoxLayout;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;
class QWidget;

namespace vexel {
class EditorSession;
}

// The frames panel: the image's name, the Frames list, adding a frame from
// the selection and removing one, the frame's duration and effects, Run
// with the preview it plays, and the Sign window's button.
class FramesPanel : public QObject {
    Q_OBJECT
public:
    FramesPanel(vexel::EditorSession& session, PanelHost& host, QWidget* parent, QBoxLayout* row);

    void Refresh_Frames_List();
    void Show_Frame_Panel(); // the panel's controls from the current frame
    void ListBox3Click();
    void Button8Click(); // remove frame
    void Button9Click(); // add frame from the selection
    void TntComboBox1Change();
    void TntComboBox2Change();
    void SpinEdit2KeyUp();
    void Button7Click(); // Run / Stop
    void Timer3Timer();

    bool Preview_Running() const;
    void Pause_Preview();
    // F5: Run or Stop, when the button offers it.
    void Run_Key();
    // Run is offered for two frames or more, and always while playing.
    void Offer_Run();
    void Set_Run_Enabled(bool enabled);
    void Set_Add_Enabled(bool enabled);
    bool Add_Enabled() const;
    // While a chosen file opens: no frame is added and the preview pauses;
    // adding is given back as it was when the file is refused.
    void Hold_While_Opening();
    void Release_After_Refusal();
    void Set_Locked(bool locked);
    void Show_File_Name(const QString& name);

signals:
    void frameAdded();   // the image was written with a new frame, or tried to
    void frameRemoved(); // the image lost the chosen frame
    void runningChanged(bool running);
    void signClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_List(QWidget* parent);
    void Create_Properties();
    QWidget* Lay_Out_Properties();
    void Lay_Out();
    void Connect_Controls();
    void Connect_Session();
    void Start_Preview();
    void Stop_Preview();

    vexel::EditorSession& session_;
    PanelHost& host_;
    Playback* Preview = nullptr;
    bool Add_Before_Opening = false;

    QFrame* Panel4 = nullptr;
    QLabel* Label3 = nullptr; // the image's file name
    QLabel* Label2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QPushButton* Button9 = nullptr; // add frame "<<"
    QPushButton* Button8 = nullptr; // remove frame ">>"
    QSpinBox* SpinEdit2 = nullptr;  // frame duration
    QComboBox* TntComboBox1 = nullptr;
    QComboBox* TntComboBox2 = nullptr;
    QPushButton* Button7 = nullptr; // Run
    QPushButton* Sign_Button = nullptr;
};
