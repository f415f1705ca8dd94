#include "app/Test_Window.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm3::TForm3(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(tr("Test"));
    resize(412, 394);
    Memo2 = new QPlainTextEdit(this);
    Memo2->setAccessibleName(tr("Serial log"));
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    Memo2->setFont(font);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Hexadecimal lines have no spaces; they wrap at the window's edge.
    Memo2->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo2);
}

void TForm3::Clear_Log() { Memo2->clear(); }

void TForm3::Append_Line(const QString& line) { Memo2->appendPlainText(line); }
