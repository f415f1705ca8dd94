#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box; each "About" command makes and destroys its own.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // `settingsPath`: where this copy keeps its settings, shown under the panel.
    explicit TAboutBox(QWidget* owner, const QString& settingsPath = QString());

    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* ProgramIcon = nullptr;
    QPushButton* OKButton = nullptr;
};
