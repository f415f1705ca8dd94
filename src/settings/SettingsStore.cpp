#include "settings/SettingsStore.h"

namespace vexel {

namespace {

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

void SettingsStore::load(const QString& defaultDataFolder)
{
    settings_.setLoading(true);
    const SettingsFile s = SettingsFile::load(path(), defaultDataFolder);
    if (restore_) {
        SessionState session;
        session.left = s.left;
        session.top = s.top;
        session.width = s.width;
        session.height = s.height;
        // Image paths are the folder and the name run together.
        session.dataFolder = s.dataFolder.isEmpty() ? defaultDataFolder : withSeparator(s.dataFolder);
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
    return collect().save(path());
}

} // namespace vexel
