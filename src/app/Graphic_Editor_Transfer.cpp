#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "app/Test_Window.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/DataMessage.h"
#include "transfer/SendJob.h"
#include "transfer/SendList.h"
#include "transfer/SerialLink.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>

#include <optional>
#include <vector>

namespace {

int lastSelectedRow(const QListWidget* list)
{
    int last = -1;
    for (int r = 0; r < list->count(); ++r) {
        if (list->item(r)->isSelected())
            last = r;
    }
    return last;
}

QStringList entries(const QListWidget* list)
{
    QStringList names;
    for (int r = 0; r < list->count(); ++r)
        names << list->item(r)->text();
    return names;
}

void selectOnly(QListWidget* list, int row)
{
    if (row >= 0)
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int r = 0; r < list->count(); ++r)
        if (list->item(r)->isSelected())
            rows << r;
    return rows;
}

// The list shows `names`; entries that stay keep their selection.
void showNames(QListWidget* list, const QStringList& names)
{
    if (entries(list) == names)
        return;
    QStringList selected;
    for (const QListWidgetItem* item : list->selectedItems())
        selected << item->text();
    const QString current = list->currentItem() ? list->currentItem()->text() : QString();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(names);
    for (int r = 0; r < list->count(); ++r) {
        QListWidgetItem* item = list->item(r);
        if (item->text() == current)
            list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
        item->setSelected(selected.contains(item->text()));
    }
}

} // namespace

void TForm1::Connect_Transfer()
{
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
    connect(Button12, &QPushButton::clicked, this, &TForm1::Button12Click);
    connect(Button11, &QPushButton::clicked, this, &TForm1::Button11Click);
    connect(Button14, &QPushButton::clicked, this, &TForm1::Button14Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &TForm1::ListBox1Click);
    connect(ListBox2, &QListWidget::itemClicked, this, &TForm1::ListBox2Click);
    // Ticking the box shows the figure at once rather than at the next scan.
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::Files_Counting);

    connect(Serial_Link, &SerialLink::statusChanged, this, [this](const QString& text) { StatusBar2->showMessage(text); });
    connect(Serial_Link, &SerialLink::progressAdvanced, this,
            [this](int step) { ProgressBar1->setValue(ProgressBar1->value() + step); });
    connect(Serial_Link, &SerialLink::progressRestarted, this, [this](int maximum) {
        ProgressBar1->setRange(0, maximum);
        ProgressBar1->setValue(0);
    });
    connect(Serial_Link, &SerialLink::progressCompleted, this,
            [this] { ProgressBar1->setValue(ProgressBar1->maximum()); });
    connect(Serial_Link, &SerialLink::replyLogged, this, [this](const QString& line) { Form3->Append_Line(line); });

    using vexel::SendJob;
    connect(Send_Job, &SendJob::statusChanged, this, [this](const QString& text) { StatusBar2->showMessage(text); });
    connect(Send_Job, &SendJob::progressRange, this, [this](int maximum) {
        ProgressBar1->setRange(0, maximum);
        ProgressBar1->setValue(0);
    });
    connect(Send_Job, &SendJob::progressValue, ProgressBar1, &QProgressBar::setValue);
    connect(Send_Job, &SendJob::dataLength, this,
            [this](int bytes) { Label5->setText(QStringLiteral("Data length: %1").arg(bytes)); });
    connect(Send_Job, &SendJob::logCleared, Form3, &TForm3::Clear_Log);
    connect(Send_Job, &SendJob::logLine, Form3, &TForm3::Append_Line);
    connect(Send_Job, &SendJob::stopEnabled, Button14, &QPushButton::setEnabled);
    connect(Send_Job, &SendJob::exchanging, this, [this](bool on) { Image1->setEnabled(!on); });
    connect(Send_Job, &SendJob::inform, this, [this](const QString& text, bool yes) {
        prompter().inform(text, yes ? Prompter::InfoButton::Yes : Prompter::InfoButton::Ok);
    });

    connect(Session_, &vexel::EditorSession::jobLocked, this, &TForm1::Lock_For_Job);
    connect(&Session_->sendList(), &vexel::SendListModel::changed, this, &TForm1::Show_Send_Lists);
}

