#include "app/Settings.h"

#include "app/ColorBox.h"
#include "app/Prompter.h"
#include "store/ServerAddress.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "transfer/PortList.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSysInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int MaxBoardWidth = vexel::AppSettings::MaxBoardWidth;
constexpr int MaxBoardHeight = vexel::AppSettings::MaxBoardHeight;

QSpinBox* spinBox(int minimum, int maximum, int value, const QString& name, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    box->setAccessibleName(name);
    return box;
}

QFrame* panel(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

} // namespace

TForm2::TForm2(vexel::AppSettings& settings, vexel::SettingsStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store), prompter_(prompter),
      ports_(vexel::PortList::systemPorts())
{
    setWindowTitle(tr("Settings"));
    Create_Controls();
    Connect_Controls();
    Follow_Settings();
    Follow_Sign_Board();
    resize(529, 209);
}

void TForm2::Create_Controls()
{
    QWidget* left = buildPortPanel();
    QWidget* middle = buildColourPanel();
    QWidget* right = buildBoardPanel();
    QWidget* journal = buildJournalPanel();
    Button1 = new QPushButton(tr("Close"), this);
    // Enter in a field must not close the dialog.
    Button1->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(left, 4);
    top->addWidget(middle, 3);
    top->addWidget(right, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(buildLanguageRow());
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top, 1);
    layout->addWidget(journal);
    layout->addLayout(bottom);
    fitBoxes();
}

QWidget* TForm2::buildPortPanel()
{
    auto* left = panel(this);
    auto* port = new QGridLayout(left);
    ComboBox1 = new QComboBox(left);
    ComboBox1->setEditable(true);
    // The names a Windows PC has, and the ports this one reports, each with what it is.
    ComboBox1->addItems(ports_.choices());
    ComboBox1->setCurrentText(QStringLiteral("COM1"));
    ComboBox1->setAccessibleName(tr("Port"));
    ComboBox2 = new QComboBox(left);
    ComboBox2->setEditable(true);
    ComboBox2->addItems({QStringLiteral("600"), QStringLiteral("1200"), QStringLiteral("1800"), QStringLiteral("2400"),
                         QStringLiteral("4800"), QStringLiteral("7200"), QStringLiteral("9600"), QStringLiteral("14400"),
                         QStringLiteral("19200"), QStringLiteral("28800"), QStringLiteral("38400"),
                         QStringLiteral("57600"), QStringLiteral("115200"), QStringLiteral("128000")});
    ComboBox2->setCurrentText(QStringLiteral("19200"));
    ComboBox2->setAccessibleName(tr("Baud rate"));
    constexpr int Min = std::numeric_limits<int>::min();
    constexpr int Max = std::numeric_limits<int>::max();
    SpinEdit4 = spinBox(Min, Max, 1000, tr("Timeout Msec"), left);
    SpinEdit1 = spinBox(Min, Max, 500, tr("Flash delay"), left);
    Label1 = new QLabel(tr("Port"), left);
    Label2 = new QLabel(tr("Baud rate"), left);
    Label3 = new QLabel(tr("Timeout Msec"), left);
    Label4 = new QLabel(tr("Flash delay"), left);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {Label1, ComboBox1}, {Label2, ComboBox2}, {Label3, SpinEdit4}, {Label4, SpinEdit1}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        label->setBuddy(field);
        port->addWidget(label, row, 0);
        port->addWidget(field, row, 1);
        ++row;
    }
    port->setRowStretch(row, 1);
    return left;
}

QWidget* TForm2::buildColourPanel()
{
    auto* middle = panel(this);
    auto* colours = new QVBoxLayout(middle);
    colours->setSpacing(2);
    ColorBox2 = new ColorBox(middle);
    ColorBox2->setSelectedColor(0x000000);
    ColorBox2->setAccessibleName(tr("ForeGround Color"));
    ColorBox1 = new ColorBox(middle);
    ColorBox1->setSelectedColor(0xFFFFFF);
    ColorBox1->setAccessibleName(tr("BackGround Color"));
    ColorBox3 = new ColorBox(middle);
    ColorBox3->setSelectedColor(0xC0C0C0);
    ColorBox3->setAccessibleName(tr("Grid Color"));
    Label5 = new QLabel(tr("ForeGround Color"), middle);
    Label6 = new QLabel(tr("BackGround Color"), middle);
    Label7 = new QLabel(tr("Grid Color"), middle);
    const std::pair<QLabel*, ColorBox*> boxes[] = {{Label5, ColorBox2}, {Label6, ColorBox1}, {Label7, ColorBox3}};
    for (const auto& [label, box] : boxes) {
        label->setBuddy(box);
        colours->addWidget(label);
        colours->addWidget(box);
    }
    colours->addStretch(1);
    return middle;
}

