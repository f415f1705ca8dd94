#pragma once

#include "document/Result.h"
#include "fleet/FleetState.h"
#include "fleet/SendJournal.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace vexel {

class DestinationSet;

// What each bus of the fleet carries and where it is behind. A sign shows
// the images of the last message its board took (a failed send, or one
// without a reply, leaves them); a code is behind when that message did not
// carry it or carried an image whose checksum differs from the latest
// release's. The latest release is the newest whose valid-from day has come.
class FleetStatus {
public:
    // The bus list and the journal (file or server) of `journal`, each bus's set opened once (read only),
    // each bus's signs worked out as of `today`. Buses seen in the journal but not in the list come
    // with listed=false. Ordered by bus number (natural order: 9 before 10).
    // A row of the bus list or the journal that cannot be read is left
    // out and named in `skipped`; the rest of the fleet is worked out.
    static Expected<std::vector<FleetBusState>> load(const SendJournal& journal,
                                                     const QDate& today = QDate::currentDate(),
                                                     QStringList* skipped = nullptr);
    static std::vector<FleetBusState> filtered(const std::vector<FleetBusState>& all, const FleetFilter& filter);

    // A set as the fleet sees it: its id, its signs and, per sign, the
    // codes of the latest release with their image checksums and the time
    // each of those images came to count.
    struct ReleasedCode {
        QString code;
        QString sum;
        QDateTime since;
    };
    struct SetFacts {
        QString problem;
        QString id;
        QStringList signs;
        std::vector<std::pair<int, int>> sizes; // of each of `signs`
        int latest = 0;
        QString folder;
        std::map<QString, std::vector<ReleasedCode>> codes; // by sign, lower case
    };
    static SetFacts factsOf(const DestinationSet& set, const QDate& today);

    // The same from what load reads, for a caller that has it already.
    static std::vector<FleetBusState> work(const std::vector<Bus>& buses, const std::vector<GoodSend>& lastSends,
                                           const std::map<QString, SetFacts>& sets);
    // Each set the buses name, opened once.
    static std::map<QString, SetFacts> openSets(const std::vector<Bus>& buses, const QDate& today);

    // A file name's code: "12R.img" is 12R.
    static QString codeOf(const QString& fileName);

    // A bus of the list whose every sign carries the latest release's
    // images of the destinations it serves, whatever version they came
    // from. A bus whose set could not be read, or has no release that
    // counts yet, is not.
    static bool upToDate(const FleetBusState& state);
    // "3 of 4 buses up to date on every sign": the Fleet window's line
    // and what `vexel fleet status` says after its lines.
    static QString countText(const std::vector<FleetBusState>& buses);
};

} // namespace vexel
