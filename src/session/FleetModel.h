#pragma once

#include "document/Result.h"
#include "fleet/FleetState.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

namespace vexel {

// The fleet as a table: one row a bus, the bus list's columns, then one
// column a sign (every sign of the buses shown) with the version the bus
// carries there. The filter is applied here, so the counts line and the
// rows always agree.
class FleetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Loader = std::function<Expected<std::vector<FleetBusState>>()>;

    enum Column { BusColumn, Depot, Set, InService, Note, FirstSign };
    enum Role {
        BehindRole = Qt::UserRole + 1, // bool, sign columns: the window paints it red
        BusRole,                       // QString, every column: the row's bus number
    };

    explicit FleetModel(Loader loader, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Reads the fleet again; a failed read keeps the rows shown.
    Status reload();
    void setFilter(const FleetFilter& filter);
    const FleetFilter& filter() const { return filter_; }

    // The rows shown, and every bus read, whatever the filter.
    const std::vector<FleetBusState>& shown() const { return shown_; }
    const std::vector<FleetBusState>& all() const { return all_; }
    const FleetBusState* stateAt(int row) const;
    int rowOf(const QString& bus) const;
    const QStringList& signs() const { return signs_; }
    // For the filters' choices: every depot and set among the buses read.
    QStringList depots() const;
    QStringList sets() const;

    // "312 of 1,020 buses up to date on every sign", for the rows shown.
    QString countsText() const;
    // A set as a person names it: the file's name, or the server set's name.
    static QString setLabel(const QString& set);
    static bool passes(const FleetBusState& state, const FleetFilter& filter);
    // "3", "none", "3 (mixed)": in English for the export, or as the
    // window shows it, in the interface's language.
    enum class Words { English, Shown };
    static QString signText(const FleetSignState& sign, Words words = Words::English);

private:
    void rebuild();
    const FleetSignState* signAt(const FleetBusState& state, int column) const;

    Loader loader_;
    FleetFilter filter_;
    std::vector<FleetBusState> all_;
    std::vector<FleetBusState> shown_;
    QStringList signs_;
};

} // namespace vexel
