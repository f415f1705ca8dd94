#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box; each "About" command makes and destroys its own.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner);

    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* ProgramIcon = nullptr;
    QPushButton* OKButton = nullptr;
};
