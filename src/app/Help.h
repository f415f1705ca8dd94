#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The Help window: the mouse gestures of the editor, in Georgian. Created
// once; "Ok" and the close box only hide it.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* owner);

    void TntButton1Click(); // Ok

    QPushButton* TntButton1 = nullptr;
    QLabel* Attention_Label = nullptr;
};
