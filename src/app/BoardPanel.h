#pragma once

#include "app/ImageView.h"

#include <QObject>

class PanelHost;
class QAction;
class QFrame;
class QKeyEvent;
class QMenu;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class QToolBar;
class QWidget;

namespace vexel {
class EditorSession;
}

// The board: the LED grid with its context menu and cursor blink, the
// board's picture and the clipboard's, and on the tool row the zoom, Fill
// and Clear. Its scroll area lays them out at the zoom, with the window's
// work panel under the grid.
class BoardPanel : public QObject {
    Q_OBJECT
public:
    // Puts the zoom, Fill and Clear on `tools`; the board itself follows
    // in Create_Board, so the controls keep the window's tab order.
    BoardPanel(vexel::EditorSession& session, PanelHost& host, QWidget* window, QToolBar* tools);

    // The scroll area holding the pictures and the grid, for the window's centre.
    QScrollArea* Create_Board();
    // Where the work panel is made; it sits under the grid and reaches down
    // to the window's bottom.
    QWidget* Work_Parent() const;
    void Place_Work_Panel(QFrame* panel);
    // Wires the controls, the settings and the editor; starts the blink.
    void Connect();

    // The grid, for the ghosts of the panels that letter or import into it.
    ImageView* Grid() const { return Image1; }

    void Image1MouseDown(const MouseInput& input);
    void Image1MouseMove(const MouseInput& input);
    void Image1MouseUp(const MouseInput& input);
    void Copy1Click();
    void Paste1Click();
    void Image3DblClick();
    void Button1Click(); // Clear
    void Button2Click(); // Fill
    void SpinEdit1Change(); // zoom change and layout
    void Timer2Timer();     // cursor blink
    void Zoom_By(int steps);
    void Fit_Work_Panel();
    void Refresh_Grid();
    void Update_Array();
    void Fill_Canvas();
    void Store_Frame();
    void Load_Frame();
    // Clear and Fill, while playback or a job holds the board.
    void Set_Locked(bool locked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create_Pictures();
    void Connect_Controls();
    void Connect_Settings();
    void Lay_Out();
    bool Grid_Key(QKeyEvent* event);
    bool Save_Settings(); // false when the file could not be written (shown)

    void Board_Size_Changed();
    void Back_Color_Changed();
    void Led_Color_Changed();
    void Draw_Grid_Changed();
    void Rounded_Leds_Changed();

    vexel::EditorSession& session_;
    PanelHost& host_;
    QWidget* window_;

    QSpinBox* SpinEdit1 = nullptr; // zoom
    QPushButton* Button2 = nullptr; // Fill
    QPushButton* Button1 = nullptr; // Clear
    QMenu* PopupMenu1 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;
    QTimer* Timer2 = nullptr;

    QScrollArea* Board_Area = nullptr; // scrolls the pictures and the work panel
    QWidget* Canvas = nullptr;         // holds the regions at their laid-out places
    QFrame* Panel2 = nullptr;
    ImageView* Image2 = nullptr;
    QFrame* Panel5 = nullptr;
    ImageView* Image3 = nullptr;
    ImageView* Image1 = nullptr;
    QFrame* Panel3 = nullptr; // the window's work panel
};
