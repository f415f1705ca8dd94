#include "app/GtfsImportDialog.h"

#include "app/Prompter.h"
#include "sets/OpenSets.h"
#include "store/ServerAddress.h"
#include "settings/AppSettings.h"
#include "widgets/AccessibleText.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>

using namespace vexel;

namespace {

enum Column { KindColumn, CodeColumn, FieldColumn, OldColumn, NewColumn, NoteColumn };

// The column of a held text's line, whose tick is its own.
constexpr int FieldRole = Qt::UserRole + 1;

// A destination's texts in one cell; a Latin name that is only a
// suggestion says so.
QString texts(const Destination& d)
{
    QStringList parts;
    for (const QString& t : {d.destinationKa, d.destinationEn})
        if (!t.isEmpty())
            parts << t;
    QString out = parts.join(QStringLiteral(" / "));
    if (!d.service.isEmpty())
        out = QStringLiteral("[%1] ").arg(d.service) + out;
    if (d.latinSuggested && !d.destinationEn.isEmpty())
        out += QCoreApplication::translate("GtfsImportDialog", " (Latin suggested)");
    QStringList via;
    for (const QString& t : {d.viaKa, d.viaEn})
        if (!t.isEmpty())
            via << t;
    if (!via.isEmpty())
        out += QCoreApplication::translate("GtfsImportDialog", ", via ") + via.join(QStringLiteral(" / "));
    return out;
}

// The basic route types of GTFS; extended ones show their number alone.
QString routeTypeName(int type)
{
    static const char* const names[] = {QT_TRANSLATE_NOOP("GtfsImportDialog", "tram"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "metro"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "rail"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "bus"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "ferry"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "cable tram"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "aerial lift"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "funicular"),
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "trolleybus"),
                                        QT_TRANSLATE_NOOP("GtfsImportDialog", "monorail")};
    if (type < 0 || type >= static_cast<int>(std::size(names)) || !names[type])
        return QString::number(type);
    return QStringLiteral("%1, %2").arg(type).arg(QCoreApplication::translate("GtfsImportDialog", names[type]));
}

// A server set's address as the field shows it: without its password.
QString shownSet(const QString& text)
{
    if (!ServerAddress::isServer(text.trimmed()))
        return text;
    const Expected<ServerAddress> a = ServerAddress::parse(text.trimmed(), ServerAddress::SetName::Required);
    if (!a)
        return AppSettings::withoutPassword(text);
    return a->password.isEmpty() ? text : a->shown();
}

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

GtfsImportDialog::GtfsImportDialog(Prompter& prompter, QWidget* parent, DestinationSet* set)
    : QDialog(parent), prompter_(prompter), givenSet_(set)
{
    setWindowTitle(tr("Import routes from GTFS"));
    resize(900, 600);

    auto* form = new QFormLayout;
    buildSourceRows(form);
    buildFilterRows(form);
    QHBoxLayout* compareRow = buildCompareRow();
    buildResults();
    QHBoxLayout* buttons = buildButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(compareRow);
    layout->addWidget(Changes, 1);
    layout->addWidget(Report);
    layout->addLayout(buttons);
    nameControls();

    if (givenSet_) {
        Set_Edit->setText(QDir::toNativeSeparators(givenSet_->path()));
        Set_Edit->setReadOnly(true);
        Set_Button->setEnabled(false);
    }
    connectControls();
    updateButtons();
}

// The set imported into and the feed read, each with its Choose button.
void GtfsImportDialog::buildSourceRows(QFormLayout* form)
{
    Set_Edit = new QLineEdit(this);
    Set_Edit->setAccessibleName(tr("Destination set"));
    Set_Button = button(tr("Choose..."), this);
    Set_Button->setAccessibleName(tr("Choose the destination set"));
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(Set_Edit);
    setRow->addWidget(Set_Button);
    form->addRow(tr("Set:"), setRow);

    Feed_Edit = new QLineEdit(this);
    Feed_Edit->setAccessibleName(tr("Transit feed"));
    Feed_Edit->setPlaceholderText(tr("a GTFS zip, or a folder of its files"));
    Feed_Button = button(tr("Choose..."), this);
    Feed_Button->setAccessibleName(tr("Choose the transit feed"));
    auto* feedRow = new QHBoxLayout;
    feedRow->addWidget(Feed_Edit);
    feedRow->addWidget(Feed_Button);
    form->addRow(tr("Feed:"), feedRow);
}

