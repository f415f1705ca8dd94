#include "app/FleetWindow.h"

#include "app/JournalWindow.h"
#include "app/Prompter.h"
#include "session/FleetWatch.h"
#include "widgets/AccessibleText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using vexel::FleetBusState;
using vexel::FleetModel;
using vexel::JournalEntry;

namespace {

// Behind is red: a sign to visit stands out in a long list.
class BehindDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(FleetModel::BehindRole).toBool()) {
            option->backgroundBrush = QColor(0xF8, 0xD0, 0xD0);
            option->palette.setColor(QPalette::Text, QColor(0xB0, 0x00, 0x00));
            option->font.setBold(true);
        }
    }
};

QPushButton* button(const QString& text, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setToolTip(tip);
    return b;
}

// Refills a filter's choices, keeping the one chosen when it is still there.
void refill(QComboBox* combo, const QString& everything, const QStringList& values,
            const std::function<QString(const QString&)>& label)
{
    const QString chosen = combo->currentData().toString();
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItem(everything, QString());
    for (const QString& value : values)
        combo->addItem(label(value), value);
    combo->setCurrentIndex(std::max(0, combo->findData(chosen)));
}

} // namespace

FleetWindow::FleetWindow(vexel::FleetSources sources, Prompter& prompter, QWidget* owner)
    : QWidget(owner, Qt::Window), session_(sources), prompter_(prompter), journal_(sources.journal)
{
    setWindowTitle(tr("Fleet"));
    resize(1000, 600);
    Create_Filters();
    Create_Tables();
    Create_Actions();
    Lay_Out();
    Connect_Controls();
}

FleetWindow::~FleetWindow() = default;

void FleetWindow::Create_Filters()
{
    Combo_Depot = new QComboBox(this);
    nameComboBox(Combo_Depot, tr("Depot"));
    Combo_Depot->addItem(tr("All depots"), QString());
    Combo_Set = new QComboBox(this);
    nameComboBox(Combo_Set, tr("Set"));
    Combo_Set->addItem(tr("All sets"), QString());
    Check_Behind = new QCheckBox(tr("Behind only"), this);
    Check_Behind->setToolTip(tr("Only the buses with a sign that does not carry the latest release"));
    Button_Refresh = button(tr("Refresh"), tr("Read the fleet again"), this);
    Label_Counts = new QLabel(this);
    Label_Counts->setAccessibleName(tr("Counts"));
    Label_Counts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_Counts->setWordWrap(true);
}

void FleetWindow::Create_Tables()
{
    Table_Fleet = new QTableView(this);
    Table_Fleet->setAccessibleName(tr("Buses"));
    Table_Fleet->setModel(&session_.model());
    Table_Fleet->setItemDelegate(new BehindDelegate(Table_Fleet));
    Table_Fleet->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_Fleet->setSelectionMode(QAbstractItemView::SingleSelection);
    Table_Fleet->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_Fleet->verticalHeader()->hide();
    Table_Fleet->horizontalHeader()->setStretchLastSection(true);

    Table_History = new QTableWidget(0, 7, this);
    Table_History->setAccessibleName(tr("Sends to the bus"));
    Table_History->setHorizontalHeaderLabels({tr("Time"), tr("Sign"), tr("Version"),
                                              tr("Files"), tr("Checksum"),
                                              tr("Reply"), tr("Station")});
    Table_History->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_History->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_History->verticalHeader()->hide();
    Table_History->horizontalHeader()->setStretchLastSection(true);
}

void FleetWindow::Create_Actions()
{
    Combo_Sign = new QComboBox(this);
    nameComboBox(Combo_Sign, tr("Sign to send"));
    Combo_Sign->setToolTip(tr("The sign of the selected bus to send to"));
    Button_Send = button(tr("Send to this bus"),
                         tr("Put the bus's destinations for the sign, from the latest release, on the send "
                            "list, and send them"),
                         this);
    Button_Send->setEnabled(false);
    Button_Export = button(tr("Export CSV..."), tr("Write the buses shown as CSV"), this);
    Button_Visit = button(tr("Print visit list..."),
                          tr("A checklist PDF of the depot's buses to visit for a release"), this);
}

