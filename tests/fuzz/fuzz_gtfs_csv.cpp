// Any bytes as a feed's CSV table, handed to the reader in pieces whose size
// the first byte chooses: the reader either names the table and the line of
// a fault, or gives UTF-8 records on rising lines that, written out again
// with every field quoted and read in other pieces, read back the same.
#include "FuzzCheck.h"

#include "feeds/CsvReader.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace vexel;

namespace {

class Pieces : public ByteStream {
public:
    Pieces(const QByteArray& bytes, qint64 piece) : bytes_(bytes), piece_(piece) {}
    qint64 read(char* data, qint64 capacity) override
    {
        const qint64 n = std::min({capacity, piece_, static_cast<qint64>(bytes_.size()) - at_});
        std::copy(bytes_.constData() + at_, bytes_.constData() + at_ + n, data);
        at_ += n;
        return n;
    }
    const QString& error() const override { return error_; }

private:
    const QByteArray& bytes_;
    qint64 piece_;
    qint64 at_ = 0;
    QString error_;

};

using Records = std::vector<std::vector<std::string>>;

bool readAll(const QByteArray& bytes, qint64 piece, Records& out)
{
    Pieces stream(bytes, piece);
    CsvReader csv(stream, QStringLiteral("fuzz.txt"));
    if (!csv.readHeader()) {
        FUZZ_CHECK(csv.error().toStdString().rfind("fuzz.txt", 0) == 0);
        return false;
    }
    out.push_back(csv.header());
    int line = csv.line();
    while (csv.next()) {
        FUZZ_CHECK(csv.line() > line);
        line = csv.line();
        std::vector<std::string> record;
        for (std::size_t i = 0; i < csv.size(); ++i) {
            const std::string& f = csv.field(static_cast<int>(i));
            // Valid UTF-8 (QString::fromUtf8 would drop a U+FEFF a field starts with).
            FUZZ_CHECK(QByteArrayView(f.data(), static_cast<qsizetype>(f.size())).isValidUtf8());
            FUZZ_CHECK(f.find('\r') == std::string::npos);
            record.push_back(f);
        }
        out.push_back(record);
    }
    if (csv.failed()) {
        FUZZ_CHECK(csv.error().toStdString().rfind("fuzz.txt, line ", 0) == 0);
        return false;
    }
    return true;
}

QByteArray quoted(const std::string& field)
{
    QByteArray text = QByteArray::fromStdString(field);
    text.replace("\"", "\"\"");
    return "\"" + text + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const qint64 piece = 1 + data[0] % 16;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    Records records;
    if (!readAll(bytes, piece, records))
        return 0;
    QByteArray again;
    for (const auto& record : records) {
        for (std::size_t i = 0; i < record.size(); ++i)
            again += (i ? "," : "") + quoted(record[i]);
        again += "\r\n";
    }
    Records reread;
    FUZZ_CHECK(readAll(again, 4096, reread));
    FUZZ_CHECK(reread == records);
    return 0;
}
