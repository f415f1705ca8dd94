#pragma once

#include <QDialog>

class TForm1;

// The Settings dialog: its controls are the working copy of the settings.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(TForm1* main);

private:
    TForm1* main_;
};
