#include "app/WordListsDialog.h"

#include "sets/AbbreviationCsv.h"
#include "store/WordTable.h"
#include "session/DestinationsSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace vexel;

namespace {

// The file choosers' filter: a shown name, then the pattern.
QString csvFilter() { return QCoreApplication::translate("WordListsDialog", "Abbreviations|*.csv"); }
// The separator as stored, kept while its cell is not edited.
constexpr int StoredRole = Qt::UserRole + 1;

QPushButton* button(const QString& caption, const QString& accessible, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setAccessibleName(accessible);
    return b;
}

QString cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

void addRow(QTableWidget* table, const QStringList& texts)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < texts.size(); ++c)
        table->setItem(row, c, new QTableWidgetItem(texts[c]));
}

} // namespace

// What each tab of the dialog shows.
struct WordListsDialog::ListShape {
    const char* tab;
    const char* object;
    QStringList headers;
    const char* about;
};

WordListsDialog::WordListsDialog(DestinationsSession& session, Prompter& prompter, QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter), readOnly_(session.readOnly())
{
    setWindowTitle(tr("Word lists"));
    resize(560, 460);

    Read_Only_Label = new QLabel(this);
    Read_Only_Label->setObjectName(QStringLiteral("Read_Only_Label"));
    Read_Only_Label->setWordWrap(true);
    Read_Only_Label->setText(tr("Read-only: %1").arg(session.readOnlyReason()));
    Read_Only_Label->setVisible(readOnly_);

    buildTabs();
    QHBoxLayout* buttons = buildButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Read_Only_Label);
    layout->addWidget(Lists_Tabs, 1);
    layout->addLayout(buttons);
    enableControls();
    connectControls();
    const Expected<SetWords> words = session.words();
    if (words) {
        fill(*words);
        shown_ = this->words();
    } else
        prompter_.error(words.error());
}

void WordListsDialog::buildTabs()
{
    const ListShape shapes[] = {
        {QT_TR_NOOP("Latin abbreviations"), "Latin_Table", {tr("Word"), tr("Short form")},
         QT_TR_NOOP("Used only where a Latin text would not fit otherwise, longest words first.")},
        {QT_TR_NOOP("Georgian abbreviations"), "Georgian_Table", {tr("Word"), tr("Short form")},
         QT_TR_NOOP("Used only where a Georgian text would not fit otherwise, longest words first.")},
        {QT_TR_NOOP("Kept in capitals"), "Capitals_Table", {tr("Word")},
         QT_TR_NOOP("Words a Latin text in capitals keeps in capitals when it is put in title case (SBS, JFK).")},
        {QT_TR_NOOP("Via separators"), "Separators_Table", {tr("Separator")},
         QT_TR_NOOP("An imported headsign \"X via Y\" is split at these into the destination and its via, in any "
                    "letter case. A separator typed here is matched with a space each side.")},
        {QT_TR_NOOP("Service words"), "Service_Table", {tr("Words")},
         QT_TR_NOOP("Words at the start of an imported headsign that say what kind of service runs it (Select Bus, "
                    "Limited, +). They are split off into the destination's service, in any letter case.")},
        {QT_TR_NOOP("Kept together"), "Keep_Table", {tr("Phrase")},
         QT_TR_NOOP("Phrases a line or page break of the lettering must not split (Penn Station). An import adds "
                    "the feed's two-word stop names its headsigns name.")},
    };
    Lists_Tabs = new QTabWidget(this);
    Lists_Tabs->setObjectName(QStringLiteral("Lists_Tabs"));
    Lists_Tabs->setAccessibleName(tr("Word lists"));
    for (int i = 0; i < ListCount; ++i)
        buildPage(i, shapes[i]);
    // Every list's name stays in sight: the dialog grows to the tabs' width
    // rather than hiding the last ones behind scroll buttons.
    Lists_Tabs->tabBar()->setUsesScrollButtons(false);
    Lists_Tabs->tabBar()->setElideMode(Qt::ElideNone);
}

