#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "editor/BoardEditor.h"
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
    connect(App_Settings, &AppSettings::portChanged, this, &TForm1::Port_Changed);
    connect(App_Settings, &AppSettings::timeOutChanged, this, [this] { Form2->Save_Settings(); });
    connect(App_Settings, &AppSettings::flashDelayChanged, this, [this] { Form2->Save_Settings(); });
    Settings_Store->setSession([this] { return Session(); },
                               [this](const vexel::SessionState& s) { Restore_Session(s); });
}

vexel::SessionState TForm1::Session() const
{
    vexel::SessionState s;
    s.left = x();
    s.top = y();
    s.width = width();
    s.height = height();
    s.dataFolder = Editor->document().folder();
    s.dataFileName = Editor->document().fileName();
    s.sendList = Send_List();
    return s;
}

void TForm1::Restore_Session(const vexel::SessionState& s)
{
    move(s.left, s.top);
    resize(s.width, s.height);
    ListBox2->clear();
    ListBox2->addItems(s.sendList);
    document().setFolder(s.dataFolder);
    document().setFileName(s.dataFileName);
}

void TForm1::Board_Size_Changed()
{
    // A smaller board cuts the frame window to it.
    document().setBoardWidth(settings().boardWidth());
    document().setBoardHeight(settings().boardHeight());
    if (settings().loading())
        return;
    SpinEdit1Change();
    if (Startup_Done())
        Store_Frame();
}

void TForm1::Back_Color_Changed()
{
    QPalette palette = Panel2->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(vexel::toQRgb(settings().backColor())));
    Panel2->setPalette(palette);
    if (!Form2->Save_Settings())
        return;
    if (Startup_Done())
        Fill_Canvas();
}

void TForm1::Led_Color_Changed()
{
    if (!Form2->Save_Settings())
        return;
    if (Startup_Done())
        Fill_Canvas();
}

void TForm1::Draw_Grid_Changed()
{
    if (settings().loading())
        return;
    Fill_Canvas();
    settings().setGridColor(settings().gridColor());
}

void TForm1::Rounded_Leds_Changed()
{
    if (!settings().loading())
        Fill_Canvas();
}

void TForm1::Port_Changed()
{
    if (settings().loading())
        return;
    const bool opened = Serial_Link->reopen(settings().comPort(), settings().baudRate());
    // Why it failed, and what to do about it, goes to the status bar and
    // to the port box's tooltip.
    const QString why = opened ? QString() : Serial_Link->openError();
    if (!why.isEmpty())
        StatusBar2->showMessage(why);
    else if (!App_Settings->portMessage().isEmpty() && StatusBar2->currentMessage() == App_Settings->portMessage())
        StatusBar2->clearMessage();
    settings().setPortState(!opened, why);
}
