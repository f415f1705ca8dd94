#include "app/Settings.h"

#include "app/ColorBox.h"
#include "app/Graphic_Editor.h"
#include "app/SettingsFile.h"
#include "document/PixelArray.h"
#include "settings/SettingsLocation.h"
#include "transfer/SerialLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// A row of Pixel_Array holds 488 columns; the last of its 101 rows is spare.
constexpr int MaxBoardWidth = vexel::PixelArray::Columns;
constexpr int MaxBoardHeight = vexel::PixelArray::Rows - 1;

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

QString withSeparator(const QString& folder) { return folder.endsWith(QLatin1Char('/')) ? folder : folder + '/'; }

vexel::SettingsLocation location(const TForm1& main) { return vexel::SettingsLocation::forExecutableFolder(main.Exe_Folder); }

} // namespace

TForm2::TForm2(TForm1* main) : QDialog(main), main_(main)
{
    setWindowTitle(QStringLiteral("Settings"));
    Create_Controls();
    Connect_Controls();
    resize(529, 209);
}

void TForm2::Create_Controls()
{
    auto* left = panel(this);
    auto* port = new QGridLayout(left);
    ComboBox1 = new QComboBox(left);
    ComboBox1->setEditable(true);
    for (int i = 1; i <= 8; ++i)
        ComboBox1->addItem(QStringLiteral("COM%1").arg(i));
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (ComboBox1->findText(info.portName()) < 0)
            ComboBox1->addItem(info.portName());
    ComboBox1->setCurrentText(QStringLiteral("COM1"));
    ComboBox1->setAccessibleName(QStringLiteral("Port"));
    ComboBox2 = new QComboBox(left);
    ComboBox2->setEditable(true);
    ComboBox2->addItems({QStringLiteral("600"), QStringLiteral("1200"), QStringLiteral("1800"), QStringLiteral("2400"),
                         QStringLiteral("4800"), QStringLiteral("7200"), QStringLiteral("9600"), QStringLiteral("14400"),
                         QStringLiteral("19200"), QStringLiteral("28800"), QStringLiteral("38400"),
                         QStringLiteral("57600"), QStringLiteral("115200"), QStringLiteral("128000")});
    ComboBox2->setCurrentText(QStringLiteral("19200"));
    ComboBox2->setAccessibleName(QStringLiteral("Baud rate"));
    constexpr int Min = std::numeric_limits<int>::min();
    constexpr int Max = std::numeric_limits<int>::max();
    SpinEdit4 = spinBox(Min, Max, 1000, QStringLiteral("Timeout Msec"), left);
    SpinEdit1 = spinBox(Min, Max, 500, QStringLiteral("Flash delay"), left);
    Label1 = new QLabel(QStringLiteral("Port"), left);
    Label2 = new QLabel(QStringLiteral("Baud rate"), left);
    Label3 = new QLabel(QStringLiteral("Timeout Msec"), left);
    Label4 = new QLabel(QStringLiteral("Flash delay"), left);
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

    auto* middle = panel(this);
    auto* colours = new QVBoxLayout(middle);
    colours->setSpacing(2);
    ColorBox2 = new ColorBox(middle);
    ColorBox2->setSelectedColor(0x000000);
    ColorBox2->setAccessibleName(QStringLiteral("ForeGround Color"));
    ColorBox1 = new ColorBox(middle);
    ColorBox1->setSelectedColor(0xFFFFFF);
    ColorBox1->setAccessibleName(QStringLiteral("BackGround Color"));
    ColorBox3 = new ColorBox(middle);
    ColorBox3->setSelectedColor(0xC0C0C0);
    ColorBox3->setAccessibleName(QStringLiteral("Grid Color"));
    Label5 = new QLabel(QStringLiteral("ForeGround Color"), middle);
    Label6 = new QLabel(QStringLiteral("BackGround Color"), middle);
    Label7 = new QLabel(QStringLiteral("Grid Color"), middle);
    const std::pair<QLabel*, ColorBox*> boxes[] = {{Label5, ColorBox2}, {Label6, ColorBox1}, {Label7, ColorBox3}};
    for (const auto& [label, box] : boxes) {
        label->setBuddy(box);
        colours->addWidget(label);
        colours->addWidget(box);
    }
    colours->addStretch(1);

    auto* right = new QWidget(this);
    auto* board = new QVBoxLayout(right);
    board->setContentsMargins(0, 0, 0, 0);
    auto* size = new QHBoxLayout;
    SpinEdit2 = spinBox(1, MaxBoardWidth, 96, QStringLiteral("Board width"), right);
    SpinEdit3 = spinBox(1, MaxBoardHeight, 24, QStringLiteral("Board height"), right);
    Label8 = new QLabel(QStringLiteral("X"), right);
    QFont bold = Label8->font();
    bold.setBold(true);
    Label8->setFont(bold);
    size->addWidget(SpinEdit2, 1);
    size->addWidget(Label8);
    size->addWidget(SpinEdit3, 1);
    board->addLayout(size);
    CheckBox1 = new QCheckBox(QStringLiteral("Draw Grid"), right);
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(QStringLiteral("Rounded leds"), right);
    CheckBox3 = new QCheckBox(QStringLiteral("Frame bounds"), right);
    board->addWidget(CheckBox1);
    board->addWidget(CheckBox2);
    board->addWidget(CheckBox3);
    board->addStretch(1);

    Button1 = new QPushButton(QStringLiteral("Close"), this);
    // Enter in a field must not close the dialog.
    Button1->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(left, 4);
    top->addWidget(middle, 3);
    top->addWidget(right, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
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
    // Editable boxes: every keystroke reopens the port, as a change does.
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm2::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentTextChanged, this, &TForm2::ComboBox2Change);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

QString TForm2::Settings_Path() const { return location(*main_).settingsFolder() + SettingsFile::FileName; }

bool TForm2::Draw_Grid() const { return CheckBox1->isChecked(); }
bool TForm2::Rounded_Leds() const { return CheckBox2->isChecked(); }
bool TForm2::Frame_Bounds() const { return CheckBox3->isChecked(); }

void TForm2::Load_Settings()
{
    main_->Settings_Loading = true;
    const vexel::SettingsLocation where = location(*main_);
    Apply(SettingsFile::load(where.settingsFolder() + SettingsFile::FileName, where.dataFolder()));
    main_->Reply_Timeout = SpinEdit4->value();
    main_->Flash_Delay = SpinEdit1->value();
    main_->Settings_Loading = false;
}

void TForm2::Apply(const SettingsFile& s)
{
    main_->move(s.left, s.top);
    main_->resize(s.width, s.height);

    main_->ListBox2->clear();
    main_->ListBox2->addItems(s.sendList);

    {
        // The values go in first, quietly; the handlers run once each below,
        // in the order the keys are read.
        const QSignalBlocker b1(SpinEdit1), b2(SpinEdit2), b3(SpinEdit3), b4(SpinEdit4), bz(main_->SpinEdit1);
        const QSignalBlocker c1(ColorBox1), c2(ColorBox2), c3(ColorBox3);
        const QSignalBlocker k1(CheckBox1), k2(CheckBox2), k3(CheckBox3), p1(ComboBox1), p2(ComboBox2);
        SpinEdit1->setValue(s.flashDelay);
        SpinEdit2->setValue(s.boardWidth);
        SpinEdit3->setValue(s.boardHeight);
        main_->SpinEdit1->setValue(s.cellSize);
        ColorBox1->setSelectedColor(s.backColor);
        ColorBox2->setSelectedColor(s.ledColor);
        ColorBox3->setSelectedColor(s.gridColor);
        CheckBox1->setChecked(s.grid);
        ComboBox1->setCurrentText(s.comPort);
        ComboBox2->setCurrentText(s.baudRate);
        SpinEdit4->setValue(s.timeOut);
        CheckBox2->setChecked(s.roundedLeds);
        CheckBox3->setChecked(s.frameBounds);
    }
    // Image paths are the folder and the name run together. The start-up
    // work lists the data folder next, so the default one is made now.
    const vexel::SettingsLocation where = location(*main_);
    main_->Data_Folder = s.dataFolder.isEmpty() ? where.dataFolder() : withSeparator(s.dataFolder);
    where.makeDataFolder(main_->Data_Folder);
    main_->Image_File_Name = s.dataFileName;

    SpinEdit1Change();
    SpinEdit2Change();
    SpinEdit3Change();
    ColorBox1Change();
    ColorBox2Change();
    ColorBox3Change();
    CheckBox1Click();
    SpinEdit4Change();
    CheckBox2Click();
}

SettingsFile TForm2::Collect() const
{
    SettingsFile s;
    s.left = main_->x();
    s.top = main_->y();
    s.width = main_->width();
    s.height = main_->height();
    s.flashDelay = SpinEdit1->value();
    s.boardWidth = SpinEdit2->value();
    s.boardHeight = SpinEdit3->value();
    s.cellSize = main_->SpinEdit1->value();
    s.backColor = ColorBox1->selectedColor();
    s.ledColor = ColorBox2->selectedColor();
    s.gridColor = ColorBox3->selectedColor();
    s.dataFolder = main_->Data_Folder;
    s.dataFileName = main_->Image_File_Name;
    s.grid = CheckBox1->isChecked();
    s.comPort = ComboBox1->currentText();
    s.baudRate = ComboBox2->currentText();
    s.timeOut = SpinEdit4->value();
    s.roundedLeds = CheckBox2->isChecked();
    s.frameBounds = CheckBox3->isChecked();
    for (int i = 0; i < main_->ListBox2->count(); ++i)
        s.sendList << main_->ListBox2->item(i)->text();
    return s;
}

bool TForm2::Save_Settings()
{
    if (main_->Settings_Loading || !main_->Startup_Done)
        return true;
    const vexel::SettingsLocation where = location(*main_);
    where.makeSettingsFolder(); // a failure shows as the save's own
    const vexel::Status saved = Collect().save(where.settingsFolder() + SettingsFile::FileName);
    if (!saved) {
        main_->prompter().error(QString::fromStdString(saved.error()));
        return false;
    }
    return true;
}

void TForm2::SpinEdit2Change()
{
    const int value = std::clamp(SpinEdit2->value(), 1, MaxBoardWidth);
    main_->Board_Width = value;
    if (main_->Frame_Rect.w > value)
        main_->Frame_Rect.w = value;
    if (main_->Settings_Loading)
        return;
    main_->SpinEdit1Change();
    if (main_->Startup_Done)
        main_->Store_Frame();
}

void TForm2::SpinEdit3Change()
{
    const int value = std::clamp(SpinEdit3->value(), 1, MaxBoardHeight);
    main_->Board_Height = value;
    if (main_->Frame_Rect.h > value)
        main_->Frame_Rect.h = value;
    if (main_->Settings_Loading)
        return;
    main_->SpinEdit1Change();
    if (main_->Startup_Done)
        main_->Store_Frame();
}

void TForm2::SpinEdit4Change()
{
    main_->Reply_Timeout = SpinEdit4->value();
    Save_Settings();
}

void TForm2::SpinEdit1Change()
{
    main_->Flash_Delay = SpinEdit1->value();
    Save_Settings();
}

void TForm2::ColorBox1Change()
{
    main_->Back_Color = ColorBox1->selectedColor();
    QPalette palette = main_->Panel2->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(vexel::toQRgb(main_->Back_Color)));
    main_->Panel2->setPalette(palette);
    if (!Save_Settings())
        return;
    if (main_->Startup_Done)
        main_->Fill_Canvas();
}