void FleetWindow::Lay_Out()
{
    auto* filters = new QHBoxLayout;
    filters->addWidget(Combo_Depot);
    filters->addWidget(Combo_Set);
    filters->addWidget(Check_Behind);
    filters->addStretch(1);
    filters->addWidget(Button_Refresh);
    auto* actions = new QHBoxLayout;
    actions->addWidget(Combo_Sign);
    actions->addWidget(Button_Send);
    actions->addStretch(1);
    actions->addWidget(Button_Export);
    actions->addWidget(Button_Visit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(Label_Counts);
    layout->addWidget(Table_Fleet, 3);
    layout->addWidget(Table_History, 1);
    layout->addLayout(actions);
}

void FleetWindow::Connect_Controls()
{
    connect(Combo_Depot, &QComboBox::currentIndexChanged, this, &FleetWindow::Filter_Changed);
    connect(Combo_Set, &QComboBox::currentIndexChanged, this, &FleetWindow::Filter_Changed);
    connect(Check_Behind, &QCheckBox::toggled, this, &FleetWindow::Filter_Changed);
    connect(Button_Refresh, &QPushButton::clicked, this, &FleetWindow::Refresh_Click);
    connect(Button_Export, &QPushButton::clicked, this, &FleetWindow::Export_Click);
    connect(Button_Send, &QPushButton::clicked, this, &FleetWindow::Send_Click);
    connect(Button_Visit, &QPushButton::clicked, this, &FleetWindow::Visit_Click);
    connect(Table_Fleet->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FleetWindow::Selection_Changed);
}

void FleetWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Start_Watch();
    Refresh_Click();
}

void FleetWindow::Start_Watch()
{
    if (watch_ || !journal_)
        return;
    watch_ = std::make_unique<vexel::FleetWatch>(journal_());
    connect(watch_.get(), &vexel::FleetWatch::changed, this, &FleetWindow::Refresh_Click);
}

QString FleetWindow::Selected_Bus() const
{
    const QModelIndexList rows = Table_Fleet->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.front().data(FleetModel::BusRole).toString();
}

const FleetBusState* FleetWindow::Selected_State() const
{
    const QString bus = Selected_Bus();
    return bus.isEmpty() ? nullptr : session_.model().stateAt(session_.model().rowOf(bus));
}

void FleetWindow::Select_Bus(const QString& bus)
{
    const int row = bus.isEmpty() ? -1 : session_.model().rowOf(bus);
    if (row < 0) {
        Table_Fleet->clearSelection();
        Selection_Changed();
        return;
    }
    Table_Fleet->selectRow(row);
    Table_Fleet->scrollTo(session_.model().index(row, 0));
}

void FleetWindow::Refresh_Click()
{
    const QString bus = Selected_Bus();
    const vexel::Status read = session_.reload();
    problem_ = read ? QString() : read.error();
    Fill_Filters();
    Select_Bus(bus);
    Show_History(Selected_Bus());
    Show_Counts();
}

void FleetWindow::Fill_Filters()
{
    refill(Combo_Depot, tr("All depots"), session_.model().depots(),
           [](const QString& depot) { return depot; });
    refill(Combo_Set, tr("All sets"), session_.model().sets(), &FleetModel::setLabel);
}

void FleetWindow::Filter_Changed()
{
    const QString bus = Selected_Bus();
    vexel::FleetFilter filter;
    filter.depot = Combo_Depot->currentData().toString();
    filter.set = Combo_Set->currentData().toString();
    filter.behindOnly = Check_Behind->isChecked();
    session_.model().setFilter(filter);
    Select_Bus(bus);
    Show_Counts();
}

