#include "app/SendDialog.h"

#include "settings/AppSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SendDialog::SendDialog(const SendQuestion& question, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Send"));
    setObjectName(QStringLiteral("Send_Dialog"));
    Label_What = new QLabel(question.files == 1
                                ? tr("1 released file of the %1 sign goes to:").arg(question.sign)
                                : tr("%1 released files of the %2 sign go to:").arg(question.files).arg(question.sign),
                            this);
    Combo_Bus = new QComboBox(this);
    Combo_Bus->setEditable(true);
    Combo_Bus->setInsertPolicy(QComboBox::NoInsert);
    Combo_Bus->addItems(question.buses);
    Combo_Bus->setCurrentText(question.bus);
    Combo_Bus->lineEdit()->setMaxLength(vexel::AppSettings::MaxBusNumberLength);
    Combo_Bus->lineEdit()->setPlaceholderText(tr("The bus number, for the journal"));
    Combo_Bus->setAccessibleName(tr("Bus number"));
    Combo_Bus->setMinimumWidth(280);
    Combo_Port = new QComboBox(this);
    Combo_Port->setEditable(true);
    Combo_Port->setInsertPolicy(QComboBox::NoInsert);
    Combo_Port->addItems(question.ports);
    Combo_Port->setCurrentText(question.port);
    Combo_Port->setAccessibleName(tr("Port"));
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setText(tr("Send"));

    auto* fields = new QFormLayout;
    fields->addRow(tr("Bus:"), Combo_Bus);
    fields->addRow(tr("Port:"), Combo_Port);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_What);
    layout->addLayout(fields);
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The bus is what the operator has to say; the port is usually right.
    Combo_Bus->setFocus();
}

SendForm SendDialog::form() const { return {Combo_Bus->currentText().trimmed(), Combo_Port->currentText().trimmed()}; }
