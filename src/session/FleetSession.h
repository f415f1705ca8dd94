#pragma once

#include "document/Result.h"
#include "session/FleetModel.h"
#include "fleet/FleetState.h"
#include "fleet/SendJournal.h"
#include "session/SetSend.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace vexel {

class EditorSession;

// Where the Fleet window's answers come from: the fleet's state, a visit
// list, and the journal for a bus's history.
struct FleetSources {
    FleetModel::Loader load;
    std::function<Expected<std::vector<VisitItem>>(const QString& depot, const QString& releaseFolder)> visit;
    std::function<SendJournal()> journal;
};

// What the Fleet window does, without the window: the table, a bus's
// sends, the CSV, "Send to this bus" and the visit list's PDF.
class FleetSession {
public:
    explicit FleetSession(FleetSources sources);

    FleetModel& model() { return model_; }
    const FleetModel& model() const { return model_; }
    Status reload() { return model_.reload(); }

    // The bus's sends and reads, oldest first.
    Expected<std::vector<JournalEntry>> history(const QString& bus) const;

    // The rows shown, one a bus, with the carried version and the codes
    // behind for every sign column.
    static QString csv(const std::vector<FleetBusState>& buses, const QStringList& signs);
    Status exportCsv(const QString& path) const;

    // Why the bus's latest release cannot be sent from this PC: its folder
    // unknown or missing, or its release.txt naming another set or version.
    // Empty when it is at hand.
    static QString releaseProblem(const FleetBusState& state, const QString& sign);
    // The bus's codes for one sign from that folder, as one DATA message.
    static Expected<SignSendList> sendList(const FleetBusState& state, const QString& sign);
    // Puts them on the editor's send list with the bus number filled in;
    // the window then runs the check before Send.
    static Status sendToBus(EditorSession& editor, const FleetBusState& state, const QString& sign);

    Status printVisitList(const QString& pdfPath, const QString& depot, const QString& releaseFolder,
                          const QDate& today) const;

private:
    FleetSources sources_;
    FleetModel model_;
};

} // namespace vexel
