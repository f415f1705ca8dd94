#include "app/DestinationsWindow.h"

#include "app/DestinationsLook.h"
#include "app/VersionsWindow.h"
#include "session/OverrideFiles.h"

#include "lettering/FontList.h"
#include "preview/Timeline.h"
#include "session/DestinationsModel.h"
#include "session/DestinationsSession.h"
#include "session/ShownWords.h"
#include "widgets/AccessibleText.h"
#include "widgets/SignView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QStyle>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using vexel::DestinationsModel;
using vexel::DestinationsSession;

// One sign playing one image in a loop, as the Sign window draws it.
class SignPlayer : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(SignPlayer)

public:
    explicit SignPlayer(QWidget* parent) : QWidget(parent)
    {
        view_ = new SignView(this);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        timer_.setInterval(40);
        connect(&timer_, &QTimer::timeout, this, [this] { showNow(); });
        clock_.start();
    }

    // `what` names the destination and the sign for assistive tools; the
    // frame playing is added to it.
    void play(int width, int height, int stepTime, const vexel::ImageRecord* image, const QString& what)
    {
        what_ = what;
        timeline_ = vexel::Timeline(width, height, stepTime);
        if (image)
            (void)timeline_.addImage(*image);
        // One zoom for every sign of the bus, so their sizes compare.
        view_->setZoom(std::clamp(900 / std::max(width, 1), 1, 4));
        view_->setFixedHeight(view_->sizeHint().height());
        clock_.restart();
        showNow();
        updateTimer();
    }

    SignView* view() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        updateTimer();
    }
    void hideEvent(QHideEvent* event) override
    {
        QWidget::hideEvent(event);
        timer_.stop();
    }

private:
    void showNow()
    {
        const std::int64_t length = timeline_.loopLength();
        const std::int64_t now = length > 0 ? clock_.elapsed() % length : 0;
        view_->setLeds(timeline_.stateAt(now));
        const int frame = timeline_.locate(now).frame;
        setReadableDescription(view_, what_.isEmpty() ? tr("No destination chosen")
                                      : frame < 0 ? tr("%1, no image").arg(what_)
                                                  : tr("%1, frame %2 of %3")
                                                        .arg(what_)
                                                        .arg(frame + 1)
                                                        .arg(timeline_.frameCount()));
    }
    void updateTimer()
    {
        if (isVisible() && timeline_.loopLength() > 0)
            timer_.start();
        else
            timer_.stop();
    }

    vexel::Timeline timeline_;
    QString what_;
    SignView* view_ = nullptr;
    QTimer timer_;
    QElapsedTimer clock_;
};

namespace {

// The cell editor reports each keystroke, so the signs follow the typing.
class TypingDelegate : public QStyledItemDelegate {
    Q_DECLARE_TR_FUNCTIONS(TypingDelegate)

public:
    using Typed = std::function<void(const QModelIndex&, const QString&)>;
    TypingDelegate(Typed typed, QObject* parent) : QStyledItemDelegate(parent), typed_(std::move(typed)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        // Named by its column and the row's code: the table's name does not reach it.
        const QString column = index.model()->headerData(index.column(), Qt::Horizontal).toString();
        const QString code = index.siblingAtColumn(DestinationsModel::Code).data().toString();
        editor->setAccessibleName(code.isEmpty() ? column : tr("%1 of %2").arg(column, code));
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const QPersistentModelIndex at(index);
            connect(line, &QLineEdit::textEdited, line, [this, at](const QString& text) {
                if (at.isValid())
                    typed_(at, text);
            });
        }
        return editor;
    }

    // An editor is filled once, when it opens: the row read again while the
    // operator types (a change made elsewhere) leaves the typed text alone.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor->property("vexelFilled").toBool())
            return;
        QStyledItemDelegate::setEditorData(editor, index);
        editor->setProperty("vexelFilled", true);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        vexel::DestinationsLook::apply(*option, index);
    }

private:
    Typed typed_;
};

QPushButton* button(const QString& caption, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setToolTip(tip);
    return b;
}

// The file choosers' filters: a shown name, then the patterns.
QString setFilter() { return QCoreApplication::translate("DestinationsWindow", "Destination sets|*.vxset"); }
QString csvFilter() { return QCoreApplication::translate("DestinationsWindow", "Route lists|*.csv"); }

