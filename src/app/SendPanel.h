#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class PanelHost;
class QBoxLayout;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class TForm3;

namespace vexel {
class EditorSession;
}

// The send panel: the file list, the send list with its buttons and
// counts, Send, Rd, Stop, the Test window's button and the bus number. Its
// controls go into the row it is given; the Test window is made beside it.
class SendPanel : public QObject {
    Q_OBJECT
public:
    SendPanel(vexel::EditorSession& session, PanelHost& host, QWidget* parent, QBoxLayout* row);

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

    // What a running job or the preview locks.
    void Set_Locked(bool locked);
    void Set_Stop_Enabled(bool enabled);
    // The job's figure: the whole message, header included.
    void Show_Data_Length(int bytes);
    TForm3* Test_Window() const { return Form3; }

signals:
    // The lists show the session's lists anew.
    void listsShown();
    // A file clicked in one of the lists was opened (or refused).
    void listedOpened();
    // Stop was clicked: besides the exchange it ends an export.
    void stopClicked();

private:
    void Create_Lists(QWidget* parent, QBoxLayout* row);
    void Create_Buttons();
    void Create_Counts();
    void Create_Bus();
    void Lay_Out();
    void Connect_Controls();
    void Connect_Session();
    void Show_Send_Lists();
    bool Preflight_Allows();
    void Open_From_List(QListWidget* clicked, QListWidget* other);
    // The counting's figure: the files with their two-byte counts.
    void Show_Counted_Length(int bytes);

    vexel::EditorSession& session_;
    PanelHost& host_;

    QListWidget* ListBox1 = nullptr; // file list
    QFrame* Panel1 = nullptr;
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
    // Under Label5: what its figure counts, and the data block's length,
    // the figure the journal, release.txt and the board show.
    QLabel* Label_Lengths = nullptr;
    QLineEdit* Edit_Bus = nullptr;
    TForm3* Form3 = nullptr;
};
