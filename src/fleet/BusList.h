#pragma once

#include "document/Result.h"
#include "fleet/FleetState.h"
#include "fleet/SendJournal.h"

#include <QStringList>

#include <vector>

namespace vexel {

struct BusImportReport {
    QStringList added;
    QStringList changed;
    QStringList unchanged;
};

// The fleet's buses, kept in the journal's database: a table of the local
// journal file, or of the server when the journal has one (whose every
// change notifies FleetChannel when it commits).
class BusList {
public:
    static constexpr const char* FleetChannel = "vexel_fleet";
    static constexpr int MaxNumber = 32;
    static constexpr int MaxText = 4096;
    static constexpr int MaxBuses = 100000;

    explicit BusList(SendJournal journal) : journal_(std::move(journal)) {}

    // In bus number order (9 before 10). A journal not made yet has none.
    // A row that cannot be a bus is left out and named in `skipped`.
    Expected<std::vector<Bus>> buses(QStringList* skipped = nullptr) const;
    // Adds the new numbers and replaces the known ones, in one transaction;
    // buses not given stay as they are.
    Expected<BusImportReport> merge(const std::vector<Bus>& incoming);

    // Bus numbers in natural order: runs of digits compare as numbers.
    static bool naturalLess(const QString& a, const QString& b);
    // Why `bus` cannot be kept (an empty or over-long number, control
    // characters, too long a text); empty when it can.
    static QString problem(const Bus& bus);

    // The server's table, made if missing; and the group roles' rights on it.
    static QStringList serverSql();
    static QStringList grantSql();

private:
    Expected<std::vector<Bus>> localBuses(QStringList* skipped) const;
    Expected<BusImportReport> mergeLocally(const std::vector<Bus>& incoming) const;
    Expected<std::vector<Bus>> serverBuses(QStringList* skipped) const;
    Expected<BusImportReport> mergeOnServer(const std::vector<Bus>& incoming) const;

    SendJournal journal_;
};

} // namespace vexel