// One list's tab: what it is for, its table, and its Add and Remove buttons;
// the separators' tab then has the via words.
QWidget* WordListsDialog::buildPage(int i, const ListShape& s)
{
    auto* page = new QWidget(Lists_Tabs);
    auto* layout = new QVBoxLayout(page);
    auto* about = new QLabel(tr(s.about), page);
    about->setWordWrap(true);
    layout->addWidget(about);
    auto* table = new QTableWidget(0, static_cast<int>(s.headers.size()), page);
    table->setObjectName(QLatin1String(s.object));
    const QString tab = tr(s.tab);
    table->setAccessibleName(tab);
    table->setHorizontalHeaderLabels(s.headers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    if (readOnly_)
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(table, 1);
    const QString what = tab.toLower();
    addButtons_[i] = button(tr("Add"), tr("Add to the %1").arg(what), page);
    removeButtons_[i] = button(tr("Remove"), tr("Remove the selected %1").arg(what), page);
    auto* row = new QHBoxLayout;
    row->addWidget(addButtons_[i]);
    row->addWidget(removeButtons_[i]);
    row->addStretch(1);
    layout->addLayout(row);
    // The via words are no entries of the list: they sit under its buttons.
    if (i == SeparatorsList)
        layout->addLayout(buildViaWords(page));
    Lists_Tabs->addTab(page, tab);
    tables_[static_cast<std::size_t>(i)] = table;
    const List list = static_cast<List>(i);
    connect(addButtons_[i], &QPushButton::clicked, this, [this, list] { Add_Click(list); });
    connect(removeButtons_[i], &QPushButton::clicked, this, [this, list] { Remove_Click(list); });
    return page;
}

// The words a via frame starts with, one per script, under the separators
// and their buttons.
QFormLayout* WordListsDialog::buildViaWords(QWidget* page)
{
    auto* form = new QFormLayout;
    Via_Latin_Edit = new QLineEdit(page);
    Via_Latin_Edit->setObjectName(QStringLiteral("Via_Latin_Edit"));
    Via_Latin_Edit->setToolTip(tr("The word a via frame of Latin text starts with: \"via W Frms Rd\""));
    Via_Georgian_Edit = new QLineEdit(page);
    Via_Georgian_Edit->setObjectName(QStringLiteral("Via_Georgian_Edit"));
    Via_Georgian_Edit->setToolTip(tr("The word a via frame of Georgian text starts with"));
    for (QLineEdit* edit : {Via_Latin_Edit, Via_Georgian_Edit}) {
        edit->setMaxLength(SetWords::MaxWordLength);
        edit->setReadOnly(readOnly_);
    }
    Via_Latin_Edit->setAccessibleName(tr("Via word, Latin"));
    Via_Georgian_Edit->setAccessibleName(tr("Via word, Georgian"));
    form->addRow(tr("Via word, Latin:"), Via_Latin_Edit);
    form->addRow(tr("Via word, Georgian:"), Via_Georgian_Edit);
    return form;
}

QHBoxLayout* WordListsDialog::buildButtons()
{
    Import_Button =
        button(tr("Import abbreviations..."), tr("Import the abbreviations from CSV"), this);
    Export_Button = button(tr("Export abbreviations..."), tr("Export the abbreviations as CSV"), this);
    Save_Button = button(tr("Save"), tr("Save the word lists to the set"), this);
    Cancel_Button = button(tr("Cancel"), tr("Close without saving"), this);
    const std::pair<QPushButton*, const char*> named[] = {{Import_Button, "Import_Button"},
                                                          {Export_Button, "Export_Button"},
                                                          {Save_Button, "Save_Button"},
                                                          {Cancel_Button, "Cancel_Button"}};
    for (const auto& [b, name] : named)
        b->setObjectName(QLatin1String(name));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Import_Button);
    buttons->addWidget(Export_Button);
    buttons->addStretch(1);
    buttons->addWidget(Save_Button);
    buttons->addWidget(Cancel_Button);
    return buttons;
}

void WordListsDialog::enableControls()
{
    for (QPushButton* b : addButtons_)
        b->setEnabled(!readOnly_);
    for (QPushButton* b : removeButtons_)
        b->setEnabled(!readOnly_);
    for (QPushButton* b : {Import_Button, Save_Button}) {
        b->setEnabled(!readOnly_);
        if (readOnly_)
            b->setToolTip(session_.readOnlyReason());
    }
}

void WordListsDialog::connectControls()
{
    connect(Import_Button, &QPushButton::clicked, this, &WordListsDialog::Import_Click);
    connect(Export_Button, &QPushButton::clicked, this, &WordListsDialog::Export_Click);
    connect(Save_Button, &QPushButton::clicked, this, [this] {
        if (Save_Click())
            accept();
    });
    connect(Cancel_Button, &QPushButton::clicked, this, &QDialog::reject);
}

void WordListsDialog::fillAbbreviations(const std::vector<SetWords::Abbreviation>& abbreviations)
{
    for (QTableWidget* t : {tables_[LatinList], tables_[GeorgianList]})
        t->setRowCount(0);
    for (const SetWords::Abbreviation& a : abbreviations)
        addRow(tables_[a.script == QLatin1String("ka") ? GeorgianList : LatinList], {a.word, a.shortForm});
}