void FleetWindow::Show_Counts()
{
    QString text = session_.model().countsText();
    if (!problem_.isEmpty())
        text = problem_ + QLatin1Char('\n') + text;
    if (watch_ && !watch_->problem().isEmpty())
        text += QLatin1Char('\n') + watch_->problem();
    setReadableText(Label_Counts, text);
}

void FleetWindow::Selection_Changed()
{
    const FleetBusState* state = Selected_State();
    const QString chosen = Combo_Sign->currentText();
    Combo_Sign->clear();
    if (state)
        for (const vexel::FleetSignState& sign : state->signs)
            Combo_Sign->addItem(sign.sign);
    Combo_Sign->setCurrentIndex(std::max(0, Combo_Sign->findText(chosen)));
    Button_Send->setEnabled(Combo_Sign->count() > 0);
    Show_History(state ? state->bus.number : QString());
}

void FleetWindow::Show_History(const QString& bus)
{
    Table_History->setRowCount(0);
    const vexel::Expected<std::vector<JournalEntry>> entries = session_.history(bus);
    if (!entries)
        return;
    // Newest first, as the journal window lists them.
    int row = 0;
    Table_History->setRowCount(static_cast<int>(entries->size()));
    for (auto it = entries->rbegin(); it != entries->rend(); ++it, ++row) {
        const JournalEntry& e = *it;
        const QStringList cells{e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                e.sign,
                                e.version > 0 ? QString::number(e.version) : QString(),
                                e.read ? tr("READ") : vexel::SendJournal::filesText(e),
                                vexel::SendJournal::checksumText(e),
                                JournalWindow::shownReply(e.reply),
                                e.station};
        for (int c = 0; c < cells.size(); ++c)
            Table_History->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    Table_History->resizeColumnsToContents();
}

void FleetWindow::Export_Click()
{
    FileRequest request;
    request.proposedName = QStringLiteral("fleet.csv");
    request.filter = tr("CSV|*.csv");
    request.defaultExtension = QStringLiteral("csv");
    const QString chosen = prompter_.saveFile(request);
    if (chosen.isEmpty())
        return;
    const vexel::Status written = session_.exportCsv(chosen);
    if (!written)
        prompter_.error(written.error());
}

void FleetWindow::Send_Click()
{
    const FleetBusState* state = Selected_State();
    if (!state || Combo_Sign->currentText().isEmpty())
        return;
    // Refused here before the editor is asked anything.
    const vexel::Expected<vexel::SignSendList> list = vexel::FleetSession::sendList(*state, Combo_Sign->currentText());
    if (!list) {
        prompter_.error(list.error());
        return;
    }
    emit sendRequested(*state, Combo_Sign->currentText());
}

void FleetWindow::Visit_Click()
{
    const QString depot = Combo_Depot->currentData().toString();
    if (depot.isEmpty()) {
        prompter_.error(tr("Choose the depot to visit in the depot filter first."));
        return;
    }
    FileRequest release;
    const FleetBusState* state = Selected_State();
    release.directory = state ? state->releaseFolder : QString();
    release.filter = tr("Release|release.txt");
    release.defaultExtension = QStringLiteral("txt");
    const QString note = prompter_.openFile(release);
    if (note.isEmpty())
        return;
    FileRequest pdf;
    pdf.proposedName = QStringLiteral("visit-%1-%2.pdf").arg(depot, QDate::currentDate().toString(Qt::ISODate));
    pdf.filter = tr("PDF|*.pdf");
    pdf.defaultExtension = QStringLiteral("pdf");
    const QString chosen = prompter_.saveFile(pdf);
    if (chosen.isEmpty())
        return;
    const vexel::Status written =
        session_.printVisitList(chosen, depot, QFileInfo(note).absolutePath(), QDate::currentDate());
    if (!written)
        prompter_.error(written.error());
    else
        prompter_.inform(tr("The visit list is written to %1.").arg(QDir::toNativeSeparators(chosen)),
                         Prompter::InfoButton::Ok);
}