void TForm2::ColorBox2Change()
{
    main_->Led_Color = ColorBox2->selectedColor();
    if (!Save_Settings())
        return;
    if (main_->Startup_Done)
        main_->Fill_Canvas();
}

void TForm2::ColorBox3Change()
{
    main_->Grid_Color = ColorBox3->selectedColor();
    main_->Refresh_Grid();
}

void TForm2::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    main_->Grid_Inset = on ? 1 : 0;
    ColorBox3->setEnabled(on);
    Label7->setEnabled(on);
    if (main_->Settings_Loading)
        return;
    main_->Fill_Canvas();
    ColorBox3Change();
}

void TForm2::CheckBox2Click()
{
    if (!main_->Settings_Loading)
        main_->Fill_Canvas();
}

void TForm2::ComboBox1Change()
{
    if (!main_->Settings_Loading)
        Reopen_Port();
}

void TForm2::ComboBox2Change()
{
    if (!main_->Settings_Loading)
        Reopen_Port();
}

void TForm2::Reopen_Port()
{
    const bool opened = main_->Serial_Link->reopen(ComboBox1->currentText(), ComboBox2->currentText());
    Set_Port_Box_Red(!opened);
}

void TForm2::Set_Port_Box_Red(bool red)
{
    portRed_ = red;
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