void GtfsImportDialog::buildFilterRows(QFormLayout* form)
{
    Suffix_Edit = new QLineEdit(QStringLiteral("R"), this);
    Suffix_Edit->setAccessibleName(tr("Return suffix"));
    Suffix_Edit->setMaxLength(20);
    form->addRow(tr("Return suffix:"), Suffix_Edit);
    Variant_Edit = new QLineEdit(this);
    Variant_Edit->setAccessibleName(tr("Suffix of other headsigns"));
    Variant_Edit->setPlaceholderText(tr("the set's rule (-%n in a new set: B41-2)"));
    Variant_Edit->setToolTip(tr("Follows the route's code in the codes of a direction's other headsigns, %n their "
                                "number from 2. Empty: the set's rule. Applied, it becomes the set's rule."));
    Variant_Edit->setMaxLength(SetWords::MaxSuffixLength);
    form->addRow(tr("Other headsigns' suffix:"), Variant_Edit);
    Type_Box = new QComboBox(this);
    nameComboBox(Type_Box, tr("Route type"));
    form->addRow(tr("Route type:"), Type_Box);
    Agency_Box = new QComboBox(this);
    nameComboBox(Agency_Box, tr("Agency"));
    form->addRow(tr("Agency:"), Agency_Box);
    Case_Box = new QComboBox(this);
    Case_Box->setAccessibleName(tr("Letter case of Latin texts"));
    Case_Box->addItem(tr("Title case for texts and words in capitals"), static_cast<int>(LetterCase::Auto));
    Case_Box->addItem(tr("Title case for every text in capitals"), static_cast<int>(LetterCase::Title));
    Case_Box->addItem(tr("Keep the feed's letter case"), static_cast<int>(LetterCase::Keep));
    form->addRow(tr("Letter case:"), Case_Box);
    fillFilters();
}

QHBoxLayout* GtfsImportDialog::buildCompareRow()
{
    Compare_Button = button(tr("Show difference"), this);
    Progress = new QProgressBar(this);
    Progress->setAccessibleName(tr("Reading the feed"));
    Progress->setRange(0, 1000);
    Progress->setValue(0);
    auto* compareRow = new QHBoxLayout;
    compareRow->addWidget(Compare_Button);
    compareRow->addWidget(Progress, 1);
    return compareRow;
}

void GtfsImportDialog::buildResults()
{
    Changes = new QTreeWidget(this);
    Changes->setAccessibleName(tr("Changes"));
    Changes->setHeaderLabels({tr("Change"), tr("Code"), tr("Text"),
                              tr("In the set"), tr("From the feed"), tr("Note")});
    Changes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Summary = new QLabel(this);
    Summary->setAccessibleName(tr("Summary"));
    Report = new QPlainTextEdit(this);
    Report->setReadOnly(true);
    Report->setAccessibleName(tr("Report"));
    Report->setMaximumHeight(110);
}

QHBoxLayout* GtfsImportDialog::buildButtons()
{
    Apply_Button = button(tr("Apply ticked"), this);
    Apply_Button->setToolTip(tr("Apply what is ticked as one change of the set"));
    Close_Button = button(tr("Close"), this);
    // Why Apply ticked is greyed out, beside it.
    Apply_Reason = new QLabel(this);
    Apply_Reason->setAccessibleName(tr("Why Apply ticked is not available"));
    Apply_Reason->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Summary, 1);
    buttons->addWidget(Apply_Reason, 1);
    buttons->addWidget(Apply_Button);
    buttons->addWidget(Close_Button);
    return buttons;
}

void GtfsImportDialog::nameControls()
{
    const std::pair<QWidget*, const char*> names[] = {
        {Set_Edit, "Set_Edit"},       {Set_Button, "Set_Button"},   {Feed_Edit, "Feed_Edit"},
        {Feed_Button, "Feed_Button"}, {Suffix_Edit, "Suffix_Edit"}, {Variant_Edit, "Variant_Edit"}, {Type_Box, "Type_Box"},
        {Agency_Box, "Agency_Box"},   {Case_Box, "Case_Box"},       {Compare_Button, "Compare_Button"}, {Progress, "Progress"},
        {Changes, "Changes"},         {Summary, "Summary"},         {Report, "Report"}, {Apply_Reason, "Apply_Reason"},
        {Apply_Button, "Apply_Button"}, {Close_Button, "Close_Button"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));
}

