#pragma once

#include <QString>

namespace vexel {

// Where the settings file and the default data folder live. A copy of the
// editor run from a folder it may write to keeps both beside its executable,
// so each copy has its own settings; an installed editor, whose folder is
// not writable, keeps the settings in the user's configuration folder and
// the data in "Vexel Image" inside the user's documents folder.
//
// An installed editor is recognised by its menu entry under the same prefix
// (<prefix>/bin and <prefix>/share/applications): root may write to
// /usr/bin, but the settings do not belong there.
class SettingsLocation {
public:
    static const QString DataFolderName; // "Vexel Image"
    // The menu entry, relative to the executable's folder.
    static const QString InstalledMarker; // "../share/applications/<id>.desktop"

    // Folders may be given with or without a trailing separator.
    static SettingsLocation decide(const QString& exeFolder, const QString& userConfigFolder,
                                   const QString& documentsFolder);
    // The same with this user's folders as Qt reports them (AppConfigLocation,
    // DocumentsLocation): the application and organisation names must be set
    // before, or the configuration folder is named after the executable.
    static SettingsLocation forExecutableFolder(const QString& exeFolder);

    // True when `folder` is a folder in which a file can be created right
    // now: tried with a scratch file, since permission bits say nothing for
    // root, a read-only mount or a network share.
    static bool isWritableFolder(const QString& folder);

    static bool isInstalled(const QString& exeFolder);

    bool besideExecutable() const { return besideExecutable_; }
    // Both end with a separator.
    const QString& settingsFolder() const { return settingsFolder_; }
    const QString& dataFolder() const { return dataFolder_; }

    // Makes the settings folder when it is the user's own and missing;
    // false when it is still missing afterwards.
    bool makeSettingsFolder() const;
    // Makes `folder` when it is this location's default data folder in the
    // documents folder and missing: only that one is the editor's to create.
    // False when `folder` should be made but could not be.
    bool makeDataFolder(const QString& folder) const;

private:
    bool besideExecutable_ = true;
    QString settingsFolder_;
    QString dataFolder_;
};

} // namespace vexel