QWidget* TForm2::buildBoardPanel()
{
    auto* right = new QWidget(this);
    auto* board = new QVBoxLayout(right);
    board->setContentsMargins(0, 0, 0, 0);
    auto* size = new QHBoxLayout;
    SpinEdit2 = spinBox(1, MaxBoardWidth, 96, tr("Board width"), right);
    SpinEdit3 = spinBox(1, MaxBoardHeight, 24, tr("Board height"), right);
    Label8 = new QLabel(QStringLiteral("X"), right);
    QFont bold = Label8->font();
    bold.setBold(true);
    Label8->setFont(bold);
    size->addWidget(SpinEdit2, 1);
    size->addWidget(Label8);
    size->addWidget(SpinEdit3, 1);
    board->addLayout(size);
    CheckBox1 = new QCheckBox(tr("Draw Grid"), right);
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(tr("Rounded leds"), right);
    CheckBox3 = new QCheckBox(tr("Frame bounds"), right);
    board->addWidget(CheckBox1);
    board->addWidget(CheckBox2);
    board->addWidget(CheckBox3);
    board->addStretch(1);
    return right;
}

// Where the send journal is kept and the name this PC signs it with.
QWidget* TForm2::buildJournalPanel()
{
    auto* journal = panel(this);
    auto* grid = new QGridLayout(journal);
    Edit_Journal = new QLineEdit(journal);
    Edit_Journal->setAccessibleName(tr("Journal"));
    Edit_Journal->setPlaceholderText(tr("The journal file on this PC"));
    Edit_Journal->setToolTip(tr("A journal shared on a server: postgresql://user@host/database"));
    Edit_Station = new QLineEdit(journal);
    Edit_Station->setAccessibleName(tr("Station"));
    Edit_Station->setPlaceholderText(QSysInfo::machineHostName());
    Label9 = new QLabel(tr("Journal"), journal);
    Label10 = new QLabel(tr("Station"), journal);
    Label9->setBuddy(Edit_Journal);
    Label10->setBuddy(Edit_Station);
    // One row, so that the dialog grows by as little as it can.
    grid->addWidget(Label9, 0, 0);
    grid->addWidget(Edit_Journal, 0, 1);
    grid->addWidget(Label10, 0, 2);
    grid->addWidget(Edit_Station, 0, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);
    return journal;
}

// The windows take their texts as they are made, so a new language shows
// from the next start on.
QLayout* TForm2::buildLanguageRow()
{
    ComboBox_Language = new QComboBox(this);
    // In the order of AppSettings::InterfaceLanguage; each language by its own name.
    ComboBox_Language->addItems({tr("System"), QStringLiteral("English"), QStringLiteral("ქართული")});
    ComboBox_Language->setAccessibleName(tr("Language"));
    Label_Language = new QLabel(tr("Language"), this);
    Label_Language->setBuddy(ComboBox_Language);
    Label_Language_Note = new QLabel(tr("Applies at the next start"), this);
    Label_Language_Note->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addWidget(Label_Language);
    row->addWidget(ComboBox_Language);
    row->addWidget(Label_Language_Note);
    return row;
}

void TForm2::fitBoxes()
{
    // The boxes take the width of a short entry, so the dialog keeps its
    // size whatever ports and colour names they list; the lists open wider.
    for (QComboBox* box : {ComboBox1, ComboBox2, static_cast<QComboBox*>(ColorBox1),
                           static_cast<QComboBox*>(ColorBox2), static_cast<QComboBox*>(ColorBox3)}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
        box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 24);
    }
}

void TForm2::Connect_Controls()
{
    connect(SpinEdit2, &QSpinBox::valueChanged, this, &TForm2::SpinEdit2Change);
    connect(SpinEdit3, &QSpinBox::valueChanged, this, &TForm2::SpinEdit3Change);
    connect(SpinEdit4, &QSpinBox::valueChanged, this, &TForm2::SpinEdit4Change);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm2::SpinEdit1Change);
    connect(ColorBox1, &QComboBox::currentIndexChanged, this, &TForm2::ColorBox1Change);
    connect(ColorBox2, &QComboBox::currentIndexChanged, this, &TForm2::ColorBox2Change);
    connect(ColorBox3, &QComboBox::currentIndexChanged, this, &TForm2::ColorBox3Change);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, &TForm2::CheckBox3Click);
    // Editable boxes: every keystroke reopens the port, as a change does.
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm2::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentTextChanged, this, &TForm2::ComboBox2Change);
    connect(Edit_Journal, &QLineEdit::editingFinished, this, &TForm2::Edit_JournalExit);
    connect(Edit_Station, &QLineEdit::editingFinished, this, &TForm2::Edit_StationExit);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(ComboBox_Language, &QComboBox::currentIndexChanged, this, &TForm2::ComboBox_LanguageChange);
}

