#pragma once

#include "sets/DestinationSet.h"
#include "depot/RouteCsv.h"
#include "document/Result.h"

#include <QString>
#include <QStringList>

namespace vexel {

// A set's destinations to and from the route list of `vexel routes`.
class SetCsv {
public:

    // The columns code, route, destination_ka, destination_en, via_ka,
    // via_en, service, every field quoted, lines ended by CR LF; a note and whether a
    // destination is in use stay in the set.
    static QByteArray text(const std::vector<Destination>& destinations);

    struct Import {
        DestinationSet::MergeReport merged;
        QStringList problems; // "routes.csv: line 5, code 12: ...; not imported"
        // Texts the operator changed since the last import, which the list
        // has as it had them then: "37 destination_en"
        QStringList keptByHand;
    };
    // The rows that can be destinations merged into the set by code; rows
    // that cannot are reported with their line and left out. Fails only
    // when the list cannot be read or the set cannot be changed. A
    // destination "X via Y" with no via gives its via at the set's
    // separators, and a list whose Latin texts are all in capitals is
    // suggested in title case. A text the operator changed since the last
    // import stays where the list still has it as it was then; where the
    // list changed it too, the list's is taken.
    static Expected<Import> importFile(DestinationSet& set, const QString& csvPath);
    // Written whole or not at all.
    static Status exportFile(const DestinationSet& set, const QString& csvPath);
};

} // namespace vexel
