// The checks before Send, each finding on a crafted send list.
#include "app/InterfaceTranslation.h"
#include "depot/Preflight.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;
using Kind = Finding::Kind;

namespace {

ImageRecord record(const QByteArray& text)
{
    const Expected<ImageRecord> parsed = ImageFile::parse(text);
    EXPECT_TRUE(parsed.ok()) << parsed.error().toStdString();
    EXPECT_TRUE(parsed->check().ok()) << parsed->check().error().toStdString();
    return *parsed;
}

PreflightFile file(const QString& name, const QByteArray& text)
{
    return PreflightFile{name, QStringLiteral("/nowhere/") + name, record(text), std::nullopt};
}

// One frame of a 96 x 24 board with every LED of the first row lit.
QByteArray litImage()
{
    QByteArray text = "0001\r\n000001F40000000000600018\r\n" + QByteArray("FF").repeated(12) + "\r\n";
    for (int r = 1; r < 24; ++r)
        text += QByteArray("00").repeated(12) + "\r\n";
    return text;
}

struct Seen {
    QString file;
    int frame;
    Kind kind;
    bool operator==(const Seen& o) const { return file == o.file && frame == o.frame && kind == o.kind; }
};

std::vector<Seen> seen(const std::vector<Finding>& findings)
{
    std::vector<Seen> out;
    for (const Finding& f : findings)
        out.push_back({f.file, f.frame.value_or(-1), f.kind});
    return out;
}

void PrintTo(const Seen& s, std::ostream* os) { *os << s.file.toStdString() << "/" << s.frame << "/" << int(s.kind); }

} // namespace

TEST(Preflight, ACleanListHasNothingToReport)
{
    PreflightInput input;
    input.files = {file("a.img", litImage()), file("b.img", litImage())};
    input.missingCharacters["a.img"] = QString(); // the text tool found nothing missing
    EXPECT_TRUE(Preflight::check(input).empty());
}

TEST(Preflight, FramesThatShowNothingOrHoldForNoTime)
{
    // Frame 1 is dark and has no duration; frame 2 lights only columns 0..3,
    // which lie in its row bytes but outside its window (4..7); frame 3 is lit.
    const QByteArray text = "0004\r\n" + litImage().mid(6) +
                            "010000000000000000080002\r\n00\r\n00\r\n"
                            "020001F40004000000040001\r\nF0\r\n"
                            "030001F40004000000040001\r\n0F\r\n";
    PreflightInput input;
    input.files = {file("dark.img", text)};
    const std::vector<Finding> findings = Preflight::check(input);
    EXPECT_EQ(seen(findings), (std::vector<Seen>{{"dark.img", 1, Kind::NoLitLed},
                                                 {"dark.img", 1, Kind::ZeroDuration},
                                                 {"dark.img", 2, Kind::NoLitLed}}));
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings[0].line(), QStringLiteral("dark.img, frame 1: no LED is lit."));
}

TEST(Preflight, AFileMadeForAnotherBoard)
{
    PreflightInput input;
    input.files = {file("wide.img", testing_support::randomImageText(1, 128, 24)),
                   file("small.img", testing_support::randomImageText(1, 96, 16)), file("right.img", litImage())};
    const std::vector<Finding> findings = Preflight::check(input);
    EXPECT_EQ(seen(findings),
              (std::vector<Seen>{{"wide.img", -1, Kind::BoardSize}, {"small.img", -1, Kind::BoardSize}}));
    EXPECT_NE(findings[0].message.indexOf(QStringLiteral("128 x 24")), -1) << findings[0].message.toStdString();

    // LEDs lit only beyond the board's edge show nothing.
    QByteArray beyond = "0001\r\n000001F40000000000680018\r\n";
    for (int r = 0; r < 24; ++r)
        beyond += QByteArray("00").repeated(12) + "FF\r\n";
    input.files = {file("beyond.img", beyond)};
    EXPECT_EQ(seen(Preflight::check(input)),
              (std::vector<Seen>{{"beyond.img", -1, Kind::BoardSize}, {"beyond.img", 0, Kind::NoLitLed}}));
}

TEST(Preflight, MissingCharactersTheTextToolRecorded)
{
    PreflightInput input;
    input.files = {file("a.img", litImage()), file("b.img", litImage())};
    input.missingCharacters["b.img"] = QStringLiteral("ჸ€");
    const std::vector<Finding> findings = Preflight::check(input);
    ASSERT_EQ(seen(findings), (std::vector<Seen>{{"b.img", -1, Kind::MissingCharacters}}));
    EXPECT_NE(findings[0].message.indexOf(QStringLiteral("U+10F8")), -1);
    EXPECT_NE(findings[0].message.indexOf(QStringLiteral("U+20AC")), -1);
}

