#pragma once

#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner);
};