// "12 on front: does not fit: ..." as a release keeps each destination it
// left out, said in the interface's language.
QStringList shownUnfit(const QStringList& unfit)
{
    static const QRegularExpression each(QStringLiteral("^(.+?) on (.+?): (.*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList shown;
    for (const QString& line : unfit) {
        const QRegularExpressionMatch m = each.match(line);
        shown << (m.hasMatch() ? DestinationsWindow::tr("%1 on %2: %3")
                                     .arg(m.captured(1), m.captured(2), vexel::shownFitStatus(m.captured(3)))
                               : line);
    }
    return shown;
}

} // namespace

DestinationsWindow::DestinationsWindow(Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), prompter_(prompter)
{
    setWindowTitle(tr("Destinations"));
    resize(1100, 720);
    buildControls();
    updateControls();
}

DestinationsWindow::~DestinationsWindow()
{
    // The views let go of the model before the session that owns it goes.
    delete versionsWindow_;
    delete wordsDialog_;
    table_->setModel(nullptr);
}

void DestinationsWindow::buildControls()
{
    auto* top = new QVBoxLayout(this);

    top->addLayout(buildHead());
    buildNotices(top);
    top->addLayout(buildCommands());
    auto* split = new QSplitter(Qt::Vertical, this);
    buildTable(split);
    QWidget* lower = buildLower(split);
    split->addWidget(table_);
    split->addWidget(lower);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({330, 330});
    top->addWidget(split, 1);
    connectControls();
}

QHBoxLayout* DestinationsWindow::buildHead()
{
    auto* head = new QHBoxLayout;
    setLabel_ = new QLabel(tr("No set open"), this);
    setLabel_->setObjectName(QStringLiteral("Set_Label"));
    setLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    openButton_ = button(tr("Open set..."), tr("Open a destination set (.vxset)"), this);
    openButton_->setObjectName(QStringLiteral("Open_Button"));
    head->addWidget(setLabel_, 1);
    head->addWidget(openButton_);
    return head;
}

// Notices over the table, each shown while it holds.
void DestinationsWindow::buildNotices(QVBoxLayout* top)
{
    readOnlyLabel_ = new QLabel(this);
    readOnlyLabel_->setObjectName(QStringLiteral("Read_Only_Label"));
    readOnlyLabel_->setWordWrap(true);
    readOnlyLabel_->setStyleSheet(QStringLiteral("QLabel { background: #fff3cd; color: #6b4e00; padding: 4px; }"));
    readOnlyLabel_->hide();
    // A server that went away: the rows are as last read.
    connectionLabel_ = new QLabel(this);
    connectionLabel_->setObjectName(QStringLiteral("Connection_Label"));
    connectionLabel_->setWordWrap(true);
    connectionLabel_->setStyleSheet(QStringLiteral("QLabel { background: #f8d7da; color: #721c24; padding: 4px; }"));
    connectionLabel_->hide();
    // Rows another editor changed, read again.
    liveLabel_ = new QLabel(this);
    liveLabel_->setObjectName(QStringLiteral("Live_Label"));
    liveLabel_->setWordWrap(true);
    liveLabel_->setStyleSheet(QStringLiteral("QLabel { background: #d1ecf1; color: #0c5460; padding: 4px; }"));
    liveLabel_->hide();
    top->addWidget(readOnlyLabel_);
    top->addWidget(connectionLabel_);
    top->addWidget(liveLabel_);
}

// Two rows of commands: those on the selected rows, then those on the whole
// set; one row would make the window wider than a laptop's screen in Georgian.
QVBoxLayout* DestinationsWindow::buildCommands()
{
    auto* rows = new QVBoxLayout;
    auto* onRows = new QHBoxLayout;
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("Filter_Edit"));
    filter_->setPlaceholderText(tr("Filter"));
    filter_->setAccessibleName(tr("Filter destinations"));
    filter_->setClearButtonEnabled(true);
    // Room for the placeholder and the clear button, whatever the language.
    filter_->setMinimumWidth(std::max(140, filter_->fontMetrics().horizontalAdvance(filter_->placeholderText()) + 60));
    filter_->setMaximumWidth(260);
    onRows->addWidget(filter_);
    QLabel* signLabel = buildCommandButtons();
    for (QWidget* w : std::initializer_list<QWidget*>{addButton_, removeButton_, suggestButton_})
        onRows->addWidget(w);
    onRows->addSpacing(12);
    onRows->addWidget(signLabel);
    onRows->addWidget(signBox_);
    onRows->addWidget(editButton_);
    buildByHandButton();
    onRows->addWidget(removeByHandButton_);
    onRows->addStretch(1);
    auto* onSet = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{importButton_, exportButton_, wordsButton_})
        onSet->addWidget(w);
    onSet->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{versionsButton_, releaseButton_, sendButton_})
        onSet->addWidget(w);
    rows->addLayout(onRows);
    rows->addLayout(onSet);
    return rows;
}

