#include "app/VersionsWindow.h"

#include "app/Prompter.h"
#include "sets/DestinationSet.h"
#include "lettering/FontList.h"
#include "preview/SignRenderer.h"
#include "fleet/ReleaseNote.h"
#include "widgets/AccessibleText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace vexel;

namespace {

constexpr int Zoom = 2;
constexpr int Gap = 12;

QString setName(const DestinationSet& set) { return QFileInfo(set.path()).completeBaseName(); }

} // namespace

VersionsWindow::VersionsWindow(const QString& setPath, Prompter& prompter, std::shared_ptr<FontList> fonts,
                               QWidget* parent)
    : QWidget(parent), prompter_(prompter), fonts_(std::move(fonts))
{
    auto opened = VersionsSession::open(setPath);
    if (opened)
        session_ = std::move(opened).value();
    else
        openError_ = opened.error();
    build();
}

VersionsWindow::VersionsWindow(std::shared_ptr<DestinationSet> set, Prompter& prompter, std::shared_ptr<FontList> fonts,
                               QWidget* parent)
    : QWidget(parent), prompter_(prompter), fonts_(std::move(fonts)),
      session_(std::make_unique<VersionsSession>(std::move(set)))
{
    build();
}

VersionsWindow::~VersionsWindow() = default;

void VersionsWindow::build()
{
    setWindowTitle(session_ ? tr("Versions of %1").arg(setName(session_->set()))
                            : tr("Versions"));
    resize(980, 620);

    QPushButton* close = buildControls();
    layOut(close);
    connectControls(close);
    reload();
}

QPushButton* VersionsWindow::buildControls()
{
    list_ = new QListWidget;
    list_->setAccessibleName(tr("Versions"));
    from_ = new QComboBox;
    nameComboBox(from_, tr("Compare from version"));
    to_ = new QComboBox;
    nameComboBox(to_, tr("Compare with version"));
    allFrames_ = new QCheckBox(tr("All frames"));
    summary_ = new QLabel;
    summary_->setAccessibleName(tr("Comparison"));
    changes_ = new QTableWidget;
    changes_->setAccessibleName(tr("Changed destinations"));
    changes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    changes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    changes_->verticalHeader()->hide();
    proof_ = new QPushButton(tr("Proof sheet…"));
    restore_ = new QPushButton(tr("Restore"));
    release_ = new QPushButton(tr("Release again…"));
    return new QPushButton(tr("Close"));
}

void VersionsWindow::layOut(QPushButton* close)
{
    auto* pair = new QHBoxLayout;
    pair->addWidget(new QLabel(tr("Compare")));
    pair->addWidget(from_);
    pair->addWidget(new QLabel(tr("with")));
    pair->addWidget(to_);
    pair->addWidget(allFrames_);
    pair->addStretch();
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(pair);
    rightLayout->addWidget(summary_);
    rightLayout->addWidget(changes_, 1);
    auto* split = new QSplitter;
    split->addWidget(list_);
    split->addWidget(right);
    split->setStretchFactor(1, 3);
    // The drawings need the width; the list needs little.
    split->setSizes({170, 830});
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(proof_);
    buttons->addStretch();
    buttons->addWidget(restore_);
    buttons->addWidget(release_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
}

void VersionsWindow::connectControls(QPushButton* close)
{
    connect(from_, &QComboBox::activated, this, [this] { compare(); });
    connect(to_, &QComboBox::activated, this, [this] { compare(); });
    connect(allFrames_, &QCheckBox::toggled, this, [this] { compare(); });
    // A version chosen in the list is compared with the latest: what
    // restoring it would bring back. Restore and Release again act on it.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= int(versions_.size()))
            return;
        const int from = versions_[std::size_t(row)].number;
        if (from != chosen(from_))
            choose(from, versions_.back().number);
    });
    connect(proof_, &QPushButton::clicked, this, &VersionsWindow::proofSheet);
    connect(restore_, &QPushButton::clicked, this, &VersionsWindow::restore);
    connect(release_, &QPushButton::clicked, this, &VersionsWindow::releaseAgain);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

int VersionsWindow::chosen(QComboBox* box) const { return box->currentData().toInt(); }

void VersionsWindow::reload()
{
    const int from = chosen(from_);
    const int to = chosen(to_);
    versions_.clear();
    list_->clear();
    from_->clear();
    to_->clear();
    if (!session_) {
        setReadableText(summary_, openError_);
    } else if (const auto read = session_->versions(); !read) {
        setReadableText(summary_, read.error());
    } else {
        versions_ = *read;
        for (const SetVersion& v : versions_) {
            list_->addItem(VersionsSession::describe(v));
            from_->addItem(QString::number(v.number), v.number);
            to_->addItem(QString::number(v.number), v.number);
        }
    }
    const bool any = !versions_.empty();
    const bool writable = session_ && !session_->set().readOnly();
    restore_->setEnabled(any && writable);
    release_->setEnabled(any);
    if (!any) {
        if (session_)
            setReadableText(summary_, tr("The set keeps no versions yet: each release adds one."));
        changes_->clear();
        changes_->setRowCount(0);
        proof_->setEnabled(false);
        return;
    }
    const int last = versions_.back().number;
    const int before = versions_.size() > 1 ? versions_[versions_.size() - 2].number : last;
    auto has = [&](int n) { return from_->findData(n) >= 0; };
    choose(has(from) ? from : before, has(to) ? to : last);
}

