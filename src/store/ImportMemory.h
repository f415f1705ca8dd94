#pragma once

#include "depot/Destination.h"
#include "document/Result.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <map>
#include <vector>

namespace vexel {

// What each text of a destination was in its source (a transit feed, a
// route list) when an import last put it in the set, and when. The next
// import tells by it who changed a text since: the operator (the set's text
// differs from it), the source (the incoming one does), or both. A set that
// was imported into before it kept these remembers nothing, and its imports
// compare the set with the source alone.
class ImportMemory {
public:
    // The set version whose step makes the table.
    static constexpr int SinceVersion = 7;
    static Status makeTables(QSqlDatabase& db);
    // The step to version 8: the service text and a destination's origin
    // may be remembered too.
    static Status addOriginFields(QSqlDatabase& db);

    // Beside the texts, by these names: the agency and the route_id of the
    // feed a destination was last imported from. An import of another
    // operator's feed leaves it alone by them.
    static constexpr const char* AgencyField = "agency";
    static constexpr const char* RouteIdField = "route_id";

    struct Text {
        QString value;
        QDateTime time; // UTC
    };
    // By code key (SetSchema::key), then by the text's column name (or
    // AgencyField, RouteIdField).
    using Texts = std::map<QString, std::map<QString, Text>>;

    explicit ImportMemory(QSqlDatabase db) : db_(std::move(db)) {}

    Expected<Texts> read() const;
    // Each text of `imported` that the set now holds exactly so is
    // remembered at `time`; a text the set holds otherwise (the operator's
    // kept, a change left unticked) keeps what was remembered before.
    Status record(const std::vector<Destination>& imported, const QDateTime& time);
    // The texts remembered for one code key replaced; none forgets them.
    Status replace(const QString& key, const std::map<QString, Text>& texts);

private:
    QSqlDatabase db_;
};

} // namespace vexel
