#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/SerialLink.h"

#include <QFrame>
#include <QListWidget>
#include <QStatusBar>

void TForm1::Port_Changed(const QString& why)
{
    // Why it failed, and what to do about it, goes to the status bar and
    // to the port box's tooltip.
    if (!why.isEmpty())
        StatusBar2->showMessage(why);
    else if (!App_Settings->portMessage().isEmpty() && StatusBar2->currentMessage() == App_Settings->portMessage())
        StatusBar2->clearMessage();
}