// The commands on destinations, with the sign that Edit by hand and Send
// work on; returns the sign's label.
QLabel* DestinationsWindow::buildCommandButtons()
{
    addButton_ = button(tr("Add"), tr("A new destination"), this);
    removeButton_ = button(tr("Remove"), tr("Remove the selected destinations"), this);
    suggestButton_ = button(tr("Suggest Latin"),
                            tr("Fill an empty Latin name from the Georgian one, as a suggestion"), this);
    auto* signLabel = new QLabel(tr("Sign:"), this);
    signBox_ = new QComboBox(this);
    signBox_->setObjectName(QStringLiteral("Sign_Box"));
    nameComboBox(signBox_, tr("Sign for Edit by hand and Send"));
    signLabel->setBuddy(signBox_);
    editButton_ = button(tr("Edit by hand"),
                         tr("Open the selected destination's image for the sign in the editor"), this);
    importButton_ = button(tr("Import CSV..."), tr("Merge a route list into the set by code"), this);
    exportButton_ = button(tr("Export CSV..."), tr("Write the destinations as a route list"), this);
    releaseButton_ = button(tr("Release..."),
                            tr("Write every sign's images, proof sheets and release.txt to a folder"), this);
    versionsButton_ = button(tr("Versions..."),
                             tr("Compare the set's releases, restore one or write it again"), this);
    wordsButton_ = button(tr("Word lists..."),
                          tr("Edit the set's abbreviations, words kept in capitals and via separators"),
                          this);
    wordsButton_->setObjectName(QStringLiteral("Word_Lists_Button"));
    sendButton_ = button(tr("Send..."),
                         tr("Send the selected destinations' released images of the sign to the board"),
                         this);
    const std::pair<QPushButton*, const char*> named[] = {
        {addButton_, "Add_Button"},       {removeButton_, "Remove_Button"}, {suggestButton_, "Suggest_Button"},
        {editButton_, "Edit_Button"},     {importButton_, "Import_Button"}, {exportButton_, "Export_Button"},
        {releaseButton_, "Release_Button"}, {sendButton_, "Send_Button"}, {versionsButton_, "Versions_Button"}};
    for (const auto& [b, name] : named)
        b->setObjectName(QLatin1String(name));
    return signLabel;
}

void DestinationsWindow::buildByHandButton()
{
    removeByHandButton_ = button(tr("Remove the image made by hand"),
                                 tr("The sign shows the selected destination lettered from its texts again"), this);
    removeByHandButton_->setObjectName(QStringLiteral("Remove_By_Hand_Button"));
}

