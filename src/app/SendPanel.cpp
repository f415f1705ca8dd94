#include "app/SendPanel.h"

#include "app/PanelButton.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "app/Test_Window.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "transfer/DataMessage.h"
#include "transfer/SendJob.h"
#include "transfer/SerialLink.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

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

QListWidget* fileList(const QString& accessibleName, const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setAccessibleName(accessibleName);
    list->setFixedWidth(125);
    return list;
}

} // namespace

SendPanel::SendPanel(vexel::EditorSession& session, PanelHost& host, QWidget* parent, QBoxLayout* row)
    : QObject(parent), session_(session), host_(host)
{
    Create_Lists(parent, row);
    Create_Buttons();
    Create_Counts();
    Create_Bus();
    Lay_Out();
    Form3 = new TForm3(parent->window());
    Form3->setObjectName(QStringLiteral("Form3"));
    Connect_Controls();
    Connect_Session();
}

void SendPanel::Create_Lists(QWidget* parent, QBoxLayout* row)
{
    ListBox1 = fileList(tr("Image files"), "ListBox1", parent);
    row->addWidget(ListBox1);
    Panel1 = new QFrame(parent);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    row->addWidget(Panel1);
}

void SendPanel::Create_Buttons()
{
    Button3 = panelButton(QStringLiteral(">>"), "Button3", Panel1);
    Button3->setToolTip(tr("Add the chosen files to the send list"));
    Button3->setAccessibleName(tr("Add to send list"));
    Button6 = panelButton(QStringLiteral("<<"), "Button6", Panel1);
    Button6->setToolTip(tr("Remove the chosen files from the send list"));
    Button6->setAccessibleName(tr("Remove from send list"));
    // Made between the buttons beside it, for the order Tab goes through them.
    ListBox2 = fileList(tr("Send list"), "ListBox2", Panel1);
    Button4 = panelButton(tr("Up"), "Button4", Panel1);
    Button5 = panelButton(tr("Down"), "Button5", Panel1);
    Button14 = panelButton(tr("Stop"), "Button14", Panel1);
    Button14->setEnabled(false);
    Button12 = panelButton(tr("Rd"), "Button12", Panel1);
    Button10 = panelButton(tr("Send"), "Button10", Panel1);
    Button11 = panelButton(QString(), "Button11", Panel1);
    Button11->setFixedSize(14, 14);
    Button11->setToolTip(tr("Show the Test window"));
    Button11->setAccessibleName(tr("Test window"));
    for (QPushButton* b : {Button3, Button6})
        b->setFixedWidth(40);
    for (QPushButton* b : {Button4, Button5, Button14, Button12, Button10})
        b->setFixedWidth(64);
}

