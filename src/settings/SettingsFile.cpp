#include "settings/SettingsFile.h"

#include "settings/IniFile.h"

#include <type_traits>
#include <variant>

const QString SettingsFile::FileName = QStringLiteral("Lumaro.ini");
const QString SettingsFile::SettingsSection = QStringLiteral("Settings");
const QString SettingsFile::FilesSection = QStringLiteral("Files");

namespace {

const QString S = SettingsFile::SettingsSection;

using Field = std::variant<int SettingsFile::*, std::uint32_t SettingsFile::*, QString SettingsFile::*,
                           bool SettingsFile::*>;

struct Key {
    const char* name;
    Field field;
};

// The keys of the "Settings" section, once, in the order they are read and
// written. Colours are COLORREF integers.
const Key Keys[] = {
    {"Left", &SettingsFile::left},
    {"Top", &SettingsFile::top},
    {"Width", &SettingsFile::width},
    {"Height", &SettingsFile::height},
    {"Flash_delay", &SettingsFile::flashDelay},
    {"Tb_W", &SettingsFile::boardWidth},
    {"Tb_H", &SettingsFile::boardHeight},
    {"Dt_", &SettingsFile::cellSize},
    {"Bg_Cl", &SettingsFile::backColor},
    {"Fg_Cl", &SettingsFile::ledColor},
    {"Gr_Cl", &SettingsFile::gridColor},
    {"Data_Filename_Path", &SettingsFile::dataFolder},
    {"Data_Filename", &SettingsFile::dataFileName},
    {"Grid", &SettingsFile::grid},
    {"COM_Port", &SettingsFile::comPort},
    {"Baud_Rate", &SettingsFile::baudRate},
    {"Time_Out", &SettingsFile::timeOut},
    {"Rounded_Leds", &SettingsFile::roundedLeds},
    {"Frame_bounds", &SettingsFile::frameBounds},
};

void readKey(const IniFile& ini, const Key& key, const SettingsFile& defaults, SettingsFile& s)
{
    const QString name = QString::fromLatin1(key.name);
    std::visit(
        [&](auto member) {
            using T = std::decay_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, int>)
                s.*member = ini.readInteger(S, name, defaults.*member);
            else if constexpr (std::is_same_v<T, std::uint32_t>)
                s.*member = static_cast<std::uint32_t>(ini.readInteger(S, name, static_cast<int>(defaults.*member)));
            else if constexpr (std::is_same_v<T, QString>)
                s.*member = ini.readString(S, name, defaults.*member);
            else
                s.*member = ini.readBool(S, name, defaults.*member);
        },
        key.field);
}

void writeKey(IniFile& ini, const Key& key, const SettingsFile& s)
{
    const QString name = QString::fromLatin1(key.name);
    std::visit(
        [&](auto member) {
            using T = std::decay_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, int>)
                ini.writeInteger(S, name, s.*member);
            else if constexpr (std::is_same_v<T, std::uint32_t>)
                ini.writeInteger(S, name, static_cast<int>(s.*member));
            else if constexpr (std::is_same_v<T, QString>)
                ini.writeString(S, name, s.*member);
            else
                ini.writeBool(S, name, s.*member);
        },
        key.field);
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
    for (const Key& key : Keys)
        readKey(ini, key, d, s);
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
    for (const Key& key : Keys)
        writeKey(ini, key, *this);
}

vexel::Status SettingsFile::save(const QString& path) const
{
    IniFile ini;
    const vexel::Status read = ini.load(path);
    if (!read)
        return read; // its keys would be lost
    write(ini);
    return ini.save(path);
}