void TForm1::Lock_For_Job(bool locked)
{
    ProgressBar1->setVisible(locked);
    if (locked) {
        Hide_Controls();
        Button7->setEnabled(false);
    } else {
        Button7->setEnabled(true);
        Show_Controls();
    }
    // The commands that replace the image or touch the port would pull
    // the ground from under a running job; a save or a paste would go into
    // whichever file the job shows in passing.
    for (QAction* command : {New1, Load1, SaveAs1, Settings1, Save1, Paste1, Paste2})
        command->setEnabled(!locked);
    SpeedButton1->setEnabled(!locked);
    SpeedButton2->setEnabled(!locked);
    Update_Undo_Actions();
}

QStringList TForm1::Send_List() const { return Session_->sendList().entries(); }

void TForm1::List_Files() { Session_->listFiles(); }

void TForm1::Show_Send_Lists()
{
    const vexel::SendListModel& lists = Session_->sendList();
    showNames(ListBox1, lists.files());
    showNames(ListBox2, lists.entries());

    Files_Counting();

    Button3->setEnabled(ListBox1->count() > 0);
    const bool anyToSend = ListBox2->count() > 0;
    Button6->setEnabled(anyToSend);
    Button4->setEnabled(anyToSend);
    Button5->setEnabled(anyToSend);
    Button10->setEnabled(anyToSend);
    Sign_Follow(false, true);
}

void TForm1::Files_Counting()
{
    Label4->setText(QStringLiteral("Files: %1").arg(ListBox2->count()));
    if (!CheckBox1->isChecked())
        return;
    // A file that cannot travel is named by the send job.
    if (const std::optional<int> length = Session_->sendList().dataLength())
        Label5->setText(QStringLiteral("Data length: %1").arg(*length));
}

void TForm1::Button3Click()
{
    int reselect = -1;
    Session_->addToSendList(selectedRows(ListBox1), &reselect);
    selectOnly(ListBox1, reselect);
}

void TForm1::Button6Click()
{
    int reselect = -1;
    Session_->removeFromSendList(selectedRows(ListBox2), &reselect);
    selectOnly(ListBox2, reselect);
}

void TForm1::Button4Click()
{
    const int s = lastSelectedRow(ListBox2);
    if (s <= 0)
        return;
    const int focused = ListBox2->currentRow() >= 0 ? ListBox2->currentRow() : s;
    if (focused == 0)
        return;
    Session_->sendList().move(focused, focused - 1);
    ListBox2->item(s - 1)->setSelected(true);
    ListBox2->setCurrentRow(focused - 1, QItemSelectionModel::NoUpdate);
}

void TForm1::Button5Click()
{
    const int s = lastSelectedRow(ListBox2);
    if (s < 0 || s == ListBox2->count() - 1)
        return;
    const int focused = ListBox2->currentRow() >= 0 ? ListBox2->currentRow() : s;
    if (focused == ListBox2->count() - 1)
        return;
    Session_->sendList().move(focused, focused + 1);
    ListBox2->item(s + 1)->setSelected(true);
    ListBox2->setCurrentRow(focused + 1, QItemSelectionModel::NoUpdate);
}

void TForm1::Open_From_List(QListWidget* clicked, QListWidget* other)
{
    if (!Ask_To_Save())
        return;
    const int row = lastSelectedRow(clicked);
    if (row < 0)
        return;
    other->clearSelection();
    const vexel::Status opened = Session_->openListed(clicked->item(row)->text());
    if (!opened)
        Show_Error(QString::fromStdString(opened.error()));
    Button9->setEnabled(false);
}

void TForm1::ListBox1Click() { Open_From_List(ListBox1, ListBox2); }

void TForm1::ListBox2Click() { Open_From_List(ListBox2, ListBox1); }

void TForm1::Button10Click()
{
    // The port's refusal comes first, as it always did; then the report of
    // what the operator may not want the board to show.
    if (!Session_->portFailed() && !Preflight_Allows())
        return;
    Session_->send();
}

void TForm1::Button12Click() { Session_->read(); }

void TForm1::Button11Click()
{
    Form3->show();
    Form3->raise();
}

void TForm1::Button14Click()
{
    // Stop ends whichever long work runs: an exchange or an export.
    Export_Stopped = true;
    Session_->stop();
}