void GtfsImportDialog::connectControls()
{
    connect(Set_Button, &QPushButton::clicked, this, &GtfsImportDialog::chooseSet);
    connect(Feed_Button, &QPushButton::clicked, this, &GtfsImportDialog::chooseFeed);
    connect(Compare_Button, &QPushButton::clicked, this, [this] { showDifference(); });
    connect(Apply_Button, &QPushButton::clicked, this, [this] { applyTicked(); });
    connect(Close_Button, &QPushButton::clicked, this, &QDialog::reject);
    connect(Changes, &QTreeWidget::itemChanged, this, &GtfsImportDialog::rowTicked);
    connect(Set_Edit, &QLineEdit::textEdited, this, &GtfsImportDialog::setEdited);
    connect(Set_Edit, &QLineEdit::editingFinished, this, &GtfsImportDialog::setTyped);
    // Another set, feed or filter: the difference shown no longer holds.
    for (QLineEdit* edit : {Set_Edit, Feed_Edit, Suffix_Edit, Variant_Edit})
        connect(edit, &QLineEdit::textEdited, this, &GtfsImportDialog::updateButtons);
}

GtfsImportDialog::~GtfsImportDialog() = default;

void GtfsImportDialog::setSetPath(const QString& path)
{
    if (givenSet_)
        return;
    setAddress_ = path;
    Set_Edit->setText(shownSet(path));
    updateButtons();
}

// What is typed is what the set is opened with. The field keeps it until
// the typing is done, then shows it without a password; an edit that leaves
// that shown form as it was keeps the password.
void GtfsImportDialog::setEdited(const QString& text)
{
    if (!givenSet_ && text != shownSet(setAddress_))
        setAddress_ = text;
}

void GtfsImportDialog::setTyped()
{
    if (givenSet_)
        return;
    const QString shown = shownSet(setAddress_);
    if (Set_Edit->text() != shown)
        Set_Edit->setText(shown);
}

void GtfsImportDialog::setFeedPath(const QString& path)
{
    Feed_Edit->setText(path);
    updateButtons();
}

void GtfsImportDialog::chooseSet()
{
    FileRequest request;
    if (!ServerAddress::isServer(Set_Edit->text()))
        request.directory = QFileInfo(Set_Edit->text()).absolutePath();
    request.filter = tr("Destination sets|*.vxset");
    request.defaultExtension = QStringLiteral("vxset");
    const QString chosen = prompter_.openSet(request);
    if (!chosen.isEmpty())
        setSetPath(chosen);
}

void GtfsImportDialog::chooseFeed()
{
    // A folder feed is chosen by one of its files: routes.txt stands for it.
    FileRequest request;
    request.directory = QFileInfo(Feed_Edit->text()).absolutePath();
    request.filter = tr("GTFS feeds: a zip, or the routes.txt of a folder|*.zip;routes.txt");
    request.defaultExtension = QStringLiteral("zip");
    const QString chosen = prompter_.openFile(request);
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    setFeedPath(info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0 ? info.absolutePath() : chosen);
}

DestinationSet* GtfsImportDialog::openSet()
{
    if (givenSet_)
        return givenSet_;
    const QString path = setAddress_.trimmed();
    if (ownSet_ && OpenSets::key(ownSet_->path()) == OpenSets::key(path))
        return ownSet_.get();
    ownSet_.reset();
    comparedSet_ = nullptr;
    if (path.isEmpty()) {
        prompter_.error(tr("Choose the destination set to import into."));
        return nullptr;
    }
    auto opened = OpenSets::open(path, DestinationSet::Access::EditOrRead);
    if (!opened) {
        prompter_.error(opened.error());
        return nullptr;
    }
    ownSet_ = std::move(opened).value();
    return ownSet_.get();
}