void DestinationsWindow::buildTable(QSplitter* split)
{
    table_ = new QTableView(split);
    table_->setObjectName(QStringLiteral("Destinations_Table"));
    table_->setAccessibleName(tr("Destinations"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setSortingEnabled(true);
    table_->setAlternatingRowColors(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    auto* delegate = new TypingDelegate(
        [this](const QModelIndex& at, const QString& text) {
            const QModelIndex source = session_ ? session_->sorted().mapToSource(at) : QModelIndex();
            if (source.isValid())
                showDraft(source.row(), source.column(), text);
        },
        table_);
    table_->setItemDelegate(delegate);
    // An edit given up leaves the signs as stored.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] { showSelected(); });
}

// Under the table: the selected destination, its history and its signs.
QWidget* DestinationsWindow::buildLower(QSplitter* split)
{
    auto* lower = new QWidget(split);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    summary_ = new QLabel(lower);
    summary_->setObjectName(QStringLiteral("Summary_Label"));
    lowerLayout->addWidget(summary_);
    // Who changed the selected destination, newest first.
    history_ = new QListWidget(lower);
    history_->setObjectName(QStringLiteral("History_List"));
    history_->setMaximumHeight(90);
    history_->setSelectionMode(QAbstractItemView::NoSelection);
    lowerLayout->addWidget(history_);
    auto* scroll = new QScrollArea(lower);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    previewBox_ = new QWidget;
    previewBox_->setObjectName(QStringLiteral("Preview_Box"));
    previewGrid_ = new QGridLayout(previewBox_);
    previewGrid_->setColumnStretch(1, 1);
    scroll->setWidget(previewBox_);
    lowerLayout->addWidget(scroll, 1);
    progress_ = new QProgressBar(lower);
    progress_->setObjectName(QStringLiteral("Release_Progress"));
    progress_->setAccessibleName(tr("Release progress"));
    progress_->hide();
    lowerLayout->addWidget(progress_);
    return lower;
}

void DestinationsWindow::connectControls()
{
    connect(openButton_, &QPushButton::clicked, this, &DestinationsWindow::Open_Click);
    connect(addButton_, &QPushButton::clicked, this, &DestinationsWindow::Add_Click);
    connect(removeButton_, &QPushButton::clicked, this, &DestinationsWindow::Remove_Click);
    connect(suggestButton_, &QPushButton::clicked, this, &DestinationsWindow::Suggest_Click);
    connect(editButton_, &QPushButton::clicked, this, &DestinationsWindow::Edit_By_Hand_Click);
    connect(removeByHandButton_, &QPushButton::clicked, this, &DestinationsWindow::Remove_By_Hand_Click);
    connect(signBox_, &QComboBox::currentIndexChanged, this, [this] { updateControls(); });
    connect(importButton_, &QPushButton::clicked, this, &DestinationsWindow::Import_Click);
    connect(exportButton_, &QPushButton::clicked, this, &DestinationsWindow::Export_Click);
    connect(releaseButton_, &QPushButton::clicked, this, &DestinationsWindow::Release_Click);
    connect(sendButton_, &QPushButton::clicked, this, &DestinationsWindow::Send_Click);
    connect(versionsButton_, &QPushButton::clicked, this, &DestinationsWindow::Versions_Click);
    connect(wordsButton_, &QPushButton::clicked, this, &DestinationsWindow::Word_Lists_Click);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (session_)
            session_->setFilterText(text);
    });
}

bool DestinationsWindow::openSet(const QString& path)
{
    if (!fonts_)
        fonts_ = std::make_shared<vexel::FontList>(vexel::FontList::installedPlaces());
    vexel::Expected<std::unique_ptr<DestinationsSession>> opened = DestinationsSession::open(path, *fonts_);
    if (!opened) {
        showFailure(opened.status());
        return false;
    }
    delete versionsWindow_; // it works on the set that closes now
    delete wordsDialog_;
    table_->setModel(nullptr);
    session_ = std::move(opened).value();
    lastPath_ = path;
    if (overrideLink_)
        overrideLink_->attach(session_.get());
    connect(session_.get(), &DestinationsSession::error, this,
            [this](const QString& message) { prompter_.error(message); });
    connect(session_.get(), &DestinationsSession::rowsRelettered, this, [this](int first, int last) {
        const int row = currentRow();
        // While a cell is typed into, the signs show the typing; closing
        // the editor shows the row as stored.
        if (row >= first && row <= last && !table_->indexWidget(table_->currentIndex()))
            showSelected();
        updateControls();
    });
    connect(session_.get(), &DestinationsSession::reloaded, this, [this] {
        showSelected();
        updateControls();
    });
    connect(session_.get(), &DestinationsSession::connectionChanged, this, [this] { showConnection(); });
    connect(session_.get(), &DestinationsSession::changedElsewhere, this, [this](const QStringList& codes) {
        liveLabel_->setText(tr("Changed elsewhere, read again at %1: %2")
                                .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                                     codes.join(QStringLiteral(", "))));
        liveLabel_->show();
    });
    session_->setFilterText(filter_->text());
    showSet();
    return true;
}

bool DestinationsWindow::reopenSet() { return !lastPath_.isEmpty() && openSet(lastPath_); }

void DestinationsWindow::clearPreviews()
{
    for (QLabel* l : previewLabels_)
        delete l;
    for (SignPlayer* p : players_)
        delete p;
    previewLabels_.clear();
    players_.clear();
}

void DestinationsWindow::closeSet()
{
    if (!session_)
        return;
    delete versionsWindow_;
    delete wordsDialog_;
    table_->setModel(nullptr);
    session_.reset();
    clearPreviews();
    signBox_->clear();
    history_->clear();
    shown_.clear();
    setLabel_->setText(tr("No set open"));
    setWindowTitle(tr("Destinations"));
    for (QLabel* notice : {readOnlyLabel_, connectionLabel_, liveLabel_})
        notice->hide();
    updateControls();
}

