// A zip member's ratio is weighed as it is inflated: a bomb hidden in front
// of incompressible bytes is stopped at its start, not after it.
#include "GtfsTestFeed.h"

#include "feeds/ZipArchive.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

// Reads the member through, from the zip file or from its bytes in memory;
// how many bytes came out, and the error.
std::pair<qint64, std::string> drain(const QByteArray& member, ZipArchive::Limits limits, bool inMemory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.zip"));
    EXPECT_TRUE(gtfs_test::writeZip(path, {{"m.txt", member}}));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    auto zip = inMemory ? ZipArchive::fromBytes(file.readAll(), QStringLiteral("m.zip")) : ZipArchive::open(path);
    EXPECT_TRUE(zip.ok()) << zip.error().toStdString();
    auto stream = (*zip)->read(*(*zip)->find(QStringLiteral("m.txt")), limits);
    EXPECT_TRUE(stream.ok());
    std::vector<char> buffer(64 * 1024);
    qint64 total = 0;
    for (;;) {
        const qint64 n = (*stream)->read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (n <= 0)
            return {total, n < 0 ? (*stream)->error().toStdString() : std::string()};
        total += n;
    }
}

class ZipArchiveRatio : public ::testing::TestWithParam<bool> {};

TEST_P(ZipArchiveRatio, IsWeighedAgainstTheCompressedBytesReadSoFar)
{
    ZipArchive::Limits limits;
    limits.maxRatio = 20;
    // 32 MiB of one letter, then 4 MiB of noise: 9 to 1 over the member, far
    // more over its first part.
    const QByteArray hidden = QByteArray(32 * 1024 * 1024, 'a') + noise(4 * 1024 * 1024);
    const auto [read, error] = drain(hidden, limits, GetParam());
    EXPECT_NE(error.find("\"m.txt\" in \"m.zip\" decompresses to more than 20 times its compressed size (a zip bomb)"),
              std::string::npos)
        << error;
    EXPECT_LT(read, 4 * 1024 * 1024);

    // The same bytes the other way round stay within the ratio all along.
    const QByteArray plain = noise(4 * 1024 * 1024) + QByteArray(32 * 1024 * 1024, 'a');
    limits.maxBytes = 64 * 1024 * 1024;
    const auto [whole, none] = drain(plain, limits, GetParam());
    EXPECT_EQ(none, std::string());
    EXPECT_EQ(whole, plain.size());
}

INSTANTIATE_TEST_SUITE_P(FileAndBytes, ZipArchiveRatio, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) { return param.param ? "Bytes" : "File"; });

} // namespace
