#include "app/QtPrompter.h"

#include "app/ReleaseDialog.h"
#include "app/SendDialog.h"
#include "store/ServerAddress.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// "Vexel Image|*.img" -> "Vexel Image (*.img)"
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    return out.join(QStringLiteral(";;"));
}

QString title() { return QApplication::applicationDisplayName(); }

// The server sets opened in this run, as they may be shown: never with a
// password.
QStringList& recentServerSets()
{
    static QStringList recent;
    return recent;
}

// Runs a file dialog set up for opening or saving, from the proposed
// name; the file chosen, or empty when cancelled.
QString askForFile(QFileDialog& dialog, const FileRequest& request)
{
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

bool QtPrompter::confirm(const QString& text)
{
    return QMessageBox::question(parent_, title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void QtPrompter::inform(const QString& text, InfoButton button)
{
    QMessageBox::information(parent_, title(), text, button == InfoButton::Yes ? QMessageBox::Yes : QMessageBox::Ok);
}

void QtPrompter::error(const QString& text) { QMessageBox::critical(parent_, title(), text); }

bool QtPrompter::decide(const QString& heading, const QString& report, const QString& go, const QString& stop)
{
    QMessageBox box(QMessageBox::Warning, title(), heading, QMessageBox::NoButton, parent_);
    box.setInformativeText(report);
    QPushButton* goButton = box.addButton(go, QMessageBox::AcceptRole);
    QPushButton* stopButton = box.addButton(stop, QMessageBox::RejectRole);
    box.setDefaultButton(stopButton);
    box.setEscapeButton(stopButton);
    box.exec();
    return box.clickedButton() == goButton;
}

QString QtPrompter::openFile(const FileRequest& request)
{
    QFileDialog dialog(parent_, QString(), request.directory, qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return askForFile(dialog, request);
}

QString QtPrompter::saveFile(const FileRequest& request)
{
    QFileDialog dialog(parent_, QString(), request.directory, qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return askForFile(dialog, request);
}

QString QtPrompter::chooseFolder(const FileRequest& request)
{
    QFileDialog dialog(parent_, QString(), request.directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // The dialog takes only a folder that exists: a name not made yet
    // would be refused with "Directory not found".
    if (!request.proposedName.isEmpty() && QDir(request.directory).exists(request.proposedName))
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<ReleaseForm> QtPrompter::askRelease(const ReleaseForm& proposed)
{
    ReleaseDialog dialog(proposed, *this, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.form();
}

std::optional<SendForm> QtPrompter::askSend(const SendQuestion& question)
{
    SendDialog dialog(question, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.form();
}

QString QtPrompter::openSet(const FileRequest& request)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(tr("Open set"));
    dialog.setObjectName(QStringLiteral("Open_Set_Dialog"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* help = new QLabel(tr("A set file, or a set on a server:\n"
                               "postgresql://user@host/database?set=NAME"),
                            &dialog);
    layout->addWidget(help);
    auto* address = new QComboBox(&dialog);
    address->setObjectName(QStringLiteral("Set_Address"));
    address->setEditable(true);
    address->setInsertPolicy(QComboBox::NoInsert);
    address->addItems(recentServerSets());
    address->setCurrentText(QString());
    address->lineEdit()->setPlaceholderText(tr("postgresql://user@host/database?set=NAME"));
    address->setMinimumWidth(480);
    layout->addWidget(address);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton* file = buttons->addButton(tr("File..."), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    QString chosen;
    QObject::connect(file, &QPushButton::clicked, &dialog, [&] {
        chosen = openFile(request);
        if (!chosen.isEmpty())
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        chosen = address->currentText().trimmed();
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (vexel::ServerAddress::isServer(chosen)) {
        const auto parsed = vexel::ServerAddress::parse(chosen, vexel::ServerAddress::SetName::Required);
        if (parsed) {
            recentServerSets().removeAll(parsed->shown());
            recentServerSets().prepend(parsed->shown());
        }
    }
    return chosen;
}
