#include "fleet/VisitSheet.h"

#include "fleet/ReleaseNote.h"
#include "transfer/DataMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace vexel {

namespace {

// The sheet is in the editor's language when printed from the Fleet
// window; `vexel fleet visit --pdf` loads no translation and writes it in
// English.
QString sheetText(const char* english) { return QCoreApplication::translate("VisitSheet", english); }

constexpr int Resolution = 300; // dots per inch
constexpr int Margin = 150;     // half an inch

// Splits a text into lines no wider than `width`: between words, and
// inside a word wider than a line, so nothing is cut off.
QStringList wrapped(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString current;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(joined) <= width) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            lines << current;
        while (word.size() > 1 && metrics.horizontalAdvance(word) > width) {
            qsizetype fits = word.size() - 1;
            while (fits > 1 && metrics.horizontalAdvance(word.left(fits)) > width)
                --fits;
            lines << word.left(fits);
            word = word.mid(fits);
        }
        current = word;
    }
    if (!current.isEmpty() || lines.isEmpty())
        lines << current;
    return lines;
}

// Writes text down the pages, wrapped to the page's width, starting a new
// page when the next line or block would not fit. A block that runs over
// a page carries its heading onto the next one.
class PageWriter {
public:
    PageWriter(QPdfWriter& writer, QPainter& painter) : writer_(writer), painter_(painter), y_(Margin) {}

    int lineCount(const QString& text, const QFont& font, int indent) const
    {
        return static_cast<int>(wrapped(text, metrics(font), width() - indent).size());
    }
    void keepTogether(int lines, const QFont& font)
    {
        if (y_ + lines * metrics(font).lineSpacing() > bottom() && y_ > Margin)
            newPage();
    }
    void text(const QString& text, const QFont& font, int indent = 0)
    {
        for (const QString& line : wrapped(text, metrics(font), width() - indent))
            draw(line, font, indent);
    }
    // A box to tick before the text.
    void tickText(const QString& text, const QFont& font, int indent)
    {
        keepTogether(1, font);
        const int side = metrics(font).ascent();
        painter_.drawRect(Margin + indent, y_, side, side);
        this->text(text, font, indent + tickWidth(font));
    }
    int tickLineCount(const QString& text, const QFont& font, int indent) const
    {
        return lineCount(text, font, indent + tickWidth(font));
    }
    void space(int dots) { y_ += dots; }
    // What a page that continues a block starts with; empty for none.
    void setContinued(const QString& text, const QFont& font)
    {
        continued_ = text;
        continuedFont_ = font;
    }

private:
    QFontMetrics metrics(const QFont& font) const { return QFontMetrics(font, &writer_); }
    int tickWidth(const QFont& font) const { return metrics(font).ascent() * 3 / 2; }
    int width() const { return writer_.width() - 2 * Margin; }
    int bottom() const { return writer_.height() - Margin; }
    void newPage()
    {
        writer_.newPage();
        y_ = Margin;
        if (!continued_.isEmpty())
            draw(continued_, continuedFont_, 0);
    }
    void draw(const QString& line, const QFont& font, int indent)
    {
        const QFontMetrics m = metrics(font);
        if (y_ + m.lineSpacing() > bottom() && y_ > Margin)
            newPage();
        painter_.setFont(font);
        painter_.drawText(Margin + indent, y_ + m.ascent(), line);
        y_ += m.lineSpacing();
    }

    QPdfWriter& writer_;
    QPainter& painter_;
    int y_;
    QString continued_;
    QFont continuedFont_;
};

constexpr int SignIndent = 40;
constexpr int FilesIndent = 120;

QString signLine(const VisitItem& item) { return QStringLiteral("%1: %2").arg(item.sign, VisitSheet::figuresText(item)); }

void writeBus(PageWriter& page, const std::vector<const VisitItem*>& items, const QFont& heading, const QFont& body)
{
    const QString& number = items.front()->bus;
    const QString bus = sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Bus %1")).arg(number);
    int lines = 1;
    for (const VisitItem* item : items)
        lines += page.tickLineCount(signLine(*item), body, SignIndent) +
                 page.lineCount(item->files.join(QLatin1Char(' ')), body, FilesIndent);
    // A bus that fits on a page stays on one; a longer one runs on.
    page.keepTogether(lines, body);
    page.text(bus, heading);
    page.setContinued(sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Bus %1, continued")).arg(number), heading);
    for (const VisitItem* item : items) {
        page.tickText(signLine(*item), body, SignIndent);
        page.text(item->files.join(QLatin1Char(' ')), body, FilesIndent);
    }
    page.setContinued(QString(), heading);
    page.space(40);
}

} // namespace

QString VisitSheet::figuresText(const VisitItem& item)
{
    if (!item.problem.isEmpty())
        return sheetText(QT_TRANSLATE_NOOP("VisitSheet", "cannot be sent as one message: %1")).arg(item.problem);
    return DataMessage::blockFigure(item.length, item.checksum) + QStringLiteral("; ") +
           DataMessage::messageFigure(item.length);
}

QString VisitSheet::title(const VisitHeading& heading)
{
    const QString date = heading.date.toString(Qt::ISODate);
    if (heading.version > 0)
        return sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Visit list: depot %1, %2 version %3, %4"))
            .arg(heading.depot, heading.set, QString::number(heading.version), date);
    return sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Visit list: depot %1, %2, %3"))
        .arg(heading.depot, heading.set, date);
}

Status VisitSheet::write(const QString& pdfPath, const VisitHeading& heading, const std::vector<VisitItem>& items)
{
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Cannot write %1: %2"))
                                   .arg(QDir::toNativeSeparators(pdfPath), file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(title(heading));
        writer.setCreator(QStringLiteral("Vexel Image"));
        QPainter painter;
        if (!painter.begin(&writer))
            return Status::failure(sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Cannot draw the visit list.")));
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
        page.text(title(heading), big);
        page.text(sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Release folder: %1"))
                      .arg(QDir::toNativeSeparators(heading.releaseFolder)),
                  body);
        page.space(60);
        if (items.empty())
            page.text(sheetText(QT_TRANSLATE_NOOP("VisitSheet", "No bus of the depot is behind on this release.")),
                      body);
        // The items come bus by bus.
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
        return Status::failure(sheetText(QT_TRANSLATE_NOOP("VisitSheet", "Cannot write %1: %2"))
                                   .arg(QDir::toNativeSeparators(pdfPath), file.errorString()));
    return Status::success();
}

Status VisitSheet::print(const QString& pdfPath, const QString& depot, const QString& releaseFolder,
                         const std::vector<VisitItem>& items, const QDate& today)
{
    const Expected<QByteArray> read = ReleaseNote::readIn(releaseFolder);
    const ReleaseNote note = ReleaseNote::parse(read ? *read : QByteArray());
    return write(pdfPath, VisitHeading{depot, note.set, note.version, today, releaseFolder}, items);
}

} // namespace vexel