TEST(Preflight, MessagesBeyondTheirLimits)
{
    // Eleven frames of the largest board: one file over 65,535 bytes.
    PreflightInput big;
    big.boardWidth = 488;
    big.boardHeight = 100;
    big.files = {file("big.img", testing_support::randomImageText(11, 488, 100))};
    const std::vector<Finding> findings = Preflight::check(big);
    EXPECT_EQ(seen(findings), (std::vector<Seen>{{"big.img", -1, Kind::MessageSize}, {"", -1, Kind::MessageSize}}));

    // Six frames each: every file fits, the two together do not.
    PreflightInput pair = big;
    pair.files = {file("one.img", testing_support::randomImageText(6, 488, 100)),
                  file("two.img", testing_support::randomImageText(6, 488, 100))};
    EXPECT_EQ(seen(Preflight::check(pair)), (std::vector<Seen>{{"", -1, Kind::MessageSize}}));

    // 256 small files: one more than the count field holds.
    PreflightInput many;
    many.boardWidth = 8;
    many.boardHeight = 1;
    const ImageRecord small = record("0001\r\n000001F40000000000080001\r\nFF\r\n");
    for (int i = 0; i < 256; ++i)
        many.files.push_back(PreflightFile{QStringLiteral("%1.img").arg(i), QString(), small, std::nullopt});
    const std::vector<Finding> counted = Preflight::check(many);
    ASSERT_EQ(seen(counted), (std::vector<Seen>{{"", -1, Kind::MessageSize}}));
    EXPECT_NE(counted[0].message.indexOf(QStringLiteral("256 files")), -1) << counted[0].message.toStdString();
}

TEST(Preflight, FilesOnDiskChangedOrUnreadable)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    const QStringList names{"same.img", "edited.img", "gone.img", "broken.img"};
    for (const QString& name : names)
        testing_support::writeAll(folder + name, litImage());
    PreflightInput input;
    input.stamps = Preflight::stamps(names, folder);
    ASSERT_EQ(input.stamps.size(), 4u);

    QByteArray edited = litImage();
    edited.replace("FFFF", "F0F0");
    testing_support::writeAll(folder + "edited.img", edited);
    {
        // The same size: only the time tells.
        QFile touched(folder + "edited.img");
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        ASSERT_TRUE(touched.setFileTime(input.stamps["edited.img"].modified.addSecs(5), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(QFile::remove(folder + "gone.img"));
    testing_support::writeAll(folder + "broken.img", "0001\r\n000001F4000000000060001\r\n");

    input.files = Preflight::load(names, folder);
    const std::vector<Finding> findings = Preflight::check(input);
    EXPECT_EQ(seen(findings), (std::vector<Seen>{{"edited.img", -1, Kind::ChangedOnDisk},
                                                 {"gone.img", -1, Kind::ChangedOnDisk},
                                                 {"gone.img", -1, Kind::Unreadable},
                                                 {"broken.img", -1, Kind::ChangedOnDisk},
                                                 {"broken.img", -1, Kind::Unreadable}}));
    // The load's own message, naming the file and the line.
    const Finding& broken = findings.back();
    EXPECT_NE(broken.message.indexOf(QDir::toNativeSeparators(folder + "broken.img")), -1);
    EXPECT_NE(broken.message.indexOf(QStringLiteral("line 2")), -1) << broken.message.toStdString();
}

// The editor shows the findings in its interface's language; `vexel check`
// loads no translation, and a file's or a sign's name is kept as it is.
TEST(Preflight, FindingsInTheInterfacesLanguage)
{
    const QByteArray dark = "0002\r\n" + litImage().mid(6) + "010001F40000000000080002\r\n00\r\n00\r\n";
    PreflightInput input;
    input.files = {file("dark%1.img", dark), file("wide.img", testing_support::randomImageText(1, 128, 24))};
    input.files.back().sign = TargetSign{QStringLiteral("front"), 160, 19};
    const std::vector<Finding> english = Preflight::check(input);
    ASSERT_EQ(english.size(), 2u);
    EXPECT_EQ(english[0].line(), QStringLiteral("dark%1.img, frame 1: no LED is lit."));
    EXPECT_EQ(english[1].line(), QStringLiteral("wide.img: made for a 128 x 24 board (its widest frame windows), "
                                                "not for the 160 x 19 board of the front sign."));

    const InterfaceTranslation georgian(AppSettings::InterfaceLanguage::Georgian);
    ASSERT_TRUE(georgian.georgian()) << "the Georgian translations are not built in";
    const std::vector<Finding> shown = Preflight::check(input);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].line(), QString::fromUtf8("dark%1.img, კადრი 1: არცერთი წერტილი არ ანთია."));
    EXPECT_EQ(shown[1].line(), QString::fromUtf8("wide.img: შექმნილია 128 x 24 ტაბლოსთვის (კადრის არეების "
                                                 "მიხედვით) და არა „front“ ტაბლოს 160 x 19 ზომისთვის."));
}
