#include "app/ReleaseDialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The lowest day of the field stands for "at once".
const QDate AtOnce(2000, 1, 1);

// The nearest folder of `path` that exists, for the folder dialog to start in.
QString existingFolderOf(const QString& path)
{
    QFileInfo at(QDir::cleanPath(path));
    while (!at.isDir() && !at.isRoot() && at.absolutePath() != at.absoluteFilePath())
        at = QFileInfo(at.absolutePath());
    return at.isDir() ? at.absoluteFilePath() : QDir::homePath();
}

} // namespace

ReleaseDialog::ReleaseDialog(const ReleaseForm& proposed, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter)
{
    setWindowTitle(tr("Release"));
    setObjectName(QStringLiteral("Release_Dialog"));
    Edit_Folder = new QLineEdit(QDir::toNativeSeparators(proposed.folder), this);
    Edit_Folder->setAccessibleName(tr("Release folder"));
    Edit_Folder->setToolTip(tr("Made when it does not exist; the set remembers it for its next release"));
    Edit_Folder->setMinimumWidth(420);
    Button_Browse = new QPushButton(tr("Browse..."), this);
    Button_Browse->setAutoDefault(false);
    Edit_Note = new QLineEdit(proposed.note, this);
    Edit_Note->setAccessibleName(tr("Note"));
    Edit_Note->setPlaceholderText(tr("Kept with the version, e.g. winter timetable"));
    Date_Valid_From = new QDateEdit(proposed.validFrom.isValid() ? proposed.validFrom : AtOnce, this);
    Date_Valid_From->setMinimumDate(AtOnce);
    Date_Valid_From->setSpecialValueText(tr("Valid at once"));
    Date_Valid_From->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    Date_Valid_From->setCalendarPopup(true);
    Date_Valid_From->setAccessibleName(tr("Valid from"));
    Date_Valid_From->setToolTip(tr("The day the release counts from for the fleet; before it, the release before counts"));
    Box_Sheets = new QComboBox(this);
    Box_Sheets->addItem(tr("PNG pictures"), static_cast<int>(vexel::SheetFormat::Png));
    Box_Sheets->addItem(tr("One PDF per sign"), static_cast<int>(vexel::SheetFormat::Pdf));
    Box_Sheets->setCurrentIndex(Box_Sheets->findData(static_cast<int>(proposed.sheets)));
    Box_Sheets->setAccessibleName(tr("Proof sheets"));
    Box_Sheets->setToolTip(tr("Each sign's proof sheet as PNG pictures of a page each, or as one PDF with a page each"));
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setText(tr("Release"));

    auto* folder = new QHBoxLayout;
    folder->addWidget(Edit_Folder, 1);
    folder->addWidget(Button_Browse);
    auto* fields = new QFormLayout;
    fields->addRow(tr("Folder:"), folder);
    fields->addRow(tr("Note:"), Edit_Note);
    fields->addRow(tr("Valid from:"), Date_Valid_From);
    fields->addRow(tr("Proof sheets:"), Box_Sheets);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Buttons);

    connect(Button_Browse, &QPushButton::clicked, this, &ReleaseDialog::Browse_Click);
    connect(Edit_Folder, &QLineEdit::textChanged, this, &ReleaseDialog::Folder_Changed);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Folder_Changed();
}

ReleaseForm ReleaseDialog::form() const
{
    ReleaseForm out;
    out.folder = QDir::fromNativeSeparators(Edit_Folder->text().trimmed());
    out.note = Edit_Note->text().trimmed();
    if (Date_Valid_From->date() != AtOnce)
        out.validFrom = Date_Valid_From->date();
    out.sheets = static_cast<vexel::SheetFormat>(Box_Sheets->currentData().toInt());
    return out;
}

void ReleaseDialog::Browse_Click()
{
    FileRequest request;
    request.directory = existingFolderOf(form().folder);
    request.filter = tr("Folders|*");
    request.defaultExtension.clear();
    const QString chosen = prompter_.chooseFolder(request);
    if (!chosen.isEmpty())
        Edit_Folder->setText(QDir::toNativeSeparators(chosen));
}

// Nothing to release into without a folder.
void ReleaseDialog::Folder_Changed()
{
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(!Edit_Folder->text().trimmed().isEmpty());
}
