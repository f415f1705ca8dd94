#pragma once

#include <QAbstractTableModel>

namespace vexel {

class DestinationsSession;
struct Destination;

// The set's destinations as a table: the texts, the note, whether the
// destination is in use and what the legibility audit finds (a count and
// the rules, the findings in the tooltip), then one column a sign with how
// it letters there (the status words as text and tooltip, and a mark: fits,
// by hand, stale or does not fit). A row with a sign it does not fit says
// so in every column. How marks look is the window's business. Edits go to
// the set through the session, one change each.
class DestinationsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Code, Route, DestinationKa, DestinationEn, ViaKa, ViaEn, Service, Note, InUse, Legibility, FirstSign };
    enum Role {
        FitsRole = Qt::UserRole + 1, // bool, sign columns
        StaleRole,                   // bool, sign columns: a hand-made image out of date
        ByHandRole,                  // bool, sign columns
        SuggestedRole,               // bool, the Latin destination: a suggestion not yet accepted
        FindingsRole,                // QStringList, the legibility column: one line a finding
        MarkRole,                    // int (Mark), sign columns, and the legibility column when it finds any
        UnfitRowRole,                // bool, every column: a sign the destination does not fit
    };
    enum class Mark { Fits, ByHand, Stale, Unfit };

    explicit DestinationsModel(DestinationsSession& session);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A refused edit changes nothing; the session says why.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The sign a column shows, -1 for a text column.
    static int signOf(int column) { return column >= FirstSign ? column - FirstSign : -1; }
    static QString statusText(bool fits, bool byHand, bool stale, const QString& status);

    // Called by the session around its changes.
    void relettered(int first, int last);
    // The legibility column and its header grouped again.
    void regrouped();
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void beginInsert(int row) { beginInsertRows({}, row, row); }
    void endInsert()
    {
        endInsertRows();
        regrouped();
    }
    void beginRemove(int row) { beginRemoveRows({}, row, row); }
    void endRemove()
    {
        endRemoveRows();
        regrouped();
    }

private:
    // A sign's column: how the destination letters that sign.
    QVariant signData(const Destination& d, int row, int sign, int role) const;
    // The legibility column: what the rules found of the row on every sign.
    QVariant legibilityData(int row, int role) const;

    DestinationsSession& session_;
};

} // namespace vexel
