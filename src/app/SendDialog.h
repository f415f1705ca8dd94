#pragma once

#include "app/Prompter.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;

// "Send": the bus a sign's released files go to (typed, or one of the bus
// list) and the port they go out on, before the check before Send. It
// hands back a SendForm.
class SendDialog : public QDialog {
    Q_OBJECT
public:
    explicit SendDialog(const SendQuestion& question, QWidget* parent = nullptr);

    SendForm form() const;

    QLabel* Label_What = nullptr;
    QComboBox* Combo_Bus = nullptr;
    QComboBox* Combo_Port = nullptr;
    QDialogButtonBox* Buttons = nullptr;
};