// The controls show every value the settings take, without running their
// handlers again.
void TForm2::Follow_Sign_Board()
{
    connect(&settings_, &vexel::AppSettings::signBoardChanged, this, [this] {
        const std::optional<vexel::SignBoard>& sign = settings_.signBoard();
        const QString tip =
            sign ? tr("The board is the %1 sign's, %2 x %3, while its image made by hand is open; the editor's "
                      "own board, %4 x %5, comes back when another image is opened or made")
                       .arg(sign->sign, QString::number(sign->width), QString::number(sign->height),
                            QString::number(settings_.ownBoardWidth()), QString::number(settings_.ownBoardHeight()))
                 : QString();
        for (QSpinBox* field : {SpinEdit2, SpinEdit3}) {
            field->setEnabled(!sign);
            field->setToolTip(tip);
        }
    });
}

void TForm2::Follow_Settings()
{
    using vexel::AppSettings;
    auto quietly = [](QWidget* control, auto set) {
        const QSignalBlocker quiet(control);
        set();
    };
    connect(&settings_, &AppSettings::boardWidthChanged, this,
            [=](int v) { quietly(SpinEdit2, [=] { SpinEdit2->setValue(v); }); });
    connect(&settings_, &AppSettings::boardHeightChanged, this,
            [=](int v) { quietly(SpinEdit3, [=] { SpinEdit3->setValue(v); }); });
    connect(&settings_, &AppSettings::timeOutChanged, this,
            [=](int v) { quietly(SpinEdit4, [=] { SpinEdit4->setValue(v); }); });
    connect(&settings_, &AppSettings::flashDelayChanged, this,
            [=](int v) { quietly(SpinEdit1, [=] { SpinEdit1->setValue(v); }); });
    // A colour box shows a Windows system colour from the file as this
    // desktop's colour, and that colour is the one in force.
    auto followColour = [=](ColorBox* box, void (AppSettings::*set)(std::uint32_t)) {
        return [=](std::uint32_t c) {
            quietly(box, [=] { box->setSelectedColor(c); });
            if (box->selectedColor() != c)
                (settings_.*set)(box->selectedColor());
        };
    };
    connect(&settings_, &AppSettings::backColorChanged, this, followColour(ColorBox1, &AppSettings::setBackColor));
    connect(&settings_, &AppSettings::ledColorChanged, this, followColour(ColorBox2, &AppSettings::setLedColor));
    connect(&settings_, &AppSettings::gridColorChanged, this, followColour(ColorBox3, &AppSettings::setGridColor));
    connect(&settings_, &AppSettings::drawGridChanged, this, [=](bool on) {
        quietly(CheckBox1, [=] { CheckBox1->setChecked(on); });
        ColorBox3->setEnabled(on);
        Label7->setEnabled(on);
    });
    connect(&settings_, &AppSettings::roundedLedsChanged, this,
            [=](bool on) { quietly(CheckBox2, [=] { CheckBox2->setChecked(on); }); });
    connect(&settings_, &AppSettings::frameBoundsChanged, this,
            [=](bool on) { quietly(CheckBox3, [=] { CheckBox3->setChecked(on); }); });
    connect(&settings_, &AppSettings::portChanged, this, [=](const QString& name, const QString& baud) {
        quietly(ComboBox1, [=] {
            const QString entry = ports_.entryFor(name);
            if (ComboBox1->currentText() != entry && ports_.portFor(ComboBox1->currentText()) != name)
                ComboBox1->setCurrentText(entry);
        });
        quietly(ComboBox2, [=] {
            if (ComboBox2->currentText() != baud)
                ComboBox2->setCurrentText(baud);
        });
    });
    connect(&settings_, &AppSettings::portStateChanged, this, &TForm2::Set_Port_Box_Red);
    connect(&settings_, &AppSettings::interfaceLanguageChanged, this, [=](AppSettings::InterfaceLanguage language) {
        quietly(ComboBox_Language, [=] { ComboBox_Language->setCurrentIndex(static_cast<int>(language)); });
    });
    connect(&settings_, &AppSettings::journalServerChanged, this, [=](const QString& address) {
        if (Edit_Journal->text().trimmed() != address)
            Edit_Journal->setText(address);
    });
    connect(&settings_, &AppSettings::stationNameChanged, this, [=](const QString& name) {
        if (Edit_Station->text().trimmed() != name)
            Edit_Station->setText(name);
    });
}

