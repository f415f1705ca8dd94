#pragma once

#include "document/Result.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class IniFile;

// Every setting that outlives a run, as "Lumaro.ini" holds it. Values are
// kept as read: clamping to a control's range is the control's business.
struct SettingsFile {
    static const QString FileName;         // "Lumaro.ini"
    static const QString SettingsSection;  // "Settings"
    static const QString FilesSection;     // "Files"

    int left = 100;
    int top = 100;
    int width = 1023;
    int height = 724;
    int flashDelay = 500;
    int boardWidth = 96;
    int boardHeight = 24;
    int cellSize = 10;
    std::uint32_t backColor = 0x000000; // COLORREF 0x00BBGGRR
    std::uint32_t ledColor = 0x0000FF;
    std::uint32_t gridColor = 0x808080;
    QString dataFolder;   // defaults to the executable's folder
    QString dataFileName;
    bool grid = false;
    QString comPort = QStringLiteral("COM1");
    QString baudRate = QStringLiteral("19200");
    int timeOut = 1000;
    bool roundedLeds = true;
    bool frameBounds = false;
    QStringList sendList; // "Files": one entry per key, in file order

    static SettingsFile defaults(const QString& exeFolder);
    static SettingsFile read(const IniFile& ini, const QString& exeFolder);
    // A missing file gives the defaults.
    static SettingsFile load(const QString& path, const QString& exeFolder);

    // Replaces the "Files" section and every "Settings" key; other keys and
    // sections of the file stay as they are.
    void write(IniFile& ini) const;
    // Rewrites the file at `path` in one go; on failure the old file is kept
    // and the message is "Unable to write to <path>".
    vexel::Status save(const QString& path) const;
};
