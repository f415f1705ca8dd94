#pragma once

#include "depot/Destination.h"
#include "document/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// One route of a depot's list: the code that names its image, the number,
// the destination in Georgian and optionally in Latin letters, and the stops
// on the way in either script.
struct RouteRow {
    RouteRow() = default;
    // A row of the old columns; `via` goes to viaKa or viaEn by its letters.
    RouteRow(int atLine, QString routeNumber, QString ka, QString en, QString viaStops);

    int line = 0; // where the row starts in the file, 1-based (the header is line 1)
    QString route;
    QString destinationKa;
    QString destinationEn;
    // What {via} of a layout stands for: the Georgian stops, else the Latin.
    QString via;
    QString code; // the route number when the list gives none
    QString viaKa;
    QString viaEn;
    QString service;
    // Whether the list has a `service` column: one made before sets kept a
    // service says nothing of it.
    bool hasService = false;
    // Why the row cannot be used (it is short of fields); such a row is
    // reported with its line and written nowhere, like a row that does not fit.
    QString problem;

    void setVia(const QString& ka, const QString& en);
    // The row as a destination, which is what is lettered; its code is the
    // route number when the list gives none.
    Destination destination() const;
};

// A route list as CSV: UTF-8, fields separated by commas, quoted with
// double quotes when they hold commas, quotes (doubled) or line breaks;
// lines end with CR LF or LF; a byte order mark at the start is skipped. The
// first record names the columns, in any order: `route` and
// `destination_ka` must be there; `code`, `destination_en`, `via_ka`,
// `via_en` and `service` may be. The older `via` column, instead of the last two, is read
// as `via_ka` when it holds Georgian letters, else as `via_en`. Other columns
// are ignored. Blank lines are skipped; a row with fewer fields than the
// header comes back with its problem set, one with more refuses the list.
// So does a row with a text longer than MaxSignTextLength (TextLimit.h); its
// texts are kept shortened.
class RouteCsv {
public:
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    // Every row is held at once; a file of tiny rows would otherwise take
    // gigabytes.
    static constexpr int MaxRows = 20000;

    struct Record {
        int line = 0;
        QStringList fields;
    };

    // The records of a CSV text; a fault names the line it is on.
    static Expected<std::vector<Record>> records(const QByteArray& bytes);

    // The rows of a route list; `name` is put before every message.
    static Expected<std::vector<RouteRow>> parse(const QByteArray& bytes, const QString& name);
    static Expected<std::vector<RouteRow>> read(const QString& path);

    // A text cut to its first few dozen characters and an ellipsis, to name
    // a text too long to show in a report.
    static QString shortened(const QString& text);
};

} // namespace vexel