void VersionsWindow::choose(int from, int to)
{
    from_->setCurrentIndex(from_->findData(from));
    to_->setCurrentIndex(to_->findData(to));
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(from_->currentIndex());
    }
    restore_->setText(tr("Restore"));
    restore_->setToolTip(session_ && session_->set().readOnly()
                             ? session_->set().readOnlyReason()
                             : tr("Bring back version %1's texts and hand-made images").arg(from));
    release_->setToolTip(tr("Write version %1's files again as they were").arg(from));
    compare();
}

void VersionsWindow::setAllFrames(bool all) { allFrames_->setChecked(all); }

QPixmap VersionsWindow::drawPair(const SignImageChange& change, int only) const
{
    SignRenderer renderer;
    SignStyle style = renderer.style();
    style.zoom = Zoom;
    renderer.setStyle(style);
    const bool all = allFrames_->isChecked();
    // Each side a column of its frames; a missing side stays blank.
    std::vector<QImage> sides[2];
    int width = Gap;
    int height = 0;
    for (int side = 0; side < 2; ++side) {
        const std::optional<ImageRecord>& image = side == 0 ? change.before : change.after;
        int w = 0;
        int h = 0;
        if (image)
            for (const LedBitmap& bits : VersionsSession::frames(*image, all, only)) {
                sides[side].push_back(renderer.render(bits));
                w = std::max(w, sides[side].back().width());
                h += sides[side].back().height() + (h > 0 ? 2 : 0);
            }
        width += std::max(w, 24);
        height = std::max(height, h);
    }
    QPixmap pixmap(width, std::max(height, 16));
    pixmap.fill(palette().color(QPalette::Base));
    QPainter painter(&pixmap);
    int x = 0;
    for (int side = 0; side < 2; ++side) {
        int y = 0;
        int w = 24;
        for (const QImage& frame : sides[side]) {
            painter.drawImage(x, y, frame);
            y += frame.height() + 2;
            w = std::max(w, frame.width());
        }
        if (sides[side].empty())
            painter.drawText(QRect(x, 0, w, pixmap.height()), Qt::AlignCenter, QStringLiteral("—"));
        x += w;
        if (side == 0)
            painter.drawText(QRect(x, 0, Gap, pixmap.height()), Qt::AlignCenter, QStringLiteral("|"));
        x += Gap;
    }
    return pixmap;
}

void VersionsWindow::compare()
{
    changes_->clear();
    changes_->setRowCount(0);
    diff_ = VersionDiff{};
    proof_->setEnabled(false);
    const int from = chosen(from_);
    const int to = chosen(to_);
    if (!session_ || from < 1 || to < 1)
        return;
    const Expected<VersionDiff> diff = session_->compare(from, to);
    if (!diff) {
        setReadableText(summary_, diff.error());
        return;
    }
    diff_ = *diff;

    const QStringList signs = changedSigns();
    QStringList headers{tr("Code"), tr("Change"), tr("Destination")};
    for (const QString& sign : signs)
        headers << QStringLiteral("%1 (%2 | %3)").arg(sign).arg(from).arg(to);
    changes_->setColumnCount(headers.size());
    changes_->setHorizontalHeaderLabels(headers);
    changes_->setRowCount(int(diff_.changes.size()));
    for (int row = 0; row < int(diff_.changes.size()); ++row)
        showChange(row, signs, from, to);
    changes_->resizeColumnsToContents();
    changes_->resizeRowsToContents();
    const QString words = diff_.isEmpty()
                              ? tr("Versions %1 and %2 are the same.").arg(from).arg(to)
                              : tr("From version %1 to %2: %3 added, %4 changed, %5 removed.")
                                    .arg(from)
                                    .arg(to)
                                    .arg(diff_.count(VersionChange::Kind::Added))
                                    .arg(diff_.count(VersionChange::Kind::Changed))
                                    .arg(diff_.count(VersionChange::Kind::Removed));
    setReadableText(summary_, words);
    proof_->setEnabled(!signs.isEmpty());
}

// A column for each sign any change drew, in the order they come.
QStringList VersionsWindow::changedSigns() const
{
    QStringList signs;
    for (const VersionChange& c : diff_.changes)
        for (const SignImageChange& s : c.images)
            if (!signs.contains(s.sign, Qt::CaseInsensitive))
                signs << s.sign;
    return signs;
}

