#include "session/FleetModel.h"

#include "store/ServerAddress.h"
#include "fleet/FleetStatus.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace vexel {

namespace {

QStringList sortedUnique(QStringList list)
{
    list.removeAll(QString());
    list.removeDuplicates();
    std::sort(list.begin(), list.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    return list;
}

} // namespace

FleetModel::FleetModel(Loader loader, QObject* parent) : QAbstractTableModel(parent), loader_(std::move(loader)) {}

int FleetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int FleetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstSign + static_cast<int>(signs_.size());
}

const FleetBusState* FleetModel::stateAt(int row) const
{
    return row >= 0 && row < rowCount() ? &shown_[static_cast<size_t>(row)] : nullptr;
}

int FleetModel::rowOf(const QString& bus) const
{
    for (size_t i = 0; i < shown_.size(); ++i)
        if (shown_[i].bus.number == bus)
            return static_cast<int>(i);
    return -1;
}

const FleetSignState* FleetModel::signAt(const FleetBusState& state, int column) const
{
    const int sign = column - FirstSign;
    if (sign < 0 || sign >= signs_.size())
        return nullptr;
    for (const FleetSignState& s : state.signs)
        if (s.sign == signs_[sign])
            return &s;
    return nullptr;
}

QString FleetModel::signText(const FleetSignState& sign, Words words)
{
    const auto text = [words](const char* english) {
        return words == Words::Shown ? QCoreApplication::translate("FleetModel", english) : QString::fromLatin1(english);
    };
    const QString version =
        sign.carriedVersion > 0 ? QString::number(sign.carriedVersion) : text(QT_TRANSLATE_NOOP("FleetModel", "none"));
    return sign.mixed ? text(QT_TRANSLATE_NOOP("FleetModel", "%1 (mixed)")).arg(version) : version;
}

QString FleetModel::setLabel(const QString& set)
{
    if (ServerAddress::isServer(set)) {
        const Expected<ServerAddress> address = ServerAddress::parse(set, ServerAddress::SetName::Required);
        return address ? address->set : set;
    }
    return QFileInfo(set).completeBaseName();
}

QVariant FleetModel::data(const QModelIndex& index, int role) const
{
    const FleetBusState* state = index.isValid() ? stateAt(index.row()) : nullptr;
    if (!state)
        return {};
    if (role == BusRole)
        return state->bus.number;
    if (index.column() >= FirstSign) {
        const FleetSignState* sign = signAt(*state, index.column());
        if (!sign)
            return {};
        if (role == Qt::DisplayRole)
            return signText(*sign, Words::Shown);
        if (role == BehindRole)
            return sign->isBehind();
        if (role == Qt::ToolTipRole && sign->isBehind())
            return QCoreApplication::translate("FleetModel", "Behind on %1 since %2: latest is version %3")
                .arg(sign->behind.join(QStringLiteral(" ")), sign->since.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")))
                .arg(sign->latestVersion);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case BusColumn:
        return state->bus.number;
    case Depot:
        return state->bus.depot;
    case Set:
        return role == Qt::ToolTipRole ? state->bus.set : setLabel(state->bus.set);
    case InService:
        return state->listed ? (state->bus.inService ? QCoreApplication::translate("FleetModel", "yes")
                                                     : QCoreApplication::translate("FleetModel", "no"))
                             : QString();
    case Note: {
        QStringList parts;
        if (!state->listed)
            parts << QCoreApplication::translate("FleetModel", "not in the bus list");
        // The fleet's own words for a set it could not use are translated
        // here; a reason the set gave comes translated already.
        if (!state->problem.isEmpty())
            parts << QCoreApplication::translate("FleetStatus", state->problem.toUtf8().constData());
        if (!state->bus.note.isEmpty())
            parts << state->bus.note;
        return parts.join(QStringLiteral("; "));
    }
    default:
        return {};
    }
}

QVariant FleetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[] = {QT_TRANSLATE_NOOP("FleetModel", "Bus"), QT_TRANSLATE_NOOP("FleetModel", "Depot"),
                                        QT_TRANSLATE_NOOP("FleetModel", "Set"),
                                        QT_TRANSLATE_NOOP("FleetModel", "In service"),
                                        QT_TRANSLATE_NOOP("FleetModel", "Note")};
    if (section >= 0 && section < FirstSign)
        return QCoreApplication::translate("FleetModel", names[section]);
    return signs_.value(section - FirstSign);
}

Status FleetModel::reload()
{
    Expected<std::vector<FleetBusState>> read =
        loader_ ? loader_() : Expected<std::vector<FleetBusState>>(std::vector<FleetBusState>{});
    if (!read)
        return read.status();
    all_ = std::move(read).value();
    rebuild();
    return Status::success();
}

void FleetModel::setFilter(const FleetFilter& filter)
{
    filter_ = filter;
    rebuild();
}

bool FleetModel::passes(const FleetBusState& state, const FleetFilter& filter)
{
    if (!filter.depot.isEmpty() && state.bus.depot != filter.depot)
        return false;
    if (!filter.set.isEmpty() && state.bus.set != filter.set)
        return false;
    if (!filter.bus.isEmpty() && state.bus.number != filter.bus)
        return false;
    return !filter.behindOnly || state.isBehind();
}

void FleetModel::rebuild()
{
    beginResetModel();
    shown_.clear();
    QStringList signs;
    for (const FleetBusState& state : all_) {
        if (!passes(state, filter_))
            continue;
        shown_.push_back(state);
        for (const FleetSignState& s : state.signs)
            if (!signs.contains(s.sign))
                signs << s.sign;
    }
    // The set's own order of signs (front before rear) as the first bus
    // has them; signs only other sets have follow.
    signs_ = signs;
    endResetModel();
}

QStringList FleetModel::depots() const
{
    QStringList list;
    for (const FleetBusState& state : all_)
        list << state.bus.depot;
    return sortedUnique(list);
}

QStringList FleetModel::sets() const
{
    QStringList list;
    for (const FleetBusState& state : all_)
        list << state.bus.set;
    return sortedUnique(list);
}

QString FleetModel::countsText() const { return FleetStatus::countText(shown_); }

} // namespace vexel