void SendPanel::Create_Counts()
{
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(tr("Count the data length"));
    CheckBox1->setAccessibleName(tr("Count data length"));
    Label4 = new QLabel(tr("Files: 0"), Panel1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5 = new QLabel(tr("Data length: "), Panel1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label_Lengths = new QLabel(Panel1);
    Label_Lengths->setObjectName(QStringLiteral("Label_Lengths"));
    Label_Lengths->setAccessibleName(tr("What the data length counts"));
    Label_Lengths->setWordWrap(true);
}

void SendPanel::Create_Bus()
{
    Edit_Bus = new QLineEdit(Panel1);
    Edit_Bus->setObjectName(QStringLiteral("Edit_Bus"));
    Edit_Bus->setAccessibleName(tr("Bus number"));
    Edit_Bus->setToolTip(tr("The bus the files are sent to, for the journal (optional)"));
    Edit_Bus->setMaxLength(vexel::AppSettings::MaxBusNumberLength);
}

void SendPanel::Lay_Out()
{
    auto* send = new QGridLayout(Panel1);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(Button3);
    moves->addWidget(Button6);
    moves->addStretch(1);
    send->addLayout(moves, 0, 0, 2, 1);
    send->addWidget(ListBox2, 0, 1, 2, 1);
    auto* order = new QVBoxLayout;
    for (QPushButton* b : {Button4, Button5})
        order->addWidget(b);
    order->addStretch(1);
    for (QPushButton* b : {Button14, Button12, Button10})
        order->addWidget(b);
    send->addLayout(order, 0, 2, 2, 1);
    auto* counts = new QHBoxLayout;
    counts->addWidget(CheckBox1);
    counts->addWidget(Label4);
    counts->addSpacing(12);
    auto* lengths = new QVBoxLayout;
    lengths->addWidget(Label5);
    lengths->addWidget(Label_Lengths);
    counts->addLayout(lengths, 1);
    counts->addWidget(Button11);
    send->addLayout(counts, 2, 0, 1, 3);
    // Below the counts: the bus the next send goes to.
    auto* bus = new QHBoxLayout;
    auto* label = new QLabel(tr("Bus:"), Panel1);
    label->setBuddy(Edit_Bus);
    bus->addWidget(label);
    bus->addWidget(Edit_Bus, 1);
    send->addLayout(bus, 3, 0, 1, 3);
}

void SendPanel::Connect_Controls()
{
    connect(Button3, &QPushButton::clicked, this, &SendPanel::Button3Click);
    connect(Button6, &QPushButton::clicked, this, &SendPanel::Button6Click);
    connect(Button4, &QPushButton::clicked, this, &SendPanel::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &SendPanel::Button5Click);
    connect(Button10, &QPushButton::clicked, this, &SendPanel::Button10Click);
    connect(Button12, &QPushButton::clicked, this, &SendPanel::Button12Click);
    connect(Button11, &QPushButton::clicked, this, &SendPanel::Button11Click);
    connect(Button14, &QPushButton::clicked, this, &SendPanel::Button14Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &SendPanel::ListBox1Click);
    connect(ListBox2, &QListWidget::itemClicked, this, &SendPanel::ListBox2Click);
    // Ticking the box shows the figure at once rather than at the next scan.
    connect(CheckBox1, &QCheckBox::toggled, this, &SendPanel::Files_Counting);
    connect(Edit_Bus, &QLineEdit::textEdited, &session_.settings(), &vexel::AppSettings::setBusNumber);
}

void SendPanel::Connect_Session()
{
    connect(&session_.settings(), &vexel::AppSettings::busNumberChanged, this, [this](const QString& bus) {
        // Spaces being typed at the end stay until the typing is done.
        if (Edit_Bus->text().trimmed() != bus)
            Edit_Bus->setText(bus);
    });
    // A send is recorded under the bus it started with.
    connect(&session_, &vexel::EditorSession::jobLocked, Edit_Bus, &QWidget::setDisabled);
    connect(&session_.link(), &SerialLink::replyLogged, Form3, &TForm3::Append_Line);
    using vexel::SendJob;
    SendJob* job = &session_.sendJob();
    connect(job, &SendJob::dataLength, this, &SendPanel::Show_Data_Length);
    connect(job, &SendJob::logCleared, Form3, &TForm3::Clear_Log);
    connect(job, &SendJob::logLine, Form3, &TForm3::Append_Line);
    connect(job, &SendJob::stopEnabled, Button14, &QPushButton::setEnabled);
    connect(job, &SendJob::inform, this, [this](const QString& text, bool yes) {
        host_.prompter().inform(text, yes ? Prompter::InfoButton::Yes : Prompter::InfoButton::Ok);
    });
    connect(&session_.sendList(), &vexel::SendListModel::changed, this, &SendPanel::Show_Send_Lists);
}

void SendPanel::Set_Locked(bool locked)
{
    for (QWidget* control : std::initializer_list<QWidget*>{ListBox1, ListBox2, Button3, Button4, Button5, Button6,
                                                            Button10, Button12})
        control->setEnabled(!locked);
}

void SendPanel::Set_Stop_Enabled(bool enabled) { Button14->setEnabled(enabled); }

void SendPanel::Show_Data_Length(int bytes)
{
    Label5->setText(tr("Data length: %1").arg(bytes));
    Label_Lengths->setText(tr("the whole message; its %1")
                               .arg(vexel::DataMessage::blockFigure(bytes - vexel::DataMessage::HeaderLength)));
}

void SendPanel::Show_Counted_Length(int bytes)
{
    Label5->setText(tr("Data length: %1").arg(bytes));
    // The block adds its file-count byte; the message its header.
    const long long block = static_cast<long long>(bytes) + 1;
    Label_Lengths->setText(tr("the files with their counts; %1, %2")
                               .arg(vexel::DataMessage::blockFigure(block), vexel::DataMessage::messageFigure(block)));
}

void SendPanel::Show_Send_Lists()
{
    const vexel::SendListModel& lists = session_.sendList();
    showNames(ListBox1, lists.files());
    showNames(ListBox2, lists.entries());

    Files_Counting();

    Button3->setEnabled(ListBox1->count() > 0);
    const bool anyToSend = ListBox2->count() > 0;
    for (QPushButton* b : {Button6, Button4, Button5, Button10})
        b->setEnabled(anyToSend);
    emit listsShown();
}

void SendPanel::Files_Counting()
{
    Label4->setText(tr("Files: %1").arg(ListBox2->count()));
    if (!CheckBox1->isChecked())
        return;
    // A file that cannot travel is named by the send job.
    if (const std::optional<int> length = session_.sendList().dataLength())
        Show_Counted_Length(*length);
}

void SendPanel::Button3Click()
{
    int reselect = -1;
    session_.addToSendList(selectedRows(ListBox1), &reselect);
    selectOnly(ListBox1, reselect);
}

void SendPanel::Button6Click()
{
    int reselect = -1;
    session_.removeFromSendList(selectedRows(ListBox2), &reselect);
    selectOnly(ListBox2, reselect);
}

void SendPanel::Button4Click()
{
    const int s = lastSelectedRow(ListBox2);
    if (s <= 0)
        return;
    const int focused = ListBox2->currentRow() >= 0 ? ListBox2->currentRow() : s;
    if (focused == 0)
        return;
    session_.sendList().move(focused, focused - 1);
    ListBox2->item(s - 1)->setSelected(true);
    ListBox2->setCurrentRow(focused - 1, QItemSelectionModel::NoUpdate);
}

void SendPanel::Button5Click()
{
    const int s = lastSelectedRow(ListBox2);
    if (s < 0 || s == ListBox2->count() - 1)
        return;
    const int focused = ListBox2->currentRow() >= 0 ? ListBox2->currentRow() : s;
    if (focused == ListBox2->count() - 1)
        return;
    session_.sendList().move(focused, focused + 1);
    ListBox2->item(s + 1)->setSelected(true);
    ListBox2->setCurrentRow(focused + 1, QItemSelectionModel::NoUpdate);
}

void SendPanel::Open_From_List(QListWidget* clicked, QListWidget* other)
{
    if (!host_.Ask_To_Save())
        return;
    const int row = lastSelectedRow(clicked);
    if (row < 0)
        return;
    other->clearSelection();
    const vexel::Status opened = session_.openListed(clicked->item(row)->text());
    if (!opened)
        host_.prompter().error(opened.error());
    emit listedOpened();
}

void SendPanel::ListBox1Click() { Open_From_List(ListBox1, ListBox2); }

void SendPanel::ListBox2Click() { Open_From_List(ListBox2, ListBox1); }

bool SendPanel::Preflight_Allows()
{
    const std::vector<vexel::Finding> findings = session_.preflight();
    if (findings.empty())
        return true;
    QStringList lines;
    for (const vexel::Finding& f : findings)
        lines << f.line();
    return host_.prompter().decide(tr("Before sending, please check:"), lines.join(QLatin1Char('\n')),
                                   tr("Send anyway"), tr("Cancel"));
}

void SendPanel::Button10Click()
{
    // The port's refusal comes first, as it always did; then the report of
    // what the operator may not want the board to show.
    if (!session_.portFailed() && !Preflight_Allows())
        return;
    session_.send();
}

void SendPanel::Button12Click() { session_.read(); }

void SendPanel::Button11Click()
{
    Form3->show();
    Form3->raise();
}

void SendPanel::Button14Click()
{
    // Stop ends whichever long work runs: an exchange or an export.
    emit stopClicked();
    session_.stop();
}
