#pragma once

#include <QWidget>

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* owner);
};
