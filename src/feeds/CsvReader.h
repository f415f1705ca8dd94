#pragma once

#include "feeds/ByteStream.h"
#include "document/Result.h"

#include <QString>

#include <string>
#include <vector>

namespace vexel {

// A CSV table read record by record from a stream, so a table of any length
// passes through a fixed amount of memory. UTF-8; fields separated by commas
// and quoted with double quotes when they hold commas, quotes (doubled) or
// line breaks; lines end with CR LF, LF or CR; a byte order mark at the start
// is skipped, blank lines are too. A quote inside a field that does not begin
// with one is taken as a letter, as feeds in the wild have them. The first
// record names the columns.
class CsvReader {
public:
    static constexpr std::size_t MaxRecordBytes = 1024 * 1024;

    // `name` is put before every message.
    CsvReader(ByteStream& source, QString name);

    // Reads the header; false on a fault, or when the table is empty or names
    // a column twice.
    bool readHeader();
    // The index of a column named in the header, or -1.
    int column(const char* name) const;
    const std::vector<std::string>& header() const { return header_; }

    // The next record into fields(); false at the end of the table and on a
    // fault (failed() tells them apart).
    bool next();
    std::size_t size() const { return count_; }
    // A field of the record, empty for a column the record falls short of
    // and for -1.
    const std::string& field(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < count_ ? fields_[static_cast<std::size_t>(index)] : empty_;
    }
    // The same as text without the spaces around it.
    QString text(int index) const;
    // The line the current record starts on, 1-based.
    int line() const { return recordLine_; }

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

private:
    bool fill();
    bool fail(int line, const QString& reason);
    // The fields of one record into fields(), up to the end of its line or
    // of the file; `quotedAny` tells whether one of them was quoted. False
    // on a fault.
    bool readRecord(bool& quotedAny);
    // A quoted field, from its opening quote past its closing one.
    bool readQuoted(std::string& field, std::size_t& recordBytes);
    // A field without quotes, up to a comma or the end of the line; `ended`
    // is set at the end of the file.
    bool readPlain(std::string& field, std::size_t& recordBytes, bool& ended);

    ByteStream& source_;
    QString name_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool started_ = false;
    std::vector<std::string> header_;
    std::vector<std::string> fields_;
    std::size_t count_ = 0;
    int line_ = 1;
    int recordLine_ = 0;
    QString error_;
    std::string empty_;

};

// A field as spreadsheets write it, and as CsvReader reads it back: quoted
// when it holds a comma, a quote (doubled), a line break, or spaces the reader
// would trim.
QString csvField(const QString& text);

// A whole table written to `path` in one step (no half-written file is left),
// or why not: "Cannot write "PATH": reason".
Status writeCsvFile(const QString& path, const QByteArray& bytes);

} // namespace vexel
