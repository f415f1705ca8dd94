#pragma once

#include <QDialog>

class QFrame;
class QHBoxLayout;
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

private:
    QFrame* buildPanel();
    QLabel* buildSettingsLabel(const QString& settingsPath);
    QHBoxLayout* buildButtons();
    void Fit_Texts(const QWidget* panel);
    static QFont smallFont(const QLabel* label);
};
