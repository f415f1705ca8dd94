#include "document/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/ScratchMount.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ImageFileParse, EveryLineBreakKindEndsALine)
{
    const std::vector<std::string> expected{"0001", "ab", "", "cd"};
    for (const QByteArray& text : {QByteArray("0001\r\nab\r\n\r\ncd\r\n"), QByteArray("0001\nab\n\ncd"),
                                   QByteArray("0001\rab\r\rcd\r"), QByteArray("0001\r\nab\n\rcd")}) {
        const Expected<ImageRecord> r = ImageFile::parse(text);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->lines(), expected) << text.toStdString();
    }
}

// A large text with lone CRs only: every line ends at its own CR, and
// finding the line ends stays a single pass over the text.
TEST(ImageFileParse, ALargeTextOfLoneCarriageReturnsSplitsAtEachOne)
{
    QByteArray text;
    constexpr int Lines = 60000;
    for (int i = 0; i < Lines; ++i)
        text += "00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF\r";
    const Expected<ImageRecord> r = ImageFile::parse(text);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->lineCount(), Lines);
    EXPECT_EQ(r->line(Lines - 1), "00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF00FF");
}

TEST(ImageFileParse, RefusesOverlongLinesAndOversizeText)
{
    EXPECT_FALSE(ImageFile::parse(QByteArray(4097, '0')));
    EXPECT_TRUE(ImageFile::parse(QByteArray(4096, '0')));
    EXPECT_TRUE(ImageFile::parse(QByteArray(4096, '0') + "\n" + QByteArray(4096, '1')));
    EXPECT_FALSE(ImageFile::parse(QByteArray(4096, '0') + "\r\n" + QByteArray(4097, '1') + "\r\n"));
    // The largest text: 2048 lines of 4095 characters and their LF.
    QByteArray largest;
    while (largest.size() < ImageFile::MaxTextSize)
        largest += QByteArray(4095, '0') + "\n";
    ASSERT_EQ(largest.size(), ImageFile::MaxTextSize);
    EXPECT_TRUE(ImageFile::parse(largest));
    const Expected<ImageRecord> big = ImageFile::parse(QByteArray(ImageFile::MaxTextSize + 1, '\n'));
    ASSERT_FALSE(big);
    EXPECT_EQ(big.error(), "Text exceeds memo capacity");
}

class ImageFileDisk : public ::testing::Test {
protected:
    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(ImageFileDisk, WritesTheRecordVerbatimWithCrLf)
{
    PixelArray bits;
    const ImageRecord record = ImageRecord::blank(0, 0, 500, 96, 24, bits);
    ASSERT_TRUE(ImageFile::write(path("new.img"), record));
    const QByteArray bytes = fileBytes(path("new.img"));
    EXPECT_EQ(bytes.size(), 656);
    EXPECT_TRUE(bytes.startsWith("0001\r\n000001F40000000000600018\r\n"));
    EXPECT_TRUE(bytes.endsWith(QByteArray(24, '0') + "\r\n"));

    const Expected<ImageRecord> back = ImageFile::load(path("new.img"));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, record);
}

TEST_F(ImageFileDisk, AMissingLastLineBreakLoadsTheSame)
{
    writeBytes(path("a.img"), "0001\r\n000001F40000000000080001\r\n80");
    const Expected<ImageRecord> r = ImageFile::load(path("a.img"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lineCount(), 3);
    EXPECT_EQ(r->line(2), "80");
}

TEST_F(ImageFileDisk, RefusalsNameTheFileAndLine)
{
    const Expected<ImageRecord> missing = ImageFile::load(path("none.img"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().toStdString().rfind("Cannot open file \"" + path("none.img").toStdString() + "\". ", 0), 0u)
        << missing.error().toStdString();

    writeBytes(path("bad.img"), "0001\r\n000001F40000000000080001\r\n8Q\r\n");
    const Expected<ImageRecord> bad = ImageFile::load(path("bad.img"));
    ASSERT_FALSE(bad);
    EXPECT_NE(bad.error().toStdString().find(path("bad.img").toStdString()), std::string::npos);
    EXPECT_NE(bad.error().toStdString().find("line 3: '$8Q' is not a valid integer value"), std::string::npos) << bad.error().toStdString();

    const Expected<ImageRecord> folder = ImageFile::load(dir.path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().toStdString().rfind("Cannot open file", 0), 0u);

    // Too large to hold: refused by its size before a byte is read.
    QFile big(path("big.img"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(ImageFile::MaxTextSize + 1));
    big.close();
    const Expected<ImageRecord> tooBig = ImageFile::load(path("big.img"));
    ASSERT_FALSE(tooBig);
    EXPECT_EQ(tooBig.error().toStdString(), "Cannot load \"" + path("big.img").toStdString() + "\": Text exceeds memo capacity");
}

TEST(ImageFileFaults, AFailedWriteLeavesTheOldFileWhole)
{
    for (const bool full : {false, true}) {
        testing_support::ScratchMount mount(16);
        if (!mount.valid())
            GTEST_SKIP() << "no scratch file system can be mounted here";
        const QString path = mount.folder() + QStringLiteral("keep.img");
        writeBytes(path, "0001\r\n");
        if (full) {
            mount.fill();
        } else {
            ASSERT_TRUE(mount.makeReadOnly());
        }
        PixelArray bits;
        const ImageRecord big = ImageRecord::blank(0, 0, 500, 488, 100, bits); // about 12 KB
        const Status s = ImageFile::write(path, big);
        ASSERT_FALSE(s) << (full ? "full" : "read-only");
        EXPECT_EQ(s.error().toStdString().rfind("Cannot create file \"" + path.toStdString() + "\". ", 0), 0u) << s.error().toStdString();
        EXPECT_EQ(fileBytes(path), "0001\r\n");
    }
}
