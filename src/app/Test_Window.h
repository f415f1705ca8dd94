#pragma once

#include <QWidget>

class QPlainTextEdit;

// The Test window: a log of the serial traffic of the last exchange.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* owner);

    void Clear_Log();
    void Append_Line(const QString& line);

    QPlainTextEdit* Memo2 = nullptr;
};
