#pragma once

#include "document/Result.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <map>
#include <optional>

namespace vexel {

// Where an offline copy of a server set came from, and what each of its
// destinations was when the copy and the server last agreed (at the copy,
// then after each merge). A merge tells by it which side changed a
// destination. A set that is no such copy keeps both tables empty.
class CopyOrigin {
public:
    // The set version whose step makes these tables.
    static constexpr int SinceVersion = 6;
    static Status makeTables(QSqlDatabase& db);

    struct Origin {
        QString address; // the server set's, without its password
        QString setId;
        QDateTime time;
    };
    // A destination at the last agreement: its revision on the server, and
    // the digests of its texts and overrides on each side (an image written
    // on a server may be spelled differently from the file's).
    struct Base {
        QString code;
        qint64 revision = 0;
        QString fileDigest;
        QString serverDigest;
    };
    // A destination of an open set now, for comparing with its base.
    struct State {
        QString code;
        qint64 revision = 0;
        QString digest;
    };
    using Bases = std::map<QString, Base>;   // by code key
    using States = std::map<QString, State>; // by code key

    explicit CopyOrigin(QSqlDatabase db) : db_(std::move(db)) {}

    Expected<std::optional<Origin>> origin() const;
    Expected<Bases> bases() const;
    // Replaces the origin and every base.
    Status record(const Origin& origin, const Bases& bases);
    // Sets or (with none) removes the base of one code key.
    Status setBase(const QString& key, const std::optional<Base>& base);

    // Every destination with its overrides, digested from the stored columns,
    // so both engines give the same digest for the same rows.
    static Expected<States> states(const QSqlDatabase& db);

private:
    QSqlDatabase db_;
};

} // namespace vexel
