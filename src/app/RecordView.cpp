#include "app/RecordView.h"

#include <QFontDatabase>

class RecordView::Model : public QAbstractListModel {
public:
    explicit Model(const vexel::ImageRecord* record, QObject* parent) : QAbstractListModel(parent), record_(record) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : rows_;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        return QString::fromStdString(record_->line(index.row()));
    }

    void refresh()
    {
        if (record_->revision() == revision_ && record_->lineCount() == rows_)
            return;
        beginResetModel();
        rows_ = record_->lineCount();
        revision_ = record_->revision();
        endResetModel();
    }

private:
    const vexel::ImageRecord* record_;
    int rows_ = 0;
    std::uint64_t revision_ = ~std::uint64_t(0);
};

RecordView::RecordView(const vexel::ImageRecord* record, QWidget* parent)
    : QListView(parent), model_(new Model(record, this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    setFont(font);
    setAccessibleName(QStringLiteral("Frame record"));
    model_->refresh();
}

void RecordView::refresh() { model_->refresh(); }

QStringList RecordView::shownLines() const
{
    QStringList out;
    for (int i = 0; i < model_->rowCount(QModelIndex()); ++i)
        out << model_->data(model_->index(i), Qt::DisplayRole).toString();
    return out;
}
