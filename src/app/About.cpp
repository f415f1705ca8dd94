#include "app/About.h"

#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A small route sign: a dark board with a lit arrow of LEDs.
QPixmap signPicture()
{
    QPixmap pixmap(97, 65);
    pixmap.fill(QColor(0x20, 0x20, 0x20));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    static const char* const Arrow[] = {
        "......#.....", ".......#....", "........#...", "#########.#.",
        "........#...", ".......#....", "......#.....",
    };
    const int cell = 7;
    const int left = (97 - 12 * cell) / 2;
    const int top = (65 - 7 * cell) / 2;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 12; ++c) {
            painter.setBrush(Arrow[r][c] == '#' ? QColor(0xFF, 0x30, 0x10) : QColor(0x40, 0x18, 0x10));
            painter.drawEllipse(left + c * cell + 1, top + r * cell + 1, cell - 2, cell - 2);
        }
    return pixmap;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner, const QString& settingsPath)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("About"));
    setFixedSize(358, 209);

    QFrame* bevel = buildPanel();
    QLabel* settingsLabel = buildSettingsLabel(settingsPath);
    QHBoxLayout* buttons = buildButtons();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(bevel, 1);
    layout->addWidget(settingsLabel);
    layout->addLayout(buttons);
    Fit_Texts(bevel);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

QFrame* TAboutBox::buildPanel()
{
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);

    ProgramIcon = new QLabel(bevel);
    ProgramIcon->setFixedSize(97, 65);
    ProgramIcon->setPixmap(signPicture());
    ProgramIcon->setAccessibleName(tr("Program picture"));

    ProductName = new QLabel(QStringLiteral("Vexel Image"), bevel);
    QFont title = ProductName->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    ProductName->setFont(title);
    Version = new QLabel(tr("Version %1").arg(QStringLiteral(VEXEL_VERSION)), bevel);
    Version->setFont(smallFont(Version));
    auto* maker1 = new QLabel(tr("Editor for LED route signs"), bevel);
    auto* maker2 = new QLabel(tr("Made by the Vexel Image team"), bevel);
    auto* maker3 = new QLabel(tr("Free to use for any sign you build"), bevel);

    auto* text = new QVBoxLayout;
    text->setSpacing(1);
    text->addWidget(ProductName);
    text->addWidget(Version);
    text->addSpacing(6);
    text->addWidget(maker1);
    text->addWidget(maker2);
    text->addWidget(maker3);
    text->addStretch(1);

    auto* inside = new QHBoxLayout(bevel);
    inside->setContentsMargins(8, 8, 8, 8);
    inside->addWidget(ProgramIcon, 0, Qt::AlignTop);
    inside->addSpacing(8);
    inside->addLayout(text, 1);
    return bevel;
}

// The box keeps its size unless its texts need more, as a longer language's
// do; the settings path wraps within the width the rest needs.
void TAboutBox::Fit_Texts(const QWidget* panel)
{
    const QMargins margins = layout()->contentsMargins();
    const int width = std::max(this->width(), panel->sizeHint().width() + margins.left() + margins.right());
    const int height = std::max(this->height(), hasHeightForWidth() ? heightForWidth(width) : sizeHint().height());
    setFixedSize(width, height);
}

QFont TAboutBox::smallFont(const QLabel* label)
{
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    return small;
}

// Where this copy keeps its settings: beside the program or in the user's
// configuration folder.
QLabel* TAboutBox::buildSettingsLabel(const QString& settingsPath)
{
    auto* settingsLabel = new QLabel(tr("Settings: ") + QDir::toNativeSeparators(settingsPath), this);
    settingsLabel->setObjectName(QStringLiteral("SettingsPath"));
    settingsLabel->setWordWrap(true);
    settingsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    settingsLabel->setFont(smallFont(settingsLabel));
    settingsLabel->setVisible(!settingsPath.isEmpty());
    return settingsLabel;
}

QHBoxLayout* TAboutBox::buildButtons()
{
    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    return buttons;
}
