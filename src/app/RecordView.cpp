#include "app/RecordView.h"

#include <QBoxLayout>
#include <QFontDatabase>

class RecordView::Model : public QAbstractListModel {
public:
    explicit Model(const vexel::ImageDocument* document, QObject* parent) : QAbstractListModel(parent), document_(document) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : rows_;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        return QString::fromStdString(document_->lineText(index.row()));
    }

    void refresh()
    {
        const vexel::ImageRecord& record = document_->madeRecord();
        if (document_->textRevision() == revision_ && record.lineCount() == rows_)
            return;
        beginResetModel();
        rows_ = record.lineCount();
        revision_ = document_->textRevision();
        endResetModel();
    }

private:
    const vexel::ImageDocument* document_;
    int rows_ = 0;
    std::uint64_t revision_ = ~std::uint64_t(0);
};

RecordView::RecordView(const vexel::ImageDocument& document, QWidget* parent, QBoxLayout* row)
    : QListView(parent), model_(new Model(&document, this))
{
    setObjectName(QStringLiteral("Memo1"));
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
    setAccessibleName(tr("Image record"));
    setFixedWidth(249);
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
    row->addWidget(this);
    model_->refresh();
    connect(&document, &vexel::ImageDocument::recordChanged, this, &RecordView::refresh);
}

void RecordView::refresh() { model_->refresh(); }

QStringList RecordView::shownLines() const
{
    QStringList out;
    for (int i = 0; i < model_->rowCount(QModelIndex()); ++i)
        out << model_->data(model_->index(i), Qt::DisplayRole).toString();
    return out;
}
