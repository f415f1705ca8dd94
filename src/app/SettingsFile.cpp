#include "app/SettingsFile.h"

#include "app/IniFile.h"

const QString SettingsFile::FileName = QStringLiteral("Lumaro.ini");
const QString SettingsFile::SettingsSection = QStringLiteral("Settings");
const QString SettingsFile::FilesSection = QStringLiteral("Files");

namespace {

const QString S = SettingsFile::SettingsSection;

std::uint32_t readColor(const IniFile& ini, const QString& key, std::uint32_t fallback)
{
    return static_cast<std::uint32_t>(ini.readInteger(S, key, static_cast<int>(fallback)));
}

void writeColor(IniFile& ini, const QString& key, std::uint32_t value)
{
    ini.writeInteger(S, key, static_cast<int>(value));
}

} // namespace

SettingsFile SettingsFile::defaults(const QString& exeFolder)
{
    SettingsFile s;
    s.dataFolder = exeFolder;
    return s;
}

SettingsFile SettingsFile::read(const IniFile& ini, const QString& exeFolder)
{
    const SettingsFile d = defaults(exeFolder);
    SettingsFile s;

    // The key names are ignored: the order of the lines decides the list.
    for (const QString& line : ini.sectionValues(FilesSection))
        s.sendList << line.mid(line.indexOf(QLatin1Char('=')) + 1);

    s.left = ini.readInteger(S, QStringLiteral("Left"), d.left);
    s.top = ini.readInteger(S, QStringLiteral("Top"), d.top);
    s.width = ini.readInteger(S, QStringLiteral("Width"), d.width);
    s.height = ini.readInteger(S, QStringLiteral("Height"), d.height);
    s.flashDelay = ini.readInteger(S, QStringLiteral("Flash_delay"), d.flashDelay);
    s.boardWidth = ini.readInteger(S, QStringLiteral("Tb_W"), d.boardWidth);
    s.boardHeight = ini.readInteger(S, QStringLiteral("Tb_H"), d.boardHeight);
    s.cellSize = ini.readInteger(S, QStringLiteral("Dt_"), d.cellSize);
    s.backColor = readColor(ini, QStringLiteral("Bg_Cl"), d.backColor);
    s.ledColor = readColor(ini, QStringLiteral("Fg_Cl"), d.ledColor);
    s.gridColor = readColor(ini, QStringLiteral("Gr_Cl"), d.gridColor);
    s.dataFolder = ini.readString(S, QStringLiteral("Data_Filename_Path"), d.dataFolder);
    s.dataFileName = ini.readString(S, QStringLiteral("Data_Filename"), d.dataFileName);
    s.grid = ini.readBool(S, QStringLiteral("Grid"), d.grid);
    s.comPort = ini.readString(S, QStringLiteral("COM_Port"), d.comPort);
    s.baudRate = ini.readString(S, QStringLiteral("Baud_Rate"), d.baudRate);
    s.timeOut = ini.readInteger(S, QStringLiteral("Time_Out"), d.timeOut);
    s.roundedLeds = ini.readBool(S, QStringLiteral("Rounded_Leds"), d.roundedLeds);
    s.frameBounds = ini.readBool(S, QStringLiteral("Frame_bounds"), d.frameBounds);
    return s;
}

SettingsFile SettingsFile::load(const QString& path, const QString& exeFolder)
{
    IniFile ini;
    ini.load(path);
    return read(ini, exeFolder);
}

void SettingsFile::write(IniFile& ini) const
{
    ini.eraseSection(FilesSection);
    for (int i = 0; i < sendList.size(); ++i)
        ini.writeString(FilesSection, QStringLiteral("File_%1").arg(i + 1), sendList.at(i));

    ini.writeInteger(S, QStringLiteral("Left"), left);
    ini.writeInteger(S, QStringLiteral("Top"), top);
    ini.writeInteger(S, QStringLiteral("Width"), width);
    ini.writeInteger(S, QStringLiteral("Height"), height);
    ini.writeInteger(S, QStringLiteral("Flash_delay"), flashDelay);
    ini.writeInteger(S, QStringLiteral("Tb_W"), boardWidth);
    ini.writeInteger(S, QStringLiteral("Tb_H"), boardHeight);
    ini.writeInteger(S, QStringLiteral("Dt_"), cellSize);
    writeColor(ini, QStringLiteral("Bg_Cl"), backColor);
    writeColor(ini, QStringLiteral("Fg_Cl"), ledColor);
    writeColor(ini, QStringLiteral("Gr_Cl"), gridColor);
    ini.writeString(S, QStringLiteral("Data_Filename_Path"), dataFolder);
    ini.writeString(S, QStringLiteral("Data_Filename"), dataFileName);
    ini.writeBool(S, QStringLiteral("Grid"), grid);
    ini.writeString(S, QStringLiteral("COM_Port"), comPort);
    ini.writeString(S, QStringLiteral("Baud_Rate"), baudRate);
    ini.writeInteger(S, QStringLiteral("Time_Out"), timeOut);
    ini.writeBool(S, QStringLiteral("Rounded_Leds"), roundedLeds);
    ini.writeBool(S, QStringLiteral("Frame_bounds"), frameBounds);
}

vexel::Status SettingsFile::save(const QString& path) const
{
    IniFile ini;
    ini.load(path);
    write(ini);
    return ini.save(path);
}
