#include "app/Graphic_Editor.h"

#include "app/JournalWindow.h"
#include "session/EditorSession.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

void TForm1::Connect_Journal()
{
    Journal1 = View1->addAction(QStringLiteral("Journal..."));
    Journal1->setObjectName(QStringLiteral("Journal1"));
    Journal1->setToolTip(QStringLiteral("Every send and read, and what each bus carries"));
    connect(Journal1, &QAction::triggered, this, &TForm1::Journal1Click);
}

void TForm1::Journal1Click()
{
    if (!Journal_Window) {
        Journal_Window = new JournalWindow([this] { return Session_->journal(); }, this);
        Journal_Window->setObjectName(QStringLiteral("Journal_Window"));
        // What the operator asks about first: the bus typed for sending.
        Journal_Window->Edit_Bus->setText(App_Settings->busNumber());
    }
    Journal_Window->show();
    Journal_Window->raise();
    Journal_Window->activateWindow();
}
