#include "session/VisitSheet.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace vexel {

namespace {

constexpr int Resolution = 300; // dots per inch
constexpr int Margin = 150;     // half an inch

QString number(long long n) { return QLocale(QLocale::English).toString(n); }

QString checksumText(int checksum) { return QStringLiteral("%1").arg(checksum, 4, 16, QLatin1Char('0')).toUpper(); }

// Writes line after line down the pages, starting a new page when the next
// block would not fit.
class PageWriter {
public:
    PageWriter(QPdfWriter& writer, QPainter& painter) : writer_(writer), painter_(painter), y_(Margin) {}

    int width() const { return writer_.width() - 2 * Margin; }
    void keepTogether(int lines, const QFont& font)
    {
        const int needed = lines * QFontMetrics(font, &writer_).lineSpacing();
        if (y_ + needed > writer_.height() - Margin && y_ > Margin) {
            writer_.newPage();
            y_ = Margin;
        }
    }
    void line(const QString& text, const QFont& font, int indent = 0)
    {
        painter_.setFont(font);
        const QFontMetrics metrics(font, &writer_);
        keepTogether(1, font);
        const QString shown = metrics.elidedText(text, Qt::ElideRight, width() - indent);
        painter_.drawText(Margin + indent, y_ + metrics.ascent(), shown);
        y_ += metrics.lineSpacing();
    }
    // A box to tick before the text.
    void tickLine(const QString& text, const QFont& font, int indent)
    {
        const QFontMetrics metrics(font, &writer_);
        keepTogether(1, font);
        const int side = metrics.ascent();
        painter_.drawRect(Margin + indent, y_ + metrics.ascent() - side, side, side);
        line(text, font, indent + side + side / 2);
    }
    void space(int dots) { y_ += dots; }

private:
    QPdfWriter& writer_;
    QPainter& painter_;
    int y_;
};

QString figuresText(const VisitItem& item)
{
    if (!item.problem.isEmpty())
        return QStringLiteral("cannot be sent as one message: ") + item.problem;
    return QStringLiteral("length %1, checksum %2").arg(number(item.length), checksumText(item.checksum));
}

void writeBus(PageWriter& page, const std::vector<const VisitItem*>& items, const QFont& heading, const QFont& body)
{
    const VisitItem& first = *items.front();
    page.keepTogether(1 + 2 * static_cast<int>(items.size()), body);
    page.line(QStringLiteral("Bus %1").arg(first.bus), heading);
    for (const VisitItem* item : items) {
        page.tickLine(QStringLiteral("%1: %2").arg(item->sign, figuresText(*item)), body, 40);
        page.line(item->files.join(QStringLiteral(" ")), body, 120);
    }
    page.space(40);
}

} // namespace

QString VisitSheet::title(const VisitHeading& heading)
{
    QString title = QStringLiteral("Visit list: depot %1, %2").arg(heading.depot, heading.set);
    if (heading.version > 0)
        title += QStringLiteral(" version %1").arg(heading.version);
    return title + QStringLiteral(", ") + heading.date.toString(Qt::ISODate);
}

Status VisitSheet::write(const QString& pdfPath, const VisitHeading& heading, const std::vector<VisitItem>& items)
{
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(QStringLiteral("Cannot write %1: %2")
                                   .arg(QDir::toNativeSeparators(pdfPath), file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(title(heading));
        writer.setCreator(QStringLiteral("Vexel Image"));
        QPainter painter;
        if (!painter.begin(&writer))
            return Status::failure(QStringLiteral("Cannot draw the visit list."));
        QFont body(QStringLiteral("DejaVu Sans"));
        body.setPointSize(10);
        // No ligatures: a file name searched for or copied from the PDF
        // reads as it was written.
        body.setStyleStrategy(QFont::PreferNoShaping);
        QFont bold = body;
        bold.setBold(true);
        QFont big = bold;
        big.setPointSize(14);
        PageWriter page(writer, painter);
        page.line(title(heading), big);
        page.line(QStringLiteral("Release folder: %1").arg(QDir::toNativeSeparators(heading.releaseFolder)), body);
        page.space(60);
        if (items.empty())
            page.line(QStringLiteral("No bus of the depot is behind on this release."), body);
        // The items come bus by bus; one bus's signs stay on one page.
        for (size_t i = 0; i < items.size();) {
            std::vector<const VisitItem*> bus;
            for (size_t j = i; j < items.size() && items[j].bus == items[i].bus; ++j)
                bus.push_back(&items[j]);
            writeBus(page, bus, bold, body);
            i += bus.size();
        }
        painter.end();
    }
    if (!file.commit())
        return Status::failure(QStringLiteral("Cannot write %1: %2")
                                   .arg(QDir::toNativeSeparators(pdfPath), file.errorString()));
    return Status::success();
}

} // namespace vexel
