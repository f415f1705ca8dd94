#pragma once

#include "document/Result.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <vector>

namespace vexel {

// Where and from when each release of a set counts, and the set's own
// lasting id, which a release writes beside its files and the journal
// records with every send: a bus is matched to its set by it, never by a
// file name, which differs from PC to PC.
class ReleaseTable {
public:
    // The set version whose step makes these tables.
    static constexpr int SinceVersion = 5;

    struct Release {
        int number = 0;
        QDateTime time;
        QDate validFrom;  // null: from its release on
        QString folder;   // where it was written; empty when not known
    };
    // One stored image of a release, by its checksum (see imageSum).
    struct Image {
        int version = 0;
        QString sign;
        QString code;
        QString sum;
    };

    explicit ReleaseTable(QSqlDatabase db) : db_(std::move(db)) {}

    // The schema step: both tables, and a new id for the set.
    static Status makeTables(QSqlDatabase& db);

    Expected<QString> setId() const;
    Status record(int version, const QDate& validFrom, const QString& folder);
    // Every version, oldest first.
    Expected<std::vector<Release>> releases() const;
    // The release that counts on `today`: the newest whose valid-from day
    // has come; null when none does.
    static const Release* inForce(const std::vector<Release>& releases, const QDate& today);
    // Every image of every version, without unpacking any.
    Expected<std::vector<Image>> images() const;

    // The checksum a send and a release compare by: the first 16 hex digits
    // of the SHA-256 of the image file's bytes.
    static QString imageSum(const QByteArray& fileBytes);
    static QString sumOfHash(const QByteArray& sha256);

private:
    QSqlDatabase db_;
};

} // namespace vexel