void DestinationsWindow::closeEvent(QCloseEvent* event)
{
    closeSet();
    QWidget::closeEvent(event);
}

bool DestinationsWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && session_)
        showFailure(session_->catchUp());
    return QWidget::event(event);
}

void DestinationsWindow::Open_Click()
{
    FileRequest request;
    if (session_ && !session_->set().onServer())
        request.directory = QFileInfo(session_->set().path()).absolutePath();
    request.filter = setFilter();
    request.defaultExtension = QStringLiteral("vxset");
    const QString chosen = prompter_.openSet(request);
    if (!chosen.isEmpty())
        openSet(chosen);
}

// Wide enough to show every column, the signs' fit among them, as far as
// the screen allows; never narrower than the user made it.
void DestinationsWindow::growToTable()
{
    const QMargins around = layout() ? layout()->contentsMargins() : QMargins();
    int wanted = around.left() + around.right() + table_->verticalHeader()->sizeHint().width() +
                 2 * table_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < table_->model()->columnCount(); ++c)
        wanted += table_->columnWidth(c);
    const QScreen* shown = screen();
    const int room = shown ? shown->availableGeometry().width() : wanted;
    if (wanted > width())
        resize(std::min(wanted, room), height());
}

void DestinationsWindow::showSet()
{
    table_->setModel(&session_->sorted());
    table_->sortByColumn(-1, Qt::AscendingOrder);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { showSelected(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateControls(); });
    table_->resizeColumnsToContents();
    for (int c = 0; c < table_->model()->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 220));
    // Findings come with edits after this: room for a count and a rule's name.
    table_->setColumnWidth(DestinationsModel::Legibility,
                           std::max(table_->columnWidth(DestinationsModel::Legibility), 150));
    growToTable();

    const QString name = QDir::toNativeSeparators(session_->set().path());
    setLabel_->setText(tr("Set: %1").arg(name));
    setWindowTitle(tr("Destinations - %1")
                       .arg(session_->set().onServer() ? session_->set().path() : QFileInfo(name).fileName()));
    readOnlyLabel_->setVisible(session_->readOnly());
    readOnlyLabel_->setText(tr("Read-only: %1").arg(session_->readOnlyReason()));
    liveLabel_->hide();
    showConnection();

    signBox_->clear();
    clearPreviews();
    int row = 0;
    for (const vexel::VehicleSign& sign : session_->signs()) {
        signBox_->addItem(sign.name);
        auto* label = new QLabel(previewBox_);
        label->setObjectName(QStringLiteral("Preview_Label_%1").arg(sign.name));
        label->setMinimumWidth(200);
        label->setWordWrap(true);
        auto* player = new SignPlayer(previewBox_);
        player->setObjectName(QStringLiteral("Preview_%1").arg(sign.name));
        player->view()->setAccessibleName(tr("%1 sign").arg(sign.name));
        previewGrid_->addWidget(label, row, 0, Qt::AlignTop);
        previewGrid_->addWidget(player, row, 1);
        previewLabels_.push_back(label);
        players_.push_back(player);
        ++row;
    }
    if (!session_->destinations().empty())
        selectRow(0);
    showSelected();
    updateControls();
}

void DestinationsWindow::showConnection()
{
    const QString problem = session_ ? session_->connectionProblem() : QString();
    connectionLabel_->setVisible(!problem.isEmpty());
    connectionLabel_->setText(
        tr("Not connected to the server: %1. The rows are as last read and may be out of date; "
           "the next action connects again.")
            .arg(problem));
    const QString title = windowTitle().remove(tr(" (not connected)"));
    setWindowTitle(problem.isEmpty() ? title : title + tr(" (not connected)"));
}

void DestinationsWindow::setStepTime(int ms)
{
    stepTime_ = ms;
    showSelected();
}

int DestinationsWindow::currentRow() const
{
    if (!session_ || !table_->selectionModel())
        return -1;
    const QModelIndex current = table_->selectionModel()->currentIndex();
    if (!current.isValid())
        return -1;
    return session_->sorted().mapToSource(current).row();
}