GtfsOptions GtfsImportDialog::options() const
{
    GtfsOptions o;
    o.returnSuffix = Suffix_Edit->text().trimmed();
    o.variantSuffix = Variant_Edit->text().trimmed();
    const int type = Type_Box->currentData().toInt();
    if (type >= 0)
        o.routeTypes = {type};
    const QString agency = Agency_Box->currentData().toString();
    if (!agency.isEmpty())
        o.agencyIds = {agency};
    o.letterCase = static_cast<LetterCase>(Case_Box->currentData().toInt());
    return o;
}

// The filters offer what the last feed read holds, the choice kept.
void GtfsImportDialog::fillFilters()
{
    const QVariant type = Type_Box->currentData();
    const QVariant agency = Agency_Box->currentData();
    Type_Box->clear();
    Type_Box->addItem(tr("Every route type"), -1);
    Agency_Box->clear();
    Agency_Box->addItem(tr("Every agency"), QString());
    if (session_.hasFeed()) {
        for (const auto& [routeType, count] : session_.feed().routeTypes)
            Type_Box->addItem(QStringLiteral("%1 (%2 %3)")
                                  .arg(routeTypeName(routeType))
                                  .arg(count)
                                  .arg(count == 1 ? tr("route") : tr("routes")),
                              routeType);
        for (const QString& a : session_.feed().agencies)
            Agency_Box->addItem(a, a);
    }
    if (type.isValid())
        Type_Box->setCurrentIndex(std::max(0, Type_Box->findData(type)));
    if (agency.isValid())
        Agency_Box->setCurrentIndex(std::max(0, Agency_Box->findData(agency)));
}

Status GtfsImportDialog::showDifference()
{
    DestinationSet* set = openSet();
    if (!set)
        return Status::failure("no set");
    const QString feed = Feed_Edit->text().trimmed();
    if (feed.isEmpty()) {
        prompter_.error(tr("Choose the transit feed: a GTFS zip, or a folder of its files."));
        return Status::failure("no feed");
    }
    GtfsOptions o = options();
    o.progress = [this](qint64 done, qint64 total) {
        Progress->setValue(total > 0 ? static_cast<int>(std::min<qint64>(done, total) * 1000 / total) : 0);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
    Progress->setValue(0);
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status read = session_.read(*set, feed, o);
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    if (!read) {
        Progress->setValue(0);
        prompter_.error(read.error());
        return read;
    }
    comparedSet_ = set;
    QStringList report = session_.feed().report;
    if (const QString untouched = session_.untouched(); !untouched.isEmpty())
        report << untouched;
    Report->setPlainText(report.join(QLatin1Char('\n')));
    fillFilters();
    fillRows();
    return read;
}

namespace {

// One line per text that differs, old and new side by side; a held text
// has a tick of its own.
void fillTexts(QTreeWidgetItem* item, const GtfsImportSession::Row& r)
{
    for (const TextChange& t : r.texts) {
        auto* line = new QTreeWidgetItem(item);
        line->setText(FieldColumn, t.field);
        line->setText(OldColumn, t.before);
        line->setText(NewColumn, t.field == QLatin1String("destination_en") && t.suggested
                                     ? t.after + QCoreApplication::translate("GtfsImportDialog", " (suggested)")
                                     : t.after);
        line->setText(NoteColumn, t.note);
        line->setToolTip(NoteColumn, t.note);
        if (!t.held)
            continue;
        line->setData(KindColumn, FieldRole, t.field);
        line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
        line->setCheckState(KindColumn, r.heldTaken.contains(t.field) ? Qt::Checked : Qt::Unchecked);
        line->setText(KindColumn, QCoreApplication::translate("GtfsImportDialog", "Held"));
        line->setToolTip(KindColumn, QCoreApplication::translate("GtfsImportDialog",
                                                                 "Tick to take the feed's text over the set's"));
    }
    const auto count = r.texts.size();
    item->setText(FieldColumn, QStringLiteral("%1 %2").arg(count).arg(
                                   count == 1 ? QCoreApplication::translate("GtfsImportDialog", "text")
                                              : QCoreApplication::translate("GtfsImportDialog", "texts")));
    item->setExpanded(true);
}

QString notesOf(const GtfsImportSession::Row& r)
{
    QStringList out;
    for (const auto& [field, note] : r.notes)
        out << QStringLiteral("%1: %2").arg(field, note);
    return out.join(QStringLiteral("; "));
}

} // namespace

void GtfsImportDialog::fillRows()
{
    filling_ = true;
    Changes->clear();
    const auto& rows = session_.rows();
    int counts[3] = {0, 0, 0};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const GtfsImportSession::Row& r = rows[i];
        auto* item = new QTreeWidgetItem(Changes);
        item->setData(KindColumn, Qt::UserRole, static_cast<int>(i));
        if (r.hasOwnTick()) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(KindColumn, r.ticked ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        }
        item->setText(CodeColumn, r.code);
        ++counts[static_cast<int>(r.kind)];
        switch (r.kind) {
        case GtfsImportSession::Kind::Added:
            item->setText(KindColumn, tr("Added"));
            item->setText(NewColumn, texts(r.after));
            item->setText(NoteColumn, notesOf(r));
            item->setToolTip(NoteColumn, notesOf(r));
            break;
        case GtfsImportSession::Kind::Removed:
            item->setText(KindColumn, tr("Removed"));
            item->setText(OldColumn, texts(r.before));
            item->setToolTip(KindColumn, tr("The feed no longer has it; untick to keep it"));
            break;
        case GtfsImportSession::Kind::Changed:
            item->setText(KindColumn, tr("Changed"));
            fillTexts(item, r);
            break;
        }
    }
    setReadableText(Summary, rows.empty() ? tr("The set already has what the feed says.")
                                          : tr("%1 added, %2 changed, %3 removed")
                                                .arg(counts[0])
                                                .arg(counts[1])
                                                .arg(counts[2]));
    filling_ = false;
    updateButtons();
}

