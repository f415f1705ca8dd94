#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "app/Test_Window.h"
#include "editor/BoardEditor.h"
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
#include <QStatusBar>
#include <QToolButton>

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

void openFromList(TForm1& form, QListWidget* clicked, QListWidget* other)
{
    if (!form.Ask_To_Save())
        return;
    const int row = lastSelectedRow(clicked);
    if (row < 0)
        return;
    other->clearSelection();
    form.document().setFileName(clicked->item(row)->text());
    form.document().setCurrentFrame(0);
    form.Load_File();
    form.editor().clearHistory();
    form.editor().selection().setShown(false);
    form.Button9->setEnabled(false);
    form.Form2->Save_Settings();
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
    connect(Send_Job, &SendJob::failed, this, &TForm1::Show_Error);

    SendJob::Hooks hooks;
    hooks.lock = [this](bool locked) {
        ProgressBar1->setVisible(locked);
        if (locked) {
            Hide_Controls();
            Button7->setEnabled(false);
        } else {
            Button7->setEnabled(true);
            Show_Controls();
        }
        // The commands that replace the image or touch the port would pull
        // the ground from under a running job.
        for (QAction* command : {New1, Load1, SaveAs1, Settings1})
            command->setEnabled(!locked);
        SpeedButton1->setEnabled(!locked);
        SpeedButton2->setEnabled(!locked);
        Update_Undo_Actions();
    };
    hooks.saveCurrent = [this] {
        if (!document().fileName().isEmpty() && !Write_Image_File())
            return false; // its message is shown; the edits stay in the editor
        document().setModified(false);
        return true;
    };
    hooks.show = [this](const QString& name, const vexel::ImageRecord& record) {
        document().setFileName(name);
        document().setCurrentFrame(0);
        Editor->adoptFile(record, /*inPassing=*/true);
        Show_Loaded();
        Button7->setEnabled(false);
    };
    hooks.restore = [this](const QString& name) {
        document().setFileName(name);
        document().setCurrentFrame(0);
        Load_File();
    };
    Send_Job->setHooks(std::move(hooks));
}

QStringList TForm1::Send_List() const { return entries(ListBox2); }

void TForm1::List_Files()
{
    const QString folder = document().folder();
    for (int r = 0; r < ListBox2->count();) {
        if (vexel::SendList::existing({ListBox2->item(r)->text()}, folder).isEmpty())
            delete ListBox2->takeItem(r);
        else
            ++r;
    }
    const vexel::SendList::Listing listing =
        vexel::SendList::list(vexel::SendList::imageFiles(folder), entries(ListBox2));
    document().setUntitledNumber(listing.untitledNumber);
    ListBox1->clear();
    ListBox1->addItems(listing.fileList);

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
    // Straight from the files: the image in the editor stays as it is. A
    // file that cannot travel is named by the send job.
    const vexel::Expected<std::vector<vexel::FileText>> files =
        vexel::SendJob::fileTexts(entries(ListBox2), document().folder());
    if (!files)
        return;
    const vexel::Expected<int> length = vexel::DataMessage::payloadLength(*files);
    if (length)
        Label5->setText(QStringLiteral("Data length: %1").arg(*length));
}

void TForm1::Button3Click()
{
    const QStringList before = Send_List();
    const int remembered = std::max(lastSelectedRow(ListBox1), 0);
    if (ListBox1->selectedItems().isEmpty() && ListBox1->count() > 0)
        ListBox1->item(0)->setSelected(true);
    for (int r = 0; r < ListBox1->count();) {
        if (ListBox1->item(r)->isSelected()) {
            QListWidgetItem* item = ListBox1->takeItem(r);
            ListBox2->addItem(item->text());
            delete item;
        } else {
            ++r;
        }
    }
    List_Files();
    selectOnly(ListBox1, vexel::SendList::reselect(remembered, ListBox1->count()));
    // What the check before Send will compare the new entries with.
    QStringList added = Send_List();
    for (const QString& name : before)
        added.removeOne(name);
    Stamp_Send_List(added);
}

void TForm1::Button6Click()
{
    if (ListBox2->selectedItems().isEmpty() && ListBox2->count() > 0)
        ListBox2->item(ListBox2->count() - 1)->setSelected(true);
    const int remembered = std::max(lastSelectedRow(ListBox2), 0);
    for (int r = 0; r < ListBox2->count();) {
        if (ListBox2->item(r)->isSelected())
            delete ListBox2->takeItem(r);
        else
            ++r;
    }
    List_Files();
    selectOnly(ListBox2, vexel::SendList::reselect(remembered, ListBox2->count()));
}

void TForm1::Button4Click()
{
    const int s = lastSelectedRow(ListBox2);
    if (s <= 0)
        return;
    const int focused = ListBox2->currentRow() >= 0 ? ListBox2->currentRow() : s;
    if (focused == 0)
        return;
    QListWidgetItem* item = ListBox2->takeItem(focused);
    ListBox2->insertItem(focused - 1, item);
    ListBox2->item(s - 1)->setSelected(true);
    ListBox2->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    Sign_Follow(false, true);
}

void TForm1::Button5Click()
{
    const int s = lastSelectedRow(ListBox2);
    if (s < 0 || s == ListBox2->count() - 1)
        return;
    const int focused = ListBox2->currentRow() >= 0 ? ListBox2->currentRow() : s;
    if (focused == ListBox2->count() - 1)
        return;
    QListWidgetItem* item = ListBox2->takeItem(focused);
    ListBox2->insertItem(focused + 1, item);
    ListBox2->item(s + 1)->setSelected(true);
    ListBox2->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    Sign_Follow(false, true);
}

void TForm1::ListBox1Click() { openFromList(*this, ListBox1, ListBox2); }

void TForm1::ListBox2Click() { openFromList(*this, ListBox2, ListBox1); }

void TForm1::Button10Click()
{
    // The port's refusal comes first, as it always did; then the report of
    // what the operator may not want the board to show.
    if (!Serial_Link->openFailed() && !Preflight_Allows())
        return;
    Send_Job->send(entries(ListBox2), document().folder(), document().fileName(), settings().flashDelay(),
                   settings().timeOut());
}

void TForm1::Button12Click() { Send_Job->read(settings().flashDelay(), settings().timeOut()); }

void TForm1::Button11Click()
{
    Form3->show();
    Form3->raise();
}

void TForm1::Button14Click()
{
    // Stop ends whichever long work runs: an exchange or an export.
    Export_Stopped = true;
    Serial_Link->requestStop();
}