void WordListsDialog::fill(const SetWords& words)
{
    fillAbbreviations(words.abbreviations);
    tables_[CapitalsList]->setRowCount(0);
    for (const QString& w : words.upperWords)
        addRow(tables_[CapitalsList], {w});
    QTableWidget* separators = tables_[SeparatorsList];
    separators->setRowCount(0);
    for (const QString& s : words.viaSeparators) {
        addRow(separators, {s.trimmed()});
        separators->item(separators->rowCount() - 1, 0)->setData(StoredRole, s);
    }
    Via_Latin_Edit->setText(words.viaWordLatin);
    Via_Georgian_Edit->setText(words.viaWordGeorgian);
    for (const auto& [list, entries] : {std::pair{ServiceList, &words.serviceWords}, {KeepList, &words.keepTogether}}) {
        tables_[list]->setRowCount(0);
        for (const QString& w : *entries)
            addRow(tables_[list], {w});
    }
}

SetWords WordListsDialog::words() const
{
    SetWords out;
    out.viaSeparators.clear();
    out.upperWords.clear();
    out.serviceWords.clear();
    out.keepTogether.clear();
    out.viaWordLatin = Via_Latin_Edit->text().trimmed();
    out.viaWordGeorgian = Via_Georgian_Edit->text().trimmed();
    for (const auto& [list, script] : {std::pair{LatinList, "en"}, {GeorgianList, "ka"}}) {
        const QTableWidget* t = tables_[list];
        for (int r = 0; r < t->rowCount(); ++r) {
            const QString word = cell(t, r, 0);
            const QString shortForm = cell(t, r, 1);
            if (!word.isEmpty() || !shortForm.isEmpty())
                out.abbreviations.push_back({QLatin1String(script), word, shortForm});
        }
    }
    for (const auto& [list, entries] :
         {std::pair{CapitalsList, &out.upperWords}, {ServiceList, &out.serviceWords}, {KeepList, &out.keepTogether}})
        for (int r = 0; r < tables_[list]->rowCount(); ++r) {
            const QString word = cell(tables_[list], r, 0);
            if (!word.isEmpty())
                *entries << word;
        }
    const QTableWidget* separators = tables_[SeparatorsList];
    for (int r = 0; r < separators->rowCount(); ++r) {
        const QString text = cell(separators, r, 0);
        if (text.isEmpty())
            continue;
        const QString stored = separators->item(r, 0)->data(StoredRole).toString();
        // A separator stands between words: " via ", unless stored otherwise.
        out.viaSeparators << (stored.trimmed() == text ? stored : SetWords::separatorFor(text));
    }
    return out;
}

void WordListsDialog::Add_Click(List list)
{
    if (readOnly_)
        return;
    QTableWidget* t = tables_[list];
    addRow(t, QStringList(t->columnCount(), QString()));
    t->setCurrentCell(t->rowCount() - 1, 0);
    t->editItem(t->item(t->rowCount() - 1, 0));
}

void WordListsDialog::Remove_Click(List list)
{
    if (readOnly_)
        return;
    QTableWidget* t = tables_[list];
    QList<int> rows;
    for (const QModelIndex& i : t->selectionModel()->selectedRows())
        rows << i.row();
    if (rows.isEmpty() && t->currentRow() >= 0)
        rows << t->currentRow();
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int r : rows)
        t->removeRow(r);
}

void WordListsDialog::Import_Click()
{
    if (readOnly_)
        return;
    FileRequest request;
    request.directory = QFileInfo(session_.set().path()).absolutePath();
    request.filter = csvFilter();
    request.defaultExtension = QStringLiteral("csv");
    const QString path = prompter_.openFile(request);
    if (path.isEmpty())
        return;
    const Expected<std::vector<SetWords::Abbreviation>> read = AbbreviationCsv::read(path);
    if (!read) {
        prompter_.error(read.error());
        return;
    }
    // They replace the abbreviations shown; Save keeps them.
    fillAbbreviations(*read);
}

void WordListsDialog::Export_Click()
{
    FileRequest request;
    request.directory = QFileInfo(session_.set().path()).absolutePath();
    request.proposedName = QFileInfo(session_.set().path()).completeBaseName() + QStringLiteral("-abbreviations.csv");
    request.filter = csvFilter();
    request.defaultExtension = QStringLiteral("csv");
    const QString path = prompter_.saveFile(request);
    if (path.isEmpty())
        return;
    const Status written = AbbreviationCsv::write(path, words().abbreviations);
    if (!written)
        prompter_.error(written.error());
}

Status WordListsDialog::Save_Click()
{
    if (readOnly_)
        return Status::failure(session_.readOnlyReason());
    const SetWords lists = words();
    const QString fault = WordTable::check(lists);
    const Status done = fault.isEmpty() ? session_.setWords(shown_, lists) : Status::failure(fault);
    if (!done) {
        prompter_.error(tr("The word lists are not saved: %1").arg(done.error()));
        return done;
    }
    shown_ = lists;
    emit saved();
    return done;
}
