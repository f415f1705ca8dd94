#include "feeds/CsvReader.h"

#include <QCoreApplication>

#include "depot/Utf8Check.h"
#include "document/AtomicFile.h"

#include <QDir>

#include <cstring>

namespace vexel {

namespace {

constexpr std::size_t BufferBytes = 256 * 1024;

// A title or a value without the white space around it. Byte order marks at
// either end go too: an editor that saved a column as "\u000b\ufeffname"
// means "name", and a title cleaned twice reads the same as cleaned once.
QString trimmedText(const std::string& bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    qsizetype from = 0;
    qsizetype to = text.size();
    const auto blank = [](QChar c) { return c.isSpace() || c == QChar(0xFEFF); };
    while (from < to && blank(text.at(from)))
        ++from;
    while (to > from && blank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

} // namespace

CsvReader::CsvReader(ByteStream& source, QString name) : source_(source), name_(std::move(name)), buffer_(BufferBytes) {}

bool CsvReader::fail(int line, const QString& reason)
{
    error_ = QCoreApplication::translate("CsvReader", "%1, line %2: %3").arg(name_, QString::number(line), reason);
    return false;
}

bool CsvReader::fill()
{
    if (atEnd_ || failed())
        return false;
    // The first read gathers three bytes at least, to see a byte order mark.
    const std::size_t want = started_ ? 1 : 3;
    std::size_t have = 0;
    while (have < want) {
        const qint64 n = source_.read(buffer_.data() + have, static_cast<qint64>(buffer_.size() - have));
        if (n < 0) {
            error_ = source_.error().isEmpty() ? QCoreApplication::translate("CsvReader", "%1: cannot be read").arg(name_) : source_.error();
            atEnd_ = true;
            return false;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    if (have == 0) {
        atEnd_ = true;
        return false;
    }
    pos_ = 0;
    end_ = have;
    if (!started_) {
        started_ = true;
        if (end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0)
            pos_ = 3;
    }
    return pos_ < end_ || fill();
}

bool CsvReader::next()
{
    if (failed())
        return false;
    for (;;) {
        count_ = 0;
        bool quotedAny = false;
        if (pos_ == end_ && !fill())
            return false;
        recordLine_ = line_;
        if (!readRecord(quotedAny))
            return false;
        if (count_ == 1 && fields_[0].empty() && !quotedAny)
            continue; // a blank line
        for (std::size_t i = 0; i < count_; ++i)
            if (firstBadUtf8(fields_[i].data(), fields_[i].size()) >= 0)
                return fail(recordLine_, QCoreApplication::translate("CsvReader", "the text is not UTF-8"));
        return true;
    }
}

bool CsvReader::readRecord(bool& quotedAny)
{
    std::size_t recordBytes = 0;
    for (;;) {
        if (count_ == fields_.size())
            fields_.emplace_back();
        std::string& field = fields_[count_++];
        field.clear();
        if (pos_ == end_)
            fill();
        if (failed())
            return false;
        bool ended = pos_ == end_;
        if (!ended && buffer_[pos_] == '"') {
            quotedAny = true;
            if (!readQuoted(field, recordBytes))
                return false;
            ended = pos_ == end_;
            if (!ended && buffer_[pos_] != ',' && buffer_[pos_] != '\n' && buffer_[pos_] != '\r')
                return fail(line_, QCoreApplication::translate("CsvReader", "a quoted field must end at a comma or at the end of the line"));
        } else if (!readPlain(field, recordBytes, ended)) {
            return false;
        }
        if (ended)
            return true;
        const char c = buffer_[pos_++];
        ++recordBytes;
        if (c == ',')
            continue;
        ++line_;
        if (c == '\r') {
            if (pos_ == end_)
                fill();
            if (failed())
                return false;
            if (pos_ < end_ && buffer_[pos_] == '\n')
                ++pos_;
        }
        return true;
    }
}

bool CsvReader::readQuoted(std::string& field, std::size_t& recordBytes)
{
    const int quoteLine = line_;
    bool afterCr = false;
    ++pos_;
    for (;;) {
        if (pos_ == end_ && !fill()) {
            if (failed())
                return false;
            return fail(quoteLine, QCoreApplication::translate("CsvReader", "a quoted field is not closed before the end of the file"));
        }
        const char* start = buffer_.data() + pos_;
        const void* hit = std::memchr(start, '"', end_ - pos_);
        const std::size_t run = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - start) : end_ - pos_;
        for (std::size_t k = 0; k < run; ++k) {
            const char c = start[k];
            // Line breaks inside a field are kept as LF, CR LF as one.
            if (c == '\n' && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                ++line_;
                field += '\n';
            } else {
                field += c;
            }
        }
        pos_ += run;
        recordBytes += run;
        if (recordBytes > MaxRecordBytes)
            return fail(recordLine_, QCoreApplication::translate("CsvReader", "the record is longer than 1 MiB"));
        if (!hit)
            continue;
        ++pos_;
        if (pos_ == end_)
            fill();
        if (failed())
            return false;
        afterCr = false;
        // Two quotes stand for one.
        if (pos_ < end_ && buffer_[pos_] == '"') {
            field += '"';
            ++pos_;
            continue;
        }
        return true;
    }
}

bool CsvReader::readPlain(std::string& field, std::size_t& recordBytes, bool& ended)
{
    while (!ended) {
        const char* start = buffer_.data() + pos_;
        std::size_t k = 0;
        const std::size_t left = end_ - pos_;
        while (k < left && start[k] != ',' && start[k] != '\n' && start[k] != '\r')
            ++k;
        field.append(start, k);
        pos_ += k;
        recordBytes += k;
        if (recordBytes > MaxRecordBytes)
            return fail(recordLine_, QCoreApplication::translate("CsvReader", "the record is longer than 1 MiB"));
        if (pos_ < end_)
            break;
        if (!fill()) {
            if (failed())
                return false;
            ended = true;
        }
    }
    return true;
}

bool CsvReader::readHeader()
{
    if (!next()) {
        if (!failed())
            error_ = QCoreApplication::translate("CsvReader", "%1: the file is empty; it should begin with a line naming its columns")
                         .arg(name_);

        return false;
    }
    header_.assign(fields_.begin(), fields_.begin() + static_cast<std::ptrdiff_t>(count_));
    for (std::string& title : header_)
        title = trimmedText(title).toStdString();
    for (std::size_t i = 0; i < header_.size(); ++i)
        for (std::size_t j = i + 1; j < header_.size(); ++j)
            if (!header_[i].empty() && header_[i] == header_[j])
                return fail(recordLine_, QCoreApplication::translate("CsvReader", "the column \"%1\" is named twice")
                                             .arg(QString::fromStdString(header_[i])));
    return true;
}

int CsvReader::column(const char* name) const
{
    for (std::size_t i = 0; i < header_.size(); ++i)
        if (header_[i] == name)
            return static_cast<int>(i);
    return -1;
}

QString CsvReader::text(int index) const
{
    return trimmedText(field(index));
}

QString csvField(const QString& text)
{
    const bool plain = !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
                       !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
                       text.trimmed() == text;
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

Status writeCsvFile(const QString& path, const QByteArray& bytes)
{
    const std::optional<QString> failed = writeAtomically(path, std::string_view(bytes.constData(), bytes.size()));
    if (failed)
        return Status::failure(
            QCoreApplication::translate("CsvReader", "Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), *failed));
    return Status::success();
}

} // namespace vexel
