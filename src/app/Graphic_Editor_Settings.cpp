#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/SerialLink.h"

#include <QFrame>
#include <QListWidget>
#include <QStatusBar>

// What each setting changes in the window, the board and the serial link.
// While the settings file is read they only take the values in; the
// start-up work puts them into effect afterwards in its own order.
void TForm1::Connect_Settings()
{
    using vexel::AppSettings;
    connect(App_Settings, &AppSettings::boardWidthChanged, this, &TForm1::Board_Size_Changed);
    connect(App_Settings, &AppSettings::boardHeightChanged, this, &TForm1::Board_Size_Changed);
    connect(App_Settings, &AppSettings::backColorChanged, this, &TForm1::Back_Color_Changed);
    connect(App_Settings, &AppSettings::ledColorChanged, this, &TForm1::Led_Color_Changed);
    connect(App_Settings, &AppSettings::gridColorChanged, this, &TForm1::Refresh_Grid);
    connect(App_Settings, &AppSettings::drawGridChanged, this, &TForm1::Draw_Grid_Changed);
    connect(App_Settings, &AppSettings::roundedLedsChanged, this, &TForm1::Rounded_Leds_Changed);
    connect(Session_, &vexel::EditorSession::portReopened, this, &TForm1::Port_Changed);
}

void TForm1::Board_Size_Changed()
{
    if (settings().loading())
        return;
    SpinEdit1Change();
    if (Startup_Done())
        Store_Frame();
}

// The layer has kept the colour in the settings file by now.
void TForm1::Back_Color_Changed()
{
    QPalette palette = Panel2->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(vexel::toQRgb(settings().backColor())));
    Panel2->setPalette(palette);
    if (Startup_Done())
        canvas().repaintBoard();
}

void TForm1::Led_Color_Changed()
{
    if (Startup_Done())
        canvas().repaintBoard();
}

void TForm1::Draw_Grid_Changed()
{
    if (settings().loading())
        return;
    canvas().repaintBoard();
    settings().setGridColor(settings().gridColor());
}

void TForm1::Rounded_Leds_Changed()
{
    if (!settings().loading())
        canvas().repaintBoard();
}

void TForm1::Port_Changed(const QString& why)
{
    // Why it failed, and what to do about it, goes to the status bar and
    // to the port box's tooltip.
    if (!why.isEmpty())
        StatusBar2->showMessage(why);
    else if (!App_Settings->portMessage().isEmpty() && StatusBar2->currentMessage() == App_Settings->portMessage())
        StatusBar2->clearMessage();
}
