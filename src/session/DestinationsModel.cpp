#include "session/DestinationsModel.h"

#include "session/DestinationsSession.h"
#include "session/ShownWords.h"

#include <QCoreApplication>


#include <algorithm>

namespace vexel {

namespace {

const QString& field(const Destination& d, int column)
{
    switch (column) {
    case DestinationsModel::Code: return d.code;
    case DestinationsModel::Route: return d.route;
    case DestinationsModel::DestinationKa: return d.destinationKa;
    case DestinationsModel::DestinationEn: return d.destinationEn;
    case DestinationsModel::ViaKa: return d.viaKa;
    case DestinationsModel::ViaEn: return d.viaEn;
    case DestinationsModel::Service: return d.service;
    default: return d.note;
    }
}

QString& field(Destination& d, int column) { return const_cast<QString&>(field(static_cast<const Destination&>(d), column)); }

} // namespace

DestinationsModel::DestinationsModel(DestinationsSession& session) : session_(session) {}

int DestinationsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(session_.destinations().size());
}

int DestinationsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstSign + static_cast<int>(session_.signs().size());
}

QString DestinationsModel::statusText(bool fits, bool byHand, bool stale, const QString& status)
{
    if (byHand) {
        // Its size is what a hand-made image may not fit by; the status says so.
        const QString made = fits ? QStringLiteral("by hand") : status;
        return stale ? made + QStringLiteral(", stale") : made;
    }
    // The lettering's own words say it already when it has any.
    if (fits || status.startsWith(QStringLiteral("does not fit")))
        return status;
    return QStringLiteral("does not fit: ") + status;
}

QVariant DestinationsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    const Destination& d = session_.destinations()[static_cast<std::size_t>(row)];
    const int sign = signOf(column);

    if (role == UnfitRowRole) {
        const int signs = static_cast<int>(session_.signs().size());
        for (int s = 0; s < signs; ++s)
            if (!session_.image(row, s).fit.fits)
                return true;
        return false;
    }
    if (sign >= 0)
        return signData(d, row, sign, role);
    if (column == Legibility)
        return legibilityData(row, role);
    if (column == InUse) {
        if (role == Qt::CheckStateRole)
            return d.inUse ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole)
            return d.inUse ? QCoreApplication::translate("DestinationsModel", "in use")
                           : QCoreApplication::translate("DestinationsModel", "not in use");
        return {};
    }

    const bool suggested = column == DestinationEn && d.latinSuggested;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return field(d, column);
    case Qt::ToolTipRole:
        return suggested ? QCoreApplication::translate("DestinationsModel",
                                                       "Suggested by romanization: edit it, or press Enter on it to accept it")
                         : QVariant();
    case SuggestedRole: return suggested;
    default: return {};
    }
}

QVariant DestinationsModel::signData(const Destination& d, int row, int sign, int role) const
{
    const SignImage& image = session_.image(row, sign);
    switch (role) {
    case Qt::DisplayRole:
        if (image.byHand)
            return shownFitStatus(statusText(true, true, image.stale, {}) +
                                  (image.fit.fits ? QString() : QStringLiteral(", does not fit")));
        return shownFitStatus(image.fit.fits ? image.fit.status : QStringLiteral("does not fit"));
    case Qt::ToolTipRole: {
        QString tip = shownFitStatus(statusText(image.fit.fits, image.byHand, image.stale, image.fit.status));
        if (image.stale)
            tip += QCoreApplication::translate("DestinationsModel",
                                               ": made by hand from texts this destination no longer has");
        return QCoreApplication::translate("DestinationsModel", "%1 on %2: %3")
            .arg(d.code, session_.signs()[static_cast<std::size_t>(sign)].name, tip);
    }
    case MarkRole:
        return static_cast<int>(!image.fit.fits ? Mark::Unfit
                                : image.stale   ? Mark::Stale
                                : image.byHand  ? Mark::ByHand
                                                : Mark::Fits);
    case FitsRole: return image.fit.fits;
    case StaleRole: return image.stale;
    case ByHandRole: return image.byHand;
    default: return {};
    }
}

