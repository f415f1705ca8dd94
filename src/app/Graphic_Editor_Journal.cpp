#include "app/Graphic_Editor.h"

#include "app/JournalWindow.h"
#include "session/EditorSession.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

void TForm1::Create_Journal_Controls()
{
    Journal1 = View1->addAction(QStringLiteral("Journal..."));
    Journal1->setObjectName(QStringLiteral("Journal1"));
    Journal1->setToolTip(QStringLiteral("Every send and read, and what each bus carries"));

    // Below the send panel's counts: the bus the next send goes to.
    auto* bus = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Bus:"), Panel1);
    Edit_Bus = new QLineEdit(Panel1);
    Edit_Bus->setObjectName(QStringLiteral("Edit_Bus"));
    Edit_Bus->setAccessibleName(QStringLiteral("Bus number"));
    Edit_Bus->setToolTip(QStringLiteral("The bus the files are sent to, for the journal (optional)"));
    Edit_Bus->setMaxLength(vexel::AppSettings::MaxBusNumberLength);
    label->setBuddy(Edit_Bus);
    bus->addWidget(label);
    bus->addWidget(Edit_Bus, 1);
    if (auto* grid = qobject_cast<QGridLayout*>(Panel1->layout()))
        grid->addLayout(bus, grid->rowCount(), 0, 1, grid->columnCount());
}

void TForm1::Connect_Journal()
{
    connect(Journal1, &QAction::triggered, this, &TForm1::Journal1Click);
    connect(Edit_Bus, &QLineEdit::textEdited, App_Settings, &vexel::AppSettings::setBusNumber);
    connect(Edit_Bus, &QLineEdit::editingFinished, this, &TForm1::Save_Settings);
    connect(App_Settings, &vexel::AppSettings::busNumberChanged, this, [this](const QString& bus) {
        // Spaces being typed at the end stay until the typing is done.
        if (Edit_Bus->text().trimmed() != bus)
            Edit_Bus->setText(bus);
    });
    // A send is recorded under the bus it started with.
    connect(Session_, &vexel::EditorSession::jobLocked, Edit_Bus, &QWidget::setDisabled);
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
