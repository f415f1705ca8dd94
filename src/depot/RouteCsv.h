#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// One route of a depot's list: the number, the destination in Georgian and
// optionally in Latin letters, and the stops on the way.
struct RouteRow {
    int line = 0; // where the row starts in the file, 1-based (the header is line 1)
    QString route;
    QString destinationKa;
    QString destinationEn;
    QString via;
};

// A route list as CSV: UTF-8, fields separated by commas, quoted with
// double quotes when they hold commas, quotes (doubled) or line breaks;
// lines end with CR LF or LF; a byte order mark at the start is skipped. The
// first record names the columns, in any order: `route` and
// `destination_ka` must be there, `destination_en` and `via` may be; other
// columns are ignored. Blank lines are skipped.
class RouteCsv {
public:
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    struct Record {
        int line = 0;
        QStringList fields;
    };

    // The records of a CSV text; a fault names the line it is on.
    static Expected<std::vector<Record>> records(const QByteArray& bytes);

    // The rows of a route list; `name` is put before every message.
    static Expected<std::vector<RouteRow>> parse(const QByteArray& bytes, const QString& name);
    static Expected<std::vector<RouteRow>> read(const QString& path);
};

} // namespace vexel
