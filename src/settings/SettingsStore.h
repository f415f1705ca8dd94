#pragma once

#include "document/Result.h"
#include "settings/AppSettings.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace vexel {

// What the settings file keeps besides the settings: the main window's
// bounds, where the current image is, and the send list.
struct SessionState {
    int left = 100;
    int top = 100;
    int width = 1023;
    int height = 724;
    QString dataFolder; // ends with a separator
    QString dataFileName;
    QStringList sendList;
};

// Reads "Lumaro.ini" once at start-up into the settings and the session,
// and writes it in full from them. The file lives beside the executable
// when that folder can be written, otherwise in the user's configuration
// folder; which one is decided again at every save.
class SettingsStore {
public:
    explicit SettingsStore(AppSettings& settings) : settings_(settings) {}

    // The executable's folder; it ends with a separator.
    void setExecutableFolder(const QString& folder) { exeFolder_ = folder; }
    const QString& executableFolder() const { return exeFolder_; }
    QString path() const;
    // The data folder when the file names none.
    QString defaultDataFolder() const;

    // Where the session state comes from and goes to: the windows.
    void setSession(std::function<SessionState()> collect, std::function<void(const SessionState&)> restore)
    {
        collect_ = std::move(collect);
        restore_ = std::move(restore);
    }

    // The settings file's values in force, in the order the keys are read;
    // the followers of the settings only take them in meanwhile. A data
    // folder missing from the file is the default one, made when missing.
    void load();
    // Writes the whole file. Does nothing while loading or before the
    // start-up work is done; the message names the file on failure.
    Status save() const;
    // What save() would write, apart from other keys already in the file.
    SettingsFile collect() const;

    // The journal's server and the station's name as the editor beside
    // `exeFolder` (the same folder rules) keeps them, for `vexel`, which
    // runs under other application names; `path` is the file read.
    struct Journal {
        QString path;
        QString server;
        QString station;
    };
    static Journal journalOf(const QString& exeFolder);
    // The interface language the editor beside `exeFolder` keeps; read
    // before its windows are made, so the application's names must be set.
    static AppSettings::InterfaceLanguage interfaceLanguageOf(const QString& exeFolder);

private:
    AppSettings& settings_;
    QString exeFolder_;
    std::function<SessionState()> collect_;
    std::function<void(const SessionState&)> restore_;
};

} // namespace vexel