void VersionsWindow::showChange(int row, const QStringList& signs, int from, int to)
{
    const VersionChange& c = diff_.changes[std::size_t(row)];
    const Destination& d = c.after ? *c.after : *c.before;
    changes_->setItem(row, 0, new QTableWidgetItem(c.code));
    changes_->setItem(row, 1, new QTableWidgetItem(VersionsSession::describe(c)));
    QStringList texts;
    for (const TextChange& t : c.texts)
        texts << QStringLiteral("%1: %2 → %3").arg(t.field, t.before, t.after);
    auto* text = new QTableWidgetItem(texts.isEmpty()
                                          ? QStringList{d.destinationKa, d.destinationEn}.join(QStringLiteral(" / "))
                                          : texts.join(QLatin1Char('\n')));
    changes_->setItem(row, 2, text);
    for (const SignImageChange& s : c.images) {
        const int column = 3 + int(signs.indexOf(s.sign));
        const QString name = tr("%1 on %2, version %3 and %4").arg(c.code, s.sign).arg(from).arg(to);
        // Without all frames, one frame a side: the first that tells them apart.
        const int frame = allFrames_->isChecked() ? 0 : VersionsSession::firstDifferingFrame(s);
        const QString shows =
            allFrames_->isChecked() ? tr("every frame") : tr("frame %1").arg(frame + 1);
        auto* label = new QLabel;
        label->setPixmap(drawPair(s, frame));
        label->setAccessibleName(name);
        label->setAccessibleDescription(shows);
        changes_->setCellWidget(row, column, label);
        // Assistive tools read the table's cells, not the widgets on them.
        auto* cell = new QTableWidgetItem;
        cell->setData(Qt::AccessibleTextRole, name);
        cell->setData(Qt::AccessibleDescriptionRole, shows);
        changes_->setItem(row, column, cell);
    }
}

void VersionsWindow::proofSheet()
{
    if (!session_ || diff_.isEmpty())
        return;
    FileRequest request;
    request.directory = QFileInfo(session_->set().path()).absolutePath();
    request.proposedName =
        QStringLiteral("%1-changes-%2-%3.png").arg(setName(session_->set())).arg(diff_.from).arg(diff_.to);
    request.filter = tr("PNG picture|*.png");
    request.defaultExtension = QStringLiteral("png");
    const QString path = prompter_.saveFile(request);
    if (path.isEmpty())
        return;
    const Expected<QStringList> written = session_->writeProofSheets(diff_, path);
    if (!written) {
        prompter_.error(tr("Cannot write the proof sheet: %1").arg(written.error()));
        return;
    }
    QStringList names;
    for (const QString& file : *written)
        names << QDir::toNativeSeparators(file);
    prompter_.inform(tr("Proof sheet written:\n%1").arg(names.join(QLatin1Char('\n'))),
                     Prompter::InfoButton::Ok);
}

void VersionsWindow::restore()
{
    const int number = chosen(from_);
    if (!session_ || number < 1)
        return;
    if (!prompter_.confirm(tr("Restore the texts and hand-made images of version %1? Destinations "
                              "version %1 did not have stay in the set, out of use; every version "
                              "is kept.")
                               .arg(number)))
        return;
    const Status done = session_->restore(number);
    if (!done) {
        prompter_.error(done.error());
        return;
    }
    emit setChanged();
    prompter_.inform(tr("Version %1 restored. Release the set to make it a new version.").arg(number),
                     Prompter::InfoButton::Ok);
}

void VersionsWindow::releaseAgain()
{
    const int number = chosen(from_);
    if (!session_ || number < 1)
        return;
    FileRequest request;
    request.directory = QFileInfo(session_->set().path()).absolutePath();
    request.proposedName = QLatin1String(vexel::ReleaseNote::FileName);
    request.filter = tr("Release|release.txt");
    request.defaultExtension = QStringLiteral("txt");
    const QString chosenPath = prompter_.saveFile(request);
    if (chosenPath.isEmpty())
        return;
    if (!fonts_)
        fonts_ = std::make_shared<FontList>(FontList::installedPlaces());
    const QString folder = QFileInfo(chosenPath).absolutePath();
    const Expected<ReleaseReport> report = session_->releaseAgain(number, *fonts_, folder);
    if (!report) {
        prompter_.error(tr("Cannot release version %1 again: %2")
                            .arg(number)
                            .arg(report.error()));
        return;
    }
    prompter_.inform(tr("Version %1 written again to %2: %3 files.")
                         .arg(number)
                         .arg(QDir::toNativeSeparators(folder))
                         .arg(report->written.size()),
                     Prompter::InfoButton::Ok);
}