QVariant DestinationsModel::legibilityData(int row, int role) const
{
    const QStringList& found = session_.findings(row);
    switch (role) {
    case Qt::DisplayRole: {
        if (found.isEmpty())
            return QString();
        QStringList rules;
        for (const QString& line : found) {
            const QString rule = line.section(QStringLiteral(": "), 1).section(QLatin1Char(' '), 0, 0);
            if (!rules.contains(rule))
                rules << rule;
        }
        return QStringLiteral("%1: %2").arg(found.size()).arg(rules.join(QStringLiteral(", ")));
    }
    case Qt::ToolTipRole:
        return found.isEmpty() ? QCoreApplication::translate("DestinationsModel", "Nothing found by the rules \"%1\"").arg(session_.rulesName())
                               : QCoreApplication::translate("DestinationsModel", "By the rules \"%1\":\n%2")
                                     .arg(session_.rulesName(), found.join(QLatin1Char('\n')));
    case MarkRole:
        return found.isEmpty() ? QVariant() : static_cast<int>(Mark::Stale);
    case Qt::AccessibleTextRole:
        return found.isEmpty() ? QCoreApplication::translate("DestinationsModel", "no legibility findings")
                               : QCoreApplication::translate("DestinationsModel", "%1 legibility findings").arg(found.size());
    case FindingsRole: return found;
    default: return {};
    }
}

QVariant DestinationsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == Legibility && role == Qt::ToolTipRole) {
        // What is said of the signs themselves is said once, here.
        QString tip =
            QCoreApplication::translate("DestinationsModel", "The legibility audit by the rules \"%1\"").arg(session_.rulesName());
        if (!session_.signFindings().isEmpty())
            tip += QCoreApplication::translate("DestinationsModel", "; of the signs:\n") +
                   session_.signFindings().join(QLatin1Char('\n'));
        return tip;
    }
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {
        QT_TRANSLATE_NOOP("DestinationsModel", "Code"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Route"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Destination (ka)"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Destination (en)"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Via (ka)"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Via (en)"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Service"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Note"),
        QT_TRANSLATE_NOOP("DestinationsModel", "In use"),
        QT_TRANSLATE_NOOP("DestinationsModel", "Legibility"),
    };
    if (section >= 0 && section < FirstSign)
        return QCoreApplication::translate("DestinationsModel", titles[section]);
    const int sign = signOf(section);
    if (sign >= 0 && sign < static_cast<int>(session_.signs().size())) {
        const VehicleSign& s = session_.signs()[static_cast<std::size_t>(sign)];
        return QStringLiteral("%1 %2×%3").arg(s.name).arg(s.width).arg(s.height);
    }
    return {};
}

Qt::ItemFlags DestinationsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || session_.readOnly() || signOf(index.column()) >= 0 || index.column() == Legibility)
        return f;
    if (index.column() == InUse)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

bool DestinationsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || session_.readOnly() || signOf(index.column()) >= 0 || index.column() == Legibility)
        return false;
    Destination d = session_.destinations()[static_cast<std::size_t>(index.row())];
    if (index.column() == InUse) {
        if (role != Qt::CheckStateRole)
            return false;
        d.inUse = value.toInt() == Qt::Checked;
    } else {
        if (role != Qt::EditRole)
            return false;
        const QString text = value.toString();
        if (index.column() == DestinationEn)
            d.latinSuggested = false; // edited, or accepted as it is
        field(d, index.column()) = index.column() == Note ? text : text.trimmed();
    }
    const Status stored = session_.update(index.row(), d);
    if (!stored) {
        emit session_.error(stored.error());
        return false;
    }
    return true;
}

void DestinationsModel::relettered(int first, int last)
{
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
    regrouped();
}

void DestinationsModel::regrouped()
{
    // A row's findings change the counts of the causes many rows share: the
    // header says them, and another row may gain or lose one of them.
    const bool othersChanged = session_.regroupCauses();
    emit headerDataChanged(Qt::Horizontal, Legibility, Legibility);
    if (othersChanged && rowCount() > 0)
        emit dataChanged(index(0, Legibility), index(rowCount() - 1, Legibility));
}

} // namespace vexel
