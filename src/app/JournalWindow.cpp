#include "app/JournalWindow.h"

#include "widgets/AccessibleText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using vexel::JournalEntry;
using vexel::SendJournal;

JournalWindow::JournalWindow(std::function<SendJournal()> journal, QWidget* owner)
    : QWidget(owner, Qt::Window), journal_(std::move(journal))
{
    setWindowTitle(tr("Journal"));
    resize(900, 420);

    buildFilters();
    buildTable();
    layOut();
    connectControls();
}

void JournalWindow::buildFilters()
{
    const auto edit = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setAccessibleName(name);
        e->setPlaceholderText(name);
        e->setClearButtonEnabled(true);
        return e;
    };
    Edit_Bus = edit(tr("Bus"));
    Edit_Sign = edit(tr("Sign"));
    Edit_Set = edit(tr("Set"));
    Check_Dates = new QCheckBox(tr("Between"), this);
    Date_From = new QDateEdit(QDate::currentDate().addDays(-30), this);
    Date_From->setAccessibleName(tr("From date"));
    Date_To = new QDateEdit(QDate::currentDate(), this);
    Date_To->setAccessibleName(tr("To date"));
    for (QDateEdit* d : {Date_From, Date_To}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setEnabled(false);
    }
    Combo_Reply = new QComboBox(this);
    nameComboBox(Combo_Reply, tr("Reply"));
    Combo_Reply->addItem(tr("Any reply"), QString());
    for (const char* reply : {"OK", "CS", "LN", "no reply", "stopped", SendJournal::NotSent})
        Combo_Reply->addItem(shownReply(QLatin1String(reply)), QLatin1String(reply));
    Button_Refresh = new QPushButton(tr("Refresh"), this);
    Button_Carried = new QPushButton(tr("Carries"), this);
    Button_Carried->setToolTip(tr("Which version the bus carries on the sign: its last send the board took"));
    Label_Answer = new QLabel(this);
    Label_Answer->setAccessibleName(tr("Answer"));
    Label_Answer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_Answer->setWordWrap(true);
}

void JournalWindow::buildTable()
{
    Table_Entries = new QTableWidget(0, 10, this);
    Table_Entries->setAccessibleName(tr("Journal entries"));
    Table_Entries->setHorizontalHeaderLabels({tr("Time"), tr("Bus"), tr("Sign"),
                                              tr("Set"), tr("Version"), tr("Port"),
                                              tr("Files"), tr("Data block (bytes)"),
                                              tr("Checksum"), tr("Reply")});
    Table_Entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_Entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_Entries->verticalHeader()->hide();
    Table_Entries->horizontalHeader()->setStretchLastSection(true);
}

void JournalWindow::layOut()
{
    auto* filters = new QGridLayout;
    filters->addWidget(Edit_Bus, 0, 0);
    filters->addWidget(Edit_Sign, 0, 1);
    filters->addWidget(Edit_Set, 0, 2);
    filters->addWidget(Combo_Reply, 0, 3);
    filters->addWidget(Check_Dates, 1, 0);
    filters->addWidget(Date_From, 1, 1);
    filters->addWidget(Date_To, 1, 2);
    filters->addWidget(Button_Refresh, 0, 4);
    filters->addWidget(Button_Carried, 1, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(Label_Answer);
    layout->addWidget(Table_Entries, 1);
}

void JournalWindow::connectControls()
{
    connect(Check_Dates, &QCheckBox::toggled, Date_From, &QWidget::setEnabled);
    connect(Check_Dates, &QCheckBox::toggled, Date_To, &QWidget::setEnabled);
    connect(Button_Refresh, &QPushButton::clicked, this, &JournalWindow::Refresh_Entries);
    connect(Button_Carried, &QPushButton::clicked, this, &JournalWindow::Carried_Click);
    for (QLineEdit* e : {Edit_Bus, Edit_Sign, Edit_Set})
        connect(e, &QLineEdit::returnPressed, this, &JournalWindow::Refresh_Entries);
    connect(Combo_Reply, &QComboBox::currentIndexChanged, this, &JournalWindow::Refresh_Entries);
}

vexel::JournalFilter JournalWindow::Filter() const
{
    vexel::JournalFilter f;
    f.bus = Edit_Bus->text();
    f.sign = Edit_Sign->text();
    f.set = Edit_Set->text();
    f.reply = Combo_Reply->currentData().toString();
    if (Check_Dates->isChecked()) {
        f.from = Date_From->date();
        f.to = Date_To->date();
    }
    return f;
}

void JournalWindow::Refresh_Entries()
{
    const SendJournal journal = journal_();
    const vexel::Expected<std::vector<JournalEntry>> entries = journal.entries(Filter());
    Table_Entries->setRowCount(0);
    if (!entries) {
        setReadableText(Label_Answer, entries.error());
        return;
    }
    // Newest at the top: that is what the operator looks for.
    Table_Entries->setRowCount(static_cast<int>(entries->size()));
    int row = 0;
    for (auto it = entries->rbegin(); it != entries->rend(); ++it, ++row) {
        const JournalEntry& e = *it;
        const QStringList cells{e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                e.bus,
                                e.sign,
                                e.set,
                                e.version > 0 ? QString::number(e.version) : QString(),
                                e.port,
                                e.read ? tr("READ") : SendJournal::filesText(e),
                                e.bytes >= 0 ? QString::number(e.bytes) : QString(),
                                SendJournal::checksumText(e),
                                e.pending ? shownReply(e.reply) + tr(" (not yet uploaded)") : shownReply(e.reply)};
        for (int c = 0; c < cells.size(); ++c)
            Table_Entries->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    Table_Entries->resizeColumnsToContents();
    if (entries->empty())
        setReadableText(Label_Answer, tr("No entries."));
    else
        setReadableText(Label_Answer, QString());
}

void JournalWindow::Carried_Click()
{
    if (Edit_Bus->text().trimmed().isEmpty()) {
        setReadableText(Label_Answer, tr("Type the bus number first."));
        return;
    }
    const SendJournal journal = journal_();
    const auto carried = journal.carried(Edit_Bus->text(), Edit_Sign->text());
    if (!carried) {
        setReadableText(Label_Answer, carried.error());
        return;
    }
    setReadableText(Label_Answer, SendJournal::carriedText(Edit_Bus->text(), Edit_Sign->text(), *carried));
}

QString JournalWindow::shownReply(const QString& reply)
{
    if (reply == QLatin1String("no reply"))
        return tr("no reply");
    if (reply == QLatin1String("stopped"))
        return tr("stopped");
    const QString notSent = QLatin1String(SendJournal::NotSent);
    if (reply == notSent)
        return tr("not sent");
    if (reply.startsWith(notSent + QLatin1Char(':')))
        return tr("not sent") + reply.mid(notSent.size());
    return reply;
}

void JournalWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh_Entries();
}