void DestinationsWindow::selectRow(int row)
{
    if (!session_ || row < 0)
        return;
    const QModelIndex at = session_->sorted().mapFromSource(session_->model().index(row, 0));
    if (!at.isValid())
        return;
    table_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(at);
}

int DestinationsWindow::currentSign() const { return signBox_->currentIndex(); }

QList<int> DestinationsWindow::selectedRows() const
{
    QList<int> rows;
    if (!session_ || !table_->selectionModel())
        return rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedRows())
        rows << session_->sorted().mapToSource(i).row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    return rows;
}

void DestinationsWindow::updateControls()
{
    const bool open = session_ != nullptr;
    const bool editable = open && !session_->readOnly();
    const bool chosen = open && currentRow() >= 0;
    // A greyed button says why: the set is open read-only, or nothing is chosen.
    const QString readOnly = open && !editable ? tr("The set is open read-only: %1").arg(session_->readOnlyReason())
                                               : QString();
    const QString choose = readOnly.isEmpty() && open ? tr("Choose a destination first") : readOnly;
    const QString lettered = readOnly.isEmpty() && chosen ? tr("This sign's image is lettered, not made by hand") : choose;
    enableWithReason(addButton_, editable, readOnly);
    enableWithReason(removeButton_, editable && chosen, choose);
    enableWithReason(suggestButton_, editable && chosen, choose);
    enableWithReason(editButton_, editable && chosen && signBox_->count() > 0, choose);
    enableWithReason(removeByHandButton_, editable && chosenByHand(), lettered);
    enableWithReason(importButton_, editable, readOnly);
    exportButton_->setEnabled(open);
    releaseButton_->setEnabled(open);
    versionsButton_->setEnabled(open);
    wordsButton_->setEnabled(open); // read-only sets show the lists with the reason
    sendButton_->setEnabled(chosen && signBox_->count() > 0);
    filter_->setEnabled(open);
    signBox_->setEnabled(open);
    if (!open) {
        summary_->setText(QString());
        return;
    }
    const int count = static_cast<int>(session_->destinations().size());
    const int unfit = session_->unfitCount();
    summary_->setText(unfit == 0 ? tr("%1 destinations, every one fits every sign").arg(count)
                                 : tr("%1 destinations, %2 with a sign they do not fit")
                                       .arg(count)
                                       .arg(unfit));
}

void DestinationsWindow::showSelected()
{
    const int row = currentRow();
    history_->clear();
    if (!session_ || row < 0) {
        showImages({});
        return;
    }
    const vexel::Expected<std::vector<vexel::HistoryEntry>> history = session_->history(row);
    if (!history)
        history_->addItem(history.error());
    else
        for (const vexel::HistoryEntry& e : *history)
            history_->addItem(QStringLiteral("%1  %2%3  %4")
                                  .arg(e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), e.station,
                                       e.user.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(e.user),
                                       vexel::shownHistoryWhat(e.what)));
    std::vector<vexel::SignImage> images;
    for (int s = 0; s < static_cast<int>(session_->signs().size()); ++s)
        images.push_back(session_->image(row, s));
    showImages(images, &session_->destinations()[static_cast<std::size_t>(row)]);
}

void DestinationsWindow::showDraft(int row, int column, const QString& text)
{
    if (!session_ || row < 0 || row >= static_cast<int>(session_->destinations().size()))
        return;
    vexel::Destination draft = session_->destinations()[static_cast<std::size_t>(row)];
    const QString trimmed = text.trimmed();
    switch (column) {
    case DestinationsModel::Route: draft.route = trimmed; break;
    case DestinationsModel::DestinationKa: draft.destinationKa = trimmed; break;
    case DestinationsModel::DestinationEn: draft.destinationEn = trimmed; break;
    case DestinationsModel::ViaKa: draft.viaKa = trimmed; break;
    case DestinationsModel::ViaEn: draft.viaEn = trimmed; break;
    case DestinationsModel::Service: draft.service = trimmed; break;
    default: return; // the code and the note letter nothing
    }
    showImages(session_->letterDraft(draft), &draft);
}

