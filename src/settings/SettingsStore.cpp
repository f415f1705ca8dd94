#include "settings/SettingsStore.h"

#include "settings/IniFile.h"
#include "settings/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vexel {

namespace {

// Settings that came after the two sections of the original file live in
// sections of their own, which the file holds only once one of them was
// changed; the two original sections stay as they always were.
const QString SimulatorSection = QStringLiteral("Simulator");
const QString StepKey = QStringLiteral("Step_ms");
const QString ColourKey = QStringLiteral("Colour");
const QString AmberValue = QStringLiteral("Amber");
const QString EditorLitValue = QStringLiteral("Editor");
const QString JournalSection = QStringLiteral("Journal");
const QString ServerKey = QStringLiteral("Server");
const QString StationSection = QStringLiteral("Station");
const QString NameKey = QStringLiteral("Name");
const QString InterfaceSection = QStringLiteral("Interface");
const QString LanguageKey = QStringLiteral("Language");

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString SettingsStore::path() const
{
    return SettingsLocation::forExecutableFolder(exeFolder_).settingsFolder() + SettingsFile::FileName;
}

QString SettingsStore::defaultDataFolder() const
{
    return SettingsLocation::forExecutableFolder(exeFolder_).dataFolder();
}

void SettingsStore::load()
{
    settings_.setLoading(true);
    const SettingsLocation where = SettingsLocation::forExecutableFolder(exeFolder_);
    const QString defaultDataFolder = where.dataFolder();
    IniFile ini;
    ini.load(where.settingsFolder() + SettingsFile::FileName);
    const SettingsFile s = SettingsFile::read(ini, defaultDataFolder);
    if (restore_) {
        SessionState session;
        session.left = s.left;
        session.top = s.top;
        session.width = s.width;
        session.height = s.height;
        // Image paths are the folder and the name run together.
        session.dataFolder = s.dataFolder.isEmpty() ? defaultDataFolder : withSeparator(s.dataFolder);
        // The start-up work lists the data folder next, so the default one
        // is made now; another folder the file names is not the editor's.
        where.makeDataFolder(session.dataFolder);
        session.dataFileName = s.dataFileName;
        session.sendList = s.sendList;
        restore_(session);
    }
    settings_.setFlashDelay(s.flashDelay);
    settings_.setBoardWidth(s.boardWidth);
    settings_.setBoardHeight(s.boardHeight);
    settings_.setCellSize(s.cellSize);
    settings_.setBackColor(s.backColor);
    settings_.setLedColor(s.ledColor);
    settings_.setGridColor(s.gridColor);
    settings_.setDrawGrid(s.grid);
    settings_.setComPort(s.comPort);
    settings_.setBaudRate(s.baudRate);
    settings_.setTimeOut(s.timeOut);
    settings_.setRoundedLeds(s.roundedLeds);
    settings_.setFrameBounds(s.frameBounds);
    settings_.setSimulatorStep(ini.readInteger(SimulatorSection, StepKey, AppSettings::DefaultSimulatorStep));
    // Anything but the editor's colour is amber, the sign's own.
    settings_.setSimulatorColour(ini.readString(SimulatorSection, ColourKey, AmberValue) == EditorLitValue
                                     ? AppSettings::SimulatorColour::EditorLit
                                     : AppSettings::SimulatorColour::Amber);
    settings_.setJournalServer(ini.readString(JournalSection, ServerKey, QString()));
    settings_.setStationName(ini.readString(StationSection, NameKey, QString()));
    settings_.setInterfaceLanguage(
        AppSettings::languageOfKey(ini.readString(InterfaceSection, LanguageKey, QString())));
    settings_.setLoading(false);
}

SettingsFile SettingsStore::collect() const
{
    SettingsFile s;
    if (collect_) {
        const SessionState session = collect_();
        s.left = session.left;
        s.top = session.top;
        s.width = session.width;
        s.height = session.height;
        s.dataFolder = session.dataFolder;
        s.dataFileName = session.dataFileName;
        s.sendList = session.sendList;
    }
    settings_.fillFile(s);
    return s;
}

Status SettingsStore::save() const
{
    if (settings_.loading() || !settings_.startupDone())
        return Status::success();
    const SettingsLocation where = SettingsLocation::forExecutableFolder(exeFolder_);
    where.makeSettingsFolder(); // a failure shows as the save's own
    const QString path = where.settingsFolder() + SettingsFile::FileName;
    IniFile ini;
    const Status read = ini.load(path);
    if (!read)
        return read; // its keys would be lost
    collect().write(ini);
    const int step = settings_.simulatorStep();
    if (step != AppSettings::DefaultSimulatorStep || ini.hasKey(SimulatorSection, StepKey))
        ini.writeInteger(SimulatorSection, StepKey, step);
    const bool editorLit = settings_.simulatorColour() == AppSettings::SimulatorColour::EditorLit;
    if (editorLit || ini.hasKey(SimulatorSection, ColourKey))
        ini.writeString(SimulatorSection, ColourKey, editorLit ? EditorLitValue : AmberValue);
    if (!settings_.journalServer().isEmpty() || ini.hasKey(JournalSection, ServerKey))
        ini.writeString(JournalSection, ServerKey, settings_.journalServer());
    if (!settings_.stationName().isEmpty() || ini.hasKey(StationSection, NameKey))
        ini.writeString(StationSection, NameKey, settings_.stationName());
    const AppSettings::InterfaceLanguage language = settings_.interfaceLanguage();
    if (language != AppSettings::InterfaceLanguage::System || ini.hasKey(InterfaceSection, LanguageKey))
        ini.writeString(InterfaceSection, LanguageKey, AppSettings::languageKey(language));
    return ini.save(path);
}

SettingsStore::Journal SettingsStore::journalOf(const QString& exeFolder)
{
    // The editor's own configuration folder, named as it names it.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const SettingsLocation where = SettingsLocation::decide(
        exeFolder, config.isEmpty() ? QString() : config + QStringLiteral("/vexelimage/Vexel Image"),
        documents.isEmpty() ? QDir::homePath() : documents);
    Journal journal;
    journal.path = where.settingsFolder() + SettingsFile::FileName;
    IniFile ini;
    if (!QFileInfo::exists(journal.path) || !ini.load(journal.path))
        return journal;
    AppSettings settings;
    settings.setJournalServer(ini.readString(JournalSection, ServerKey, QString()));
    settings.setStationName(ini.readString(StationSection, NameKey, QString()));
    journal.server = settings.journalServer();
    journal.station = settings.stationName();
    return journal;
}

AppSettings::InterfaceLanguage SettingsStore::interfaceLanguageOf(const QString& exeFolder)
{
    const QString path = SettingsLocation::forExecutableFolder(exeFolder).settingsFolder() + SettingsFile::FileName;
    IniFile ini;
    if (!QFileInfo::exists(path) || !ini.load(path))
        return AppSettings::InterfaceLanguage::System;
    return AppSettings::languageOfKey(ini.readString(InterfaceSection, LanguageKey, QString()));
}

} // namespace vexel