QString TForm2::Settings_Path() const { return store_.path(); }

bool TForm2::Draw_Grid() const { return CheckBox1->isChecked(); }
bool TForm2::Rounded_Leds() const { return CheckBox2->isChecked(); }
bool TForm2::Frame_Bounds() const { return CheckBox3->isChecked(); }

void TForm2::Load_Settings() { store_.load(); }

bool TForm2::Save_Settings()
{
    const vexel::Status saved = store_.save();
    if (!saved) {
        prompter_.error(saved.error());
        return false;
    }
    return true;
}

void TForm2::SpinEdit2Change() { settings_.setBoardWidth(SpinEdit2->value()); }

void TForm2::SpinEdit3Change() { settings_.setBoardHeight(SpinEdit3->value()); }

void TForm2::SpinEdit4Change() { settings_.setTimeOut(SpinEdit4->value()); }

void TForm2::SpinEdit1Change() { settings_.setFlashDelay(SpinEdit1->value()); }

void TForm2::ColorBox1Change() { settings_.setBackColor(ColorBox1->selectedColor()); }

void TForm2::ColorBox2Change() { settings_.setLedColor(ColorBox2->selectedColor()); }

void TForm2::ColorBox3Change() { settings_.setGridColor(ColorBox3->selectedColor()); }

void TForm2::CheckBox1Click() { settings_.setDrawGrid(CheckBox1->isChecked()); }

void TForm2::CheckBox2Click() { settings_.setRoundedLeds(CheckBox2->isChecked()); }

void TForm2::CheckBox3Click() { settings_.setFrameBounds(CheckBox3->isChecked()); }

void TForm2::ComboBox1Change() { settings_.setComPort(ports_.portFor(ComboBox1->currentText())); }

void TForm2::ComboBox2Change() { settings_.setBaudRate(ComboBox2->currentText()); }

void TForm2::Set_Port_Box_Red(bool red, const QString& why)
{
    portRed_ = red;
    ComboBox1->setToolTip(red ? why : QString());
    if (red) {
        QPalette palette = ComboBox1->palette();
        palette.setColor(QPalette::Base, Qt::red);
        ComboBox1->setPalette(palette);
        if (ComboBox1->lineEdit())
            ComboBox1->lineEdit()->setPalette(palette);
    } else {
        // An empty palette inherits the window's colours again.
        ComboBox1->setPalette(QPalette());
        if (ComboBox1->lineEdit())
            ComboBox1->lineEdit()->setPalette(QPalette());
    }
}

void TForm2::Button1Click() { close(); }

// Empty for the journal file beside the settings, else a server. A
// password is never kept: libpq finds it in ~/.pgpass, PGPASSWORD or a
// service file. An address carrying one is refused rather than stored
// without it, so that the user learns where it has to go instead.
void TForm2::Edit_JournalExit()
{
    const QString typed = Edit_Journal->text().trimmed();
    const QString shown = vexel::AppSettings::withoutPassword(typed);
    QString refused;
    if (shown != typed) {
        refused = tr("The journal's address carries a password, which is never kept in the settings. "
                      "Give it as %1 and put the password in ~/.pgpass, PGPASSWORD or a service file.")
                      .arg(shown);
    } else if (!typed.isEmpty()) {
        const auto address = vexel::ServerAddress::parse(typed, vexel::ServerAddress::SetName::Forbidden);
        if (!address)
            refused = address.error() +
                      tr(". Leave the journal empty for the journal file on this PC.");
    }
    if (!refused.isEmpty()) {
        Edit_Journal->setText(settings_.journalServer());
        prompter_.error(refused);
        return;
    }
    if (typed != settings_.journalServer())
        settings_.setJournalServer(typed);
}

void TForm2::Edit_StationExit()
{
    if (Edit_Station->text().trimmed() != settings_.stationName())
        settings_.setStationName(Edit_Station->text());
}

void TForm2::ComboBox_LanguageChange()
{
    const auto language = static_cast<vexel::AppSettings::InterfaceLanguage>(ComboBox_Language->currentIndex());
    if (language != settings_.interfaceLanguage())
        settings_.setInterfaceLanguage(language);
}