void DestinationsWindow::showImages(const std::vector<vexel::SignImage>& images, const vexel::Destination* shown)
{
    QStringList named;
    if (shown)
        for (const QString& part : {shown->code, shown->destinationKa, shown->destinationEn})
            if (!part.isEmpty())
                named << part;
    shown_ = images;
    if (!session_)
        return;
    for (std::size_t s = 0; s < players_.size(); ++s) {
        const vexel::VehicleSign& sign = session_->signs()[s];
        const vexel::SignImage* image = s < images.size() ? &images[s] : nullptr;
        QString status;
        if (image)
            status = vexel::shownFitStatus(
                DestinationsModel::statusText(image->fit.fits, image->byHand, image->stale, image->fit.status));
        previewLabels_[s]->setText(tr("<b>%1</b> %2×%3<br>%4")
                                       .arg(sign.name.toHtmlEscaped())
                                       .arg(sign.width)
                                       .arg(sign.height)
                                       .arg(status.toHtmlEscaped()));
        previewLabels_[s]->setStyleSheet(image && !image->fit.fits ? QStringLiteral("color: #b00000;") : QString());
        players_[s]->play(sign.width, sign.height, stepTime_, image && image->image ? &*image->image : nullptr,
                          shown ? tr("%1 on %2").arg(named.join(QLatin1Char(' ')), sign.name) : QString());
    }
}

void DestinationsWindow::showFailure(const vexel::Status& status)
{
    if (!status)
        prompter_.error(status.error());
}

void DestinationsWindow::Add_Click()
{
    if (!session_)
        return;
    const vexel::Expected<int> row = session_->add();
    if (!row) {
        showFailure(row.status());
        return;
    }
    filter_->clear();
    selectRow(*row);
    const QModelIndex code = session_->sorted().mapFromSource(session_->model().index(*row, DestinationsModel::Code));
    if (code.isValid() && isVisible())
        table_->edit(code);
}

void DestinationsWindow::Remove_Click()
{
    if (!session_)
        return;
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    QStringList codes;
    for (int row : rows)
        codes << session_->destinations()[static_cast<std::size_t>(row)].code;
    if (!prompter_.confirm(tr("Remove %1 from the set?").arg(codes.join(QStringLiteral(", ")))))
        return;
    for (const QString& code : codes) {
        const vexel::Status removed = session_->remove(session_->rowOf(code));
        if (!removed) {
            showFailure(removed);
            break;
        }
    }
    showSelected();
    updateControls();
}

void DestinationsWindow::Suggest_Click()
{
    if (!session_)
        return;
    int filled = 0;
    for (int row : selectedRows()) {
        const vexel::Expected<bool> changed = session_->suggestLatin(row);
        if (!changed) {
            showFailure(changed.status());
            return;
        }
        filled += *changed ? 1 : 0;
    }
    if (filled == 0)
        prompter_.inform(tr("Nothing to suggest: the Latin names are there, or there is no Georgian name"),
                         Prompter::InfoButton::Ok);
}

void DestinationsWindow::Edit_By_Hand_Click()
{
    const int row = currentRow();
    if (!session_ || row < 0 || currentSign() < 0)
        return;
    const vexel::Expected<QString> path = session_->writeOverrideFile(row, currentSign());
    if (!path) {
        showFailure(path.status());
        return;
    }
    const vexel::VehicleSign& sign = session_->signs()[static_cast<std::size_t>(currentSign())];
    emit openInEditor(*path, vexel::SignBoard{sign.name, sign.width, sign.height});
}

bool DestinationsWindow::chosenByHand() const
{
    const int row = currentRow();
    const int sign = currentSign();
    if (!session_ || row < 0 || sign < 0 || sign >= static_cast<int>(session_->signs().size()))
        return false;
    return session_->overrideOf(session_->destinations()[static_cast<std::size_t>(row)].code,
                                session_->signs()[static_cast<std::size_t>(sign)].name) != nullptr;
}

void DestinationsWindow::Remove_By_Hand_Click()
{
    if (!chosenByHand())
        return;
    const int row = currentRow();
    const QString code = session_->destinations()[static_cast<std::size_t>(row)].code;
    const QString sign = session_->signs()[static_cast<std::size_t>(currentSign())].name;
    if (!prompter_.confirm(tr("Remove the image of %1 made by hand for the %2 sign? The sign is lettered from the "
                              "destination's texts again.")
                               .arg(code, sign)))
        return;
    showFailure(session_->removeOverride(row, currentSign()));
    updateControls();
}

