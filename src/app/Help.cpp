#include "app/Help.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont georgian(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Georgian"), QStringLiteral("Sylfaen")});
    font.setPixelSize(16);
    font.setBold(bold);
    return font;
}

struct Row {
    const char* gesture;
    const char* meaning; // UTF-8
};

constexpr Row Rows[] = {
    {QT_TRANSLATE_NOOP("TForm4", "Alt+Mouse Left"), "- ავანთოთ წერტილი"},
    {QT_TRANSLATE_NOOP("TForm4", "Alt+Mouse Right"), "- ჩავაქროთ წერტილი"},
    {QT_TRANSLATE_NOOP("TForm4", "Ctrl+Alt+Mouse Left"), "- მოვნიშნოთ მართკუთხა არე და შევავსოთ ანთებული წერტილებით"},
    {QT_TRANSLATE_NOOP("TForm4", "Ctrl+Alt+Mouse Right"), "- მოვნიშნოთ მართკუთხა არე და შევავსოთ ჩამქვრალი წერტილებით"},
    {QT_TRANSLATE_NOOP("TForm4", "Shift+Mouse Left"),
     "- მოვნიშნოთ მართკუთხა არე რომელიც შემდგომ შეგვიძლია გამოვიყენოთ Copy/Paste ოპერაციისათვის ან ახალი "
     "Frame-ს შესაქმნელად"},
    {QT_TRANSLATE_NOOP("TForm4", "Mouse Left"), "- კურსორის პოზიცია (მკრთალად მოციმციმე წერტილი)  - გამოიყენება Paste ოპერაციაში"},
};

constexpr const char* Attention =
    "ყურადღება!!!     წერტილებზე ზემოქმედება (ანთება/ჩაქრობა) და კურსორის პოზიციის განსაზღვრა შესაძლებელია მხოლოდ "
    "მიმდინარე (აქტიური) კადრის ფარგლებში.";

} // namespace

TForm4::TForm4(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(tr("Help"));
    resize(624, 416);

    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(12);
    rows->setVerticalSpacing(8);
    int row = 0;
    for (const Row& r : Rows) {
        auto* gesture = new QLabel(tr(r.gesture), this);
        auto* meaning = new QLabel(QString::fromUtf8(r.meaning), this);
        meaning->setFont(georgian(false));
        meaning->setWordWrap(true);
        rows->addWidget(gesture, row, 0, Qt::AlignLeft | Qt::AlignTop);
        rows->addWidget(meaning, row, 1, Qt::AlignTop);
        ++row;
    }
    rows->setColumnStretch(1, 1);

    Attention_Label = new QLabel(QString::fromUtf8(Attention), this);
    Attention_Label->setFont(georgian(true));
    Attention_Label->setWordWrap(true);

    TntButton1 = new QPushButton(tr("Ok"), this);
    TntButton1->setDefault(true);
    connect(TntButton1, &QPushButton::clicked, this, &TForm4::TntButton1Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(TntButton1);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addSpacing(8);
    layout->addWidget(Attention_Label);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void TForm4::TntButton1Click() { hide(); }