void GtfsImportDialog::rowTicked(QTreeWidgetItem* item, int column)
{
    if (filling_ || column != KindColumn)
        return;
    const bool on = item->checkState(KindColumn) == Qt::Checked;
    if (!item->parent()) {
        session_.setTicked(static_cast<std::size_t>(item->data(KindColumn, Qt::UserRole).toInt()), on);
    } else if (item->data(KindColumn, FieldRole).isValid()) {
        session_.setHeldTaken(static_cast<std::size_t>(item->parent()->data(KindColumn, Qt::UserRole).toInt()),
                              item->data(KindColumn, FieldRole).toString(), on);
    }
    updateButtons();
}

QString GtfsImportDialog::applyBlocked() const
{
    const DestinationSet* set = givenSet_ ? givenSet_ : ownSet_.get();
    if (set && set->readOnly())
        return tr("The set is open read-only: %1")
            .arg(set->readOnlyReason().isEmpty() ? tr("it was opened for reading only") : set->readOnlyReason());
    if (!session_.hasFeed())
        return tr("Show the difference first.");
    if (session_.rows().empty())
        return tr("Nothing to apply: the set already has what the feed says.");
    if (session_.tickedCount() == 0)
        return tr("Nothing is ticked.");
    return {};
}

void GtfsImportDialog::updateButtons()
{
    const QString why = applyBlocked();
    enableWithReason(Apply_Button, why.isEmpty(), why);
    setReadableText(Apply_Reason, why);
    Compare_Button->setEnabled(!Feed_Edit->text().trimmed().isEmpty() && !Set_Edit->text().trimmed().isEmpty());
}

Status GtfsImportDialog::applyTicked()
{
    DestinationSet* set = openSet();
    if (!set || !session_.hasFeed())
        return Status::failure("nothing to apply");
    if (set != comparedSet_) {
        prompter_.error(tr("Another set is chosen now; show its difference first."));
        return Status::failure("another set");
    }
    if (set->readOnly()) {
        prompter_.error(tr("The set is open read-only: %1").arg(set->readOnlyReason()));
        return Status::failure("read-only");
    }
    const Expected<DestinationSet::MergeReport> done = session_.apply(*set);
    if (!done) {
        prompter_.error(tr("The import was not applied; the set is as it was.\n%1")
                            .arg(done.error()));
        return done.status();
    }
    fillRows();
    emit applied();
    prompter_.inform(tr("Imported into the set: %1 added, %2 changed, %3 removed.")
                         .arg(done->added.size())
                         .arg(done->changed.size())
                         .arg(done->removed.size()),
                     Prompter::InfoButton::Ok);
    return Status::success();
}