void DestinationsWindow::Import_Click()
{
    if (!session_)
        return;
    FileRequest request;
    request.directory = QFileInfo(session_->set().path()).absolutePath();
    request.filter = csvFilter();
    request.defaultExtension = QStringLiteral("csv");
    const QString chosen = prompter_.openFile(request);
    if (chosen.isEmpty())
        return;
    const vexel::Expected<vexel::SetCsv::Import> imported = session_->importCsv(chosen);
    if (!imported) {
        showFailure(imported.status());
        return;
    }
    const vexel::DestinationSet::MergeReport& m = imported->merged;
    QString report = tr("%1 added, %2 changed, %3 unchanged")
                         .arg(m.added.size())
                         .arg(m.changed.size())
                         .arg(m.unchanged.size());
    if (!imported->keptByHand.isEmpty())
        report += tr("\n\nKept as changed by hand since the last import: ") +
                  imported->keptByHand.join(QStringLiteral(", "));
    if (!imported->problems.isEmpty())
        report += tr("\n\nNot imported:\n") + imported->problems.join(QLatin1Char('\n'));
    prompter_.inform(report, Prompter::InfoButton::Ok);
}

void DestinationsWindow::Export_Click()
{
    if (!session_)
        return;
    FileRequest request;
    const QFileInfo set(session_->set().path());
    request.directory = set.absolutePath();
    request.proposedName = set.completeBaseName() + QStringLiteral(".csv");
    request.filter = csvFilter();
    request.defaultExtension = QStringLiteral("csv");
    const QString chosen = prompter_.saveFile(request);
    if (chosen.isEmpty())
        return;
    showFailure(session_->exportCsv(chosen));
}

void DestinationsWindow::Release_Click()
{
    if (!session_)
        return;
    const std::optional<ReleaseForm> form =
        prompter_.askRelease({session_->nextReleaseFolder(), QString(), QDate(), session_->releaseSheets()});
    if (!form || form->folder.isEmpty())
        return;
    const QString chosen = form->folder;
    vexel::ReleaseOptions options;
    options.note = form->note;
    options.validFrom = form->validFrom;
    options.sheets = form->sheets;

    progress_->setRange(0, 0);
    progress_->show();
    releaseButton_->setEnabled(false);
    const vexel::Expected<vexel::ReleaseReport> report =
        session_->release(chosen, options, [this](int done, int total) {
            progress_->setRange(0, total);
            progress_->setValue(done);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return true;
        });
    progress_->hide();
    updateControls();
    if (!report) {
        showFailure(report.status());
        return;
    }
    // A destination that does not fit stops the whole release.
    QString text = report->written.isEmpty() && !report->unfit.isEmpty()
                       ? tr("Nothing was released.")
                       : tr("%1\nin %2").arg(report->summary(), QDir::toNativeSeparators(chosen));
    if (!report->releaseText.isEmpty())
        text += tr("\nThe list: %1").arg(QDir::toNativeSeparators(report->releaseText));
    if (!report->unfit.isEmpty())
        text += tr("\n\nLeft out, they do not fit:\n") + shownUnfit(report->unfit).join(QLatin1Char('\n'));
    prompter_.inform(text, Prompter::InfoButton::Ok);
}

void DestinationsWindow::Versions_Click()
{
    if (!session_)
        return;
    if (!versionsWindow_) {
        auto* window = new VersionsWindow(session_->sharedSet(), prompter_, fonts_, this);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(QStringLiteral("Versions_Window"));
        // A restore changes the set under the table.
        connect(window, &VersionsWindow::setChanged, this, [this] {
            if (session_)
                showFailure(session_->reload());
        });
        versionsWindow_ = window;
    }
    versionsWindow_->show();
    versionsWindow_->raise();
}

vexel::Expected<QStringList> DestinationsWindow::filesToSend(int sign, const QStringList& codes) const
{
    // The released files, within what one DATA message carries.
    return session_->releasedFiles(session_->signs()[static_cast<std::size_t>(sign)].name, codes);
}

void DestinationsWindow::Send_Click()
{
    if (!session_ || currentSign() < 0)
        return;
    QStringList codes;
    for (int row : selectedRows())
        codes << session_->destinations()[static_cast<std::size_t>(row)].code;
    if (codes.isEmpty())
        return;
    const vexel::Expected<QStringList> files = filesToSend(currentSign(), codes);
    if (!files) {
        showFailure(files.status());
        return;
    }
    const vexel::VehicleSign& sign = session_->signs()[static_cast<std::size_t>(currentSign())];
    emit sendRequested(*files, sign.name, QSize(sign.width, sign.height));
}
