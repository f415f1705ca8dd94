#include "fleet/FleetWatch.h"

#include "store/ServerAddress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

namespace vexel {

FleetWatch::FleetWatch(const SendJournal& journal, QObject* parent) : QObject(parent)
{
    debounce_.setSingleShot(true);
    debounce_.setInterval(DebounceMs);
    connect(&debounce_, &QTimer::timeout, this, &FleetWatch::changed);

    if (!journal.path().isEmpty()) {
        files_ << journal.path() << journal.path() + QStringLiteral("-wal");
        // The folder tells when a file is made or replaced: a watched file
        // that is replaced drops out of the watcher.
        const QString folder = QFileInfo(journal.path()).absolutePath();
        if (QFileInfo(folder).isDir())
            watcher_.addPath(folder);
        watchFiles();
        connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
            watchFiles();
            touched();
        });
        connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
            if (watchFiles())
                touched();
        });
    }
    if (!journal.server().isEmpty())
        listen(journal.server());
}

FleetWatch::~FleetWatch() = default;

bool FleetWatch::watchFiles()
{
    bool added = false;
    const QStringList watched = watcher_.files();
    for (const QString& file : files_)
        if (!watched.contains(file) && QFileInfo::exists(file))
            added = watcher_.addPath(file) || added;
    return added;
}

void FleetWatch::listen(const QString& server)
{
    const Expected<ServerAddress> address = ServerAddress::parse(server, ServerAddress::SetName::Forbidden);
    if (!address) {
        problem_ = address.error();
        return;
    }
    connection_ = ScopedConnection::server("fleet-watch", *address, ServerAddress::DefaultStatementTimeout);
    QSqlDatabase db = connection_.db();
    if (!db.open()) {
        problem_ = QCoreApplication::translate("FleetWatch", "Changes on %1 are not shown as they happen: %2")
                       .arg(address->shown(), db.lastError().text());
        return;
    }
    QSqlDriver* driver = db.driver();
    listening_ = driver->subscribeToNotification(QLatin1String(JournalChannel)) &&
                 driver->subscribeToNotification(QLatin1String(FleetChannel));
    if (!listening_) {
        problem_ = QCoreApplication::translate("FleetWatch", "Changes on %1 are not shown as they happen: %2")
                       .arg(address->shown(), driver->lastError().text());
        return;
    }
    connect(driver, &QSqlDriver::notification, this, [this] { touched(); });
}

} // namespace vexel
