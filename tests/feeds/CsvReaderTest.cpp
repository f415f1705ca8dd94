#include "feeds/CsvReader.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>

#include <string>
#include <vector>

using namespace vexel;

namespace {

// Hands out `bytes` at most `chunk` at a time, so records and escapes fall
// across the reader's buffer refills.
class ChunkStream : public ByteStream {
public:
    ChunkStream(QByteArray bytes, qint64 chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
    qint64 read(char* data, qint64 capacity) override
    {
        const qint64 n = std::min({capacity, chunk_, static_cast<qint64>(bytes_.size()) - at_});
        std::copy(bytes_.constData() + at_, bytes_.constData() + at_ + n, data);
        at_ += n;
        return n;
    }
    const QString& error() const override { return error_; }

private:
    QByteArray bytes_;
    qint64 chunk_;
    qint64 at_ = 0;
    QString error_;

};

struct Read {
    std::vector<std::vector<std::string>> records; // the header first
    std::vector<int> lines;
    std::string error;
};

Read readAll(const QByteArray& bytes, qint64 chunk = 1 << 20, const QString& name = QStringLiteral("t.txt"))
{
    ChunkStream stream(bytes, chunk);
    CsvReader csv(stream, name);
    Read out;
    if (!csv.readHeader()) {
        out.error = csv.error().toStdString();
        return out;
    }
    out.records.push_back(csv.header());
    out.lines.push_back(csv.line());
    while (csv.next()) {
        out.records.emplace_back();
        for (std::size_t i = 0; i < csv.size(); ++i)
            out.records.back().push_back(csv.field(static_cast<int>(i)));
        out.lines.push_back(csv.line());
    }
    out.error = csv.error().toStdString();
    return out;
}

const QByteArray Table = "\xEF\xBB\xBF"
                         "id, name ,note\r\n"
                         "1,\"Didube, north\",\"say \"\"hi\"\"\"\r\n"
                         "\r\n"
                         "2,\"two\r\nlines\",\n"
                         "3,5\" Ave,\r"
                         "4,last,\"\"";

// Every way of cutting the bytes into reads gives the same records: a BOM,
// CRLF, LF and CR line ends, quotes, doubled quotes, line breaks in quotes,
// blank lines, empty last fields, a stray quote kept as a letter.
TEST(CsvReader, RecordsDoNotDependOnHowTheBytesArrive)
{
    const std::vector<std::vector<std::string>> expected = {
        {"id", "name", "note"},
        {"1", "Didube, north", "say \"hi\""},
        {"2", "two\nlines", ""},
        {"3", "5\" Ave", ""},
        {"4", "last", ""},
    };
    for (qint64 chunk : {1, 2, 3, 5, 7, 64, 1 << 20}) {
        const Read r = readAll(Table, chunk);
        EXPECT_EQ(r.error, "") << chunk;
        EXPECT_EQ(r.records, expected) << "chunk " << chunk;
        EXPECT_EQ(r.lines, (std::vector<int>{1, 2, 4, 6, 7})) << "chunk " << chunk;
    }
}

TEST(CsvReader, FaultsNameTheFileAndLine)
{
    struct Case {
        QByteArray text;
        const char* error;
    };
    const Case cases[] = {
        {"", "t.txt: the file is empty"},
        {"a,b\n1,\"open\n\n", "t.txt, line 2: a quoted field is not closed"},
        {"a,b\n\n1,\"x\"y\n", "t.txt, line 3: a quoted field must end at a comma"},
        {"a,b\n1,\xC3\x28\n", "t.txt, line 2: the text is not UTF-8"},
        {"a,b\n1,\xED\xA0\x80\n", "t.txt, line 2: the text is not UTF-8"},
        {"a,b,a\n", "t.txt, line 1: the column \"a\" is named twice"},
        {"a\n" + QByteArray(CsvReader::MaxRecordBytes + 10, 'x'), "t.txt, line 2: the record is longer than 1 MiB"},
        {"a\n\"" + QByteArray(CsvReader::MaxRecordBytes + 10, 'x') + "\"", "t.txt, line 2: the record is longer"},
    };
    for (const Case& c : cases) {
        const Read r = readAll(c.text, 4096);
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << r.error;
    }
    // A file name is not a pattern for the line and the reason.
    const Read named = readAll("a,b\n1,\"open\n", 4096, QStringLiteral("stops %2 %3.txt"));
    EXPECT_EQ(named.error.rfind("stops %2 %3.txt, line 2: a quoted field is not closed", 0), 0u) << named.error;
}

TEST(CsvReader, ColumnsAreFoundByNameAndShortRecordsReadEmpty)
{
    ChunkStream stream("trip_id,stop_headsign\n7\n", 100);
    CsvReader csv(stream, QStringLiteral("s.txt"));
    ASSERT_TRUE(csv.readHeader());
    EXPECT_EQ(csv.column("stop_headsign"), 1);
    EXPECT_EQ(csv.column("missing"), -1);
    ASSERT_TRUE(csv.next());
    EXPECT_EQ(csv.field(0), "7");
    EXPECT_EQ(csv.field(1), "");
    EXPECT_EQ(csv.field(-1), "");
    EXPECT_FALSE(csv.next());
    EXPECT_FALSE(csv.failed());
}

// A byte order mark inside a title (after a stray control character, or
// written back quoted) is cleaned away like white space, so titles read the
// same however many times the table is written and read again.
TEST(CsvReader, TitlesLoseByteOrderMarksAndWhiteSpaceAtEitherEnd)
{
    for (const QByteArray& text : {QByteArray("\"\",\x0b\xEF\xBB\xBFstop_name\n"), QByteArray("\"\",\"\xEF\xBB\xBFstop_name\"\n"),
                                   QByteArray("\"\", stop_name\xEF\xBB\xBF \n")}) {
        ChunkStream stream(text, 3);
        CsvReader csv(stream, QStringLiteral("t.txt"));
        ASSERT_TRUE(csv.readHeader()) << csv.error().toStdString();
        EXPECT_EQ(csv.column("stop_name"), 1) << text.toStdString();
    }
}

} // namespace

namespace {

// What the writers put in a field comes back as it was: the quoting they
// share agrees with the reader on every character the reader treats apart.
TEST(CsvReader, FieldsWrittenReadBackUnchanged)
{
    const QStringList fields = {"plain", "a,b", "say \"hi\"", "two\nlines", "cr\ronly", " padded ",
                                "\tlead", "ვაკე — დიდუბე", "", "\""};
    QByteArray bytes = "value\n";
    for (const QString& f : fields)
        bytes += csvField(f).toUtf8() + "\n";
    MemoryStream stream(bytes);
    CsvReader csv(stream, QStringLiteral("t.csv"));
    ASSERT_TRUE(csv.readHeader());
    QStringList back;
    while (csv.next())
        back << QString::fromStdString(csv.field(0));
    EXPECT_FALSE(csv.failed()) << csv.error().toStdString();
    // The empty field is a blank line, which the reader skips; a lone CR in
    // quotes is a line break, read as LF.
    QStringList expected = fields;
    expected.removeAll(QString());
    expected.replaceInStrings("\r", "\n");
    EXPECT_EQ(back, expected);
    EXPECT_EQ(csvField("plain"), "plain") << "a plain field stays unquoted";
}

} // namespace
