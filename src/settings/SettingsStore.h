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
// and writes it in full from them.
class SettingsStore {
public:
    explicit SettingsStore(AppSettings& settings) : settings_(settings) {}

    // The folder the file lives in; it ends with a separator.
    void setFolder(const QString& folder) { folder_ = folder; }
    const QString& folder() const { return folder_; }
    QString path() const { return folder_ + SettingsFile::FileName; }

    // Where the session state comes from and goes to: the windows.
    void setSession(std::function<SessionState()> collect, std::function<void(const SessionState&)> restore)
    {
        collect_ = std::move(collect);
        restore_ = std::move(restore);
    }

    // The settings file's values in force, in the order the keys are read;
    // the followers of the settings only take them in meanwhile. A data
    // folder missing from the file is `defaultDataFolder`.
    void load(const QString& defaultDataFolder);
    // Writes the whole file. Does nothing while loading or before the
    // start-up work is done; the message names the file on failure.
    Status save() const;
    // What save() would write, apart from other keys already in the file.
    SettingsFile collect() const;

private:
    AppSettings& settings_;
    QString folder_;
    std::function<SessionState()> collect_;
    std::function<void(const SessionState&)> restore_;
};

} // namespace vexel
