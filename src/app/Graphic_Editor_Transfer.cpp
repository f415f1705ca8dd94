#include "app/Graphic_Editor.h"

#include "app/Settings.h"
#include "app/Test_Window.h"
#include "document/ImageFile.h"
#include "transfer/DataMessage.h"
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

// The commands that replace the image or touch the port would pull the
// ground from under a running job.
void setJobCommandsEnabled(TForm1& form, bool enabled)
{
    form.New1->setEnabled(enabled);
    form.Load1->setEnabled(enabled);
    form.SaveAs1->setEnabled(enabled);
    form.SpeedButton1->setEnabled(enabled);
    form.SpeedButton2->setEnabled(enabled);
    form.Settings1->setEnabled(enabled);
}

void runExchange(TForm1& form, const QByteArray& message)
{
    form.Serial_Link->setFlashDelay(form.Flash_Delay);
    form.Serial_Link->setReplyTimeout(form.Reply_Timeout);
    form.Image1->setEnabled(false);
    form.Serial_Link->Send_Data(message);
    form.Image1->setEnabled(true);
}

void openFromList(TForm1& form, QListWidget* clicked, QListWidget* other)
{
    if (!form.Ask_To_Save())
        return;
    const int row = lastSelectedRow(clicked);
    if (row < 0)
        return;
    other->clearSelection();
    form.Image_File_Name = clicked->item(row)->text();
    form.Current_Frame = 0;
    form.Load_File();
    form.Selection_Shown = false;
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
}

void TForm1::List_Files()
{
    for (int r = 0; r < ListBox2->count();) {
        if (vexel::SendList::existing({ListBox2->item(r)->text()}, Data_Folder).isEmpty())
            delete ListBox2->takeItem(r);
        else
            ++r;
    }
    const vexel::SendList::Listing listing =
        vexel::SendList::list(vexel::SendList::imageFiles(Data_Folder), entries(ListBox2));
    Untitled_Number = listing.untitledNumber;
    ListBox1->clear();
    ListBox1->addItems(listing.fileList);

    Files_Counting();

    Button3->setEnabled(ListBox1->count() > 0);
    const bool anyToSend = ListBox2->count() > 0;
    Button6->setEnabled(anyToSend);
    Button4->setEnabled(anyToSend);
    Button5->setEnabled(anyToSend);
    Button10->setEnabled(anyToSend);
}

void TForm1::Files_Counting()
{
    Label4->setText(QStringLiteral("Files: %1").arg(ListBox2->count()));
    if (!CheckBox1->isChecked())
        return;
    // Straight from the files: the image in the editor stays as it is.
    std::vector<vexel::FileText> files;
    for (const QString& name : entries(ListBox2)) {
        const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::read(Data_Folder + name);
        if (!record)
            return; // the send job names the file that cannot travel
        files.push_back({name.toStdString(), record->hexText()});
    }
    const vexel::Expected<int> length = vexel::DataMessage::payloadLength(files);
    if (length)
        Label5->setText(QStringLiteral("Data length: %1").arg(*length));
}

void TForm1::Button3Click()
{
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
}

void TForm1::ListBox1Click() { openFromList(*this, ListBox1, ListBox2); }

void TForm1::ListBox2Click() { openFromList(*this, ListBox2, ListBox1); }

void TForm1::Button10Click()
{
    if (Serial_Link->openFailed()) {
        prompter().inform(QStringLiteral("Port was not opened"), Prompter::InfoButton::Yes);
        return;
    }
    Hide_Controls();
    setJobCommandsEnabled(*this, false);
    Serial_Link->clearStop();
    StatusBar2->showMessage(QStringLiteral("Preparing"));
    Current_Frame = 0;
    const QString remembered = Image_File_Name;

    // Everything after the files were first loaded ends by showing the
    // image that was open before.
    auto job = [&]() -> bool {
        if (ListBox2->count() == 0) {
            prompter().inform(QStringLiteral("No files selected"), Prompter::InfoButton::Ok);
            return false;
        }
        // The unsaved edits of the open image are part of what is sent.
        if (!Image_File_Name.isEmpty() && !Write_Image_File())
            return false; // its message is shown; the edits stay in the editor
        Image_Modified = false;

        ProgressBar1->setRange(0, ListBox2->count());
        ProgressBar1->setValue(0);
        std::vector<vexel::FileText> files;
        const QStringList names = entries(ListBox2);
        for (int i = 0; i < names.size(); ++i) {
            Image_File_Name = names[i];
            if (!Load_File())
                return true; // Load_File named the file
            Button7->setEnabled(false);
            QCoreApplication::processEvents();
            files.push_back({names[i].toStdString(), Image_Record.hexText()});
            ProgressBar1->setValue(i + 1);
        }

        const vexel::Expected<vexel::DataMessage> message = vexel::DataMessage::build(files);
        if (!message) {
            prompter().inform(QStringLiteral("Nothing was sent. %1").arg(QString::fromStdString(message.error())),
                              Prompter::InfoButton::Ok);
            return true;
        }
        Label5->setText(QStringLiteral("Data length: %1").arg(message->length()));
        QCoreApplication::processEvents();

        Form3->Clear_Log();
        // Shows as an empty line, DATA=LLLL,SSSS and the data hex text.
        Form3->Append_Line(QString::fromLatin1(message->hexView()).replace(QLatin1String("\r\n"), QLatin1String("\n")));

        ProgressBar1->setRange(0, message->length());
        ProgressBar1->setValue(0);
        StatusBar2->showMessage(QStringLiteral("Sending"));
        Button14->setEnabled(true);
        runExchange(*this, message->bytes());
        Button14->setEnabled(false);
        return true;
    };
    if (job()) {
        Image_File_Name = remembered;
        if (!remembered.isEmpty())
            Load_File();
    }

    Button7->setEnabled(true);
    Show_Controls();
    setJobCommandsEnabled(*this, true);
}

void TForm1::Button12Click()
{
    Hide_Controls();
    Button7->setEnabled(false);
    setJobCommandsEnabled(*this, false);
    Serial_Link->clearStop();
    Form3->Clear_Log();
    runExchange(*this, vexel::DataMessage::readMessage());
    Button7->setEnabled(true);
    Show_Controls();
    setJobCommandsEnabled(*this, true);
}

void TForm1::Button11Click()
{
    Form3->show();
    Form3->raise();
}

void TForm1::Button14Click() { Serial_Link->requestStop(); }
