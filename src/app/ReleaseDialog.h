#pragma once

#include "app/Prompter.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

// "Release": the folder a set's release is written to (typed, made when it
// does not exist, or chosen with Browse...), the note kept with the version,
// the day the release counts from and the proof sheets' format (PNG pages
// or one PDF per sign). It hands back a ReleaseForm.
class ReleaseDialog : public QDialog {
    Q_OBJECT
public:
    ReleaseDialog(const ReleaseForm& proposed, Prompter& prompter, QWidget* parent = nullptr);

    ReleaseForm form() const;

    void Browse_Click();

    QLineEdit* Edit_Folder = nullptr;
    QPushButton* Button_Browse = nullptr;
    QLineEdit* Edit_Note = nullptr;
    QDateEdit* Date_Valid_From = nullptr;
    QComboBox* Box_Sheets = nullptr;
    QDialogButtonBox* Buttons = nullptr;

private:
    void Folder_Changed();

    Prompter& prompter_;
};
