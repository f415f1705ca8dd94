#pragma once

// The main window's controls, found by their object names as a user's
// assistive tool or a test finds them; a control that is missing fails
// the test that asked for it.
#include "app/ImageView.h"
#include "app/Help.h"
#include "app/RecordView.h"
#include "app/Settings.h"
#include "app/Test_Window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QObject>
#include <QFrame>
#include <QProgressBar>
#include <QScrollArea>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace testing_support {

template <class T>
T* controlNamed(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

struct MainControls {
    explicit MainControls(const QObject& w)
#define VEXEL_FIND(type, name) name(controlNamed<type>(w, #name))
        : VEXEL_FIND(QAction, New1), VEXEL_FIND(QAction, Save1), VEXEL_FIND(QAction, SaveAs1),
          VEXEL_FIND(QAction, Load1), VEXEL_FIND(QAction, Settings1), VEXEL_FIND(QAction, About1),
          VEXEL_FIND(QAction, N1), VEXEL_FIND(QAction, Import1), VEXEL_FIND(QMenu, PopupMenu1),
          VEXEL_FIND(QToolButton, SpeedButton1), VEXEL_FIND(QToolButton, SpeedButton2),
          VEXEL_FIND(QSpinBox, SpinEdit1), VEXEL_FIND(QPushButton, Button1), VEXEL_FIND(QPushButton, Button2),
          VEXEL_FIND(ImageView, Image1), VEXEL_FIND(ImageView, Image3), VEXEL_FIND(QLabel, Label3),
          VEXEL_FIND(QListWidget, ListBox3), VEXEL_FIND(QPushButton, Button9), VEXEL_FIND(QPushButton, Button8),
          VEXEL_FIND(QSpinBox, SpinEdit2), VEXEL_FIND(QComboBox, TntComboBox1),
          VEXEL_FIND(QComboBox, TntComboBox2), VEXEL_FIND(QPushButton, Button7), VEXEL_FIND(RecordView, Memo1),
          VEXEL_FIND(QListWidget, ListBox1), VEXEL_FIND(QListWidget, ListBox2), VEXEL_FIND(QPushButton, Button3),
          VEXEL_FIND(QPushButton, Button6), VEXEL_FIND(QPushButton, Button4), VEXEL_FIND(QPushButton, Button5),
          VEXEL_FIND(QPushButton, Button14), VEXEL_FIND(QPushButton, Button12), VEXEL_FIND(QPushButton, Button10),
          VEXEL_FIND(QCheckBox, CheckBox1), VEXEL_FIND(QLabel, Label4), VEXEL_FIND(QLabel, Label5),
          VEXEL_FIND(QProgressBar, ProgressBar1), VEXEL_FIND(QStatusBar, StatusBar2), VEXEL_FIND(QTimer, Timer1),
          VEXEL_FIND(QTimer, Timer2), VEXEL_FIND(QTimer, Timer3), VEXEL_FIND(QAction, Undo1),
          VEXEL_FIND(QAction, Redo1), VEXEL_FIND(QAction, Copy1), VEXEL_FIND(QAction, Paste1),
          VEXEL_FIND(QAction, Copy2), VEXEL_FIND(QAction, Quit1), VEXEL_FIND(TForm2, Form2),
          VEXEL_FIND(TForm3, Form3), VEXEL_FIND(TForm4, Form4), VEXEL_FIND(QMenu, File1), VEXEL_FIND(QMenu, Edit1),
          VEXEL_FIND(QAction, Run_Key), VEXEL_FIND(QAction, Zoom_In), VEXEL_FIND(QAction, Zoom_Out),
          VEXEL_FIND(QAction, Paste2), VEXEL_FIND(QScrollArea, Board_Area), VEXEL_FIND(QWidget, Canvas),
          VEXEL_FIND(QFrame, Panel1), VEXEL_FIND(QFrame, Panel2), VEXEL_FIND(QFrame, Panel3),
          VEXEL_FIND(QFrame, Panel4), VEXEL_FIND(QFrame, Panel5), VEXEL_FIND(ImageView, Image2),
          VEXEL_FIND(QLabel, Label2), VEXEL_FIND(QPushButton, Button11)
#undef VEXEL_FIND
    {
    }

    QAction *New1, *Save1, *SaveAs1, *Load1, *Settings1, *About1, *N1, *Import1;
    QMenu* PopupMenu1;
    QToolButton *SpeedButton1, *SpeedButton2;
    QSpinBox* SpinEdit1;
    QPushButton *Button1, *Button2;
    ImageView *Image1, *Image3;
    QLabel* Label3;
    QListWidget* ListBox3;
    QPushButton *Button9, *Button8;
    QSpinBox* SpinEdit2;
    QComboBox *TntComboBox1, *TntComboBox2;
    QPushButton* Button7;
    RecordView* Memo1;
    QListWidget *ListBox1, *ListBox2;
    QPushButton *Button3, *Button6, *Button4, *Button5, *Button14, *Button12, *Button10;
    QCheckBox* CheckBox1;
    QLabel *Label4, *Label5;
    QProgressBar* ProgressBar1;
    QStatusBar* StatusBar2;
    QTimer *Timer1, *Timer2, *Timer3;
    QAction *Undo1, *Redo1, *Copy1, *Paste1, *Copy2, *Quit1;
    TForm2* Form2; // Settings
    TForm3* Form3; // Test window
    TForm4* Form4; // Help
    QMenu *File1, *Edit1;
    QAction *Run_Key, *Zoom_In, *Zoom_Out, *Paste2;
    QScrollArea* Board_Area;
    QWidget* Canvas;
    QFrame *Panel1, *Panel2, *Panel3, *Panel4, *Panel5;
    ImageView* Image2;
    QLabel* Label2;
    QPushButton* Button11;
};

} // namespace testing_support
