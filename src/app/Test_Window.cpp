#include "app/Test_Window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm3::TForm3(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Test"));
    Memo2 = new QPlainTextEdit(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo2);
}

void TForm3::Clear_Log() { Memo2->clear(); }

void TForm3::Append_Line(const QString& line) { Memo2->appendPlainText(line); }
