#pragma once

#include <QWidget>

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* owner);
};
