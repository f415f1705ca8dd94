#include "settings/IniFile.h"
#include "../support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const char* text;
    bool ok;
    int value;
};

class IntegerReading : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerReading, FollowsTheProfileRules)
{
    const IntegerCase c = GetParam();
    bool ok = true;
    const int value = IniFile::parseInteger(QString::fromLatin1(c.text), &ok);
    EXPECT_EQ(ok, c.ok) << c.text;
    if (c.ok) {
        EXPECT_EQ(value, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, IntegerReading,
                         ::testing::Values(IntegerCase{"255", true, 255}, IntegerCase{"-17", true, -17},
                                           IntegerCase{"0x0000FF", true, 255}, IntegerCase{"0XfF", true, 255},
                                           IntegerCase{"$808080", true, 0x808080},
                                           IntegerCase{"0xFFFFFFFF", true, -1},
                                           IntegerCase{"2147483647", true, 2147483647},
                                           IntegerCase{"-2147483648", true, -2147483647 - 1},
                                           IntegerCase{"2147483648", false, 0}, IntegerCase{"0x100000000", false, 0},
                                           IntegerCase{"yes", false, 0}, IntegerCase{"", false, 0},
                                           IntegerCase{"0x", false, 0}, IntegerCase{"$", false, 0},
                                           IntegerCase{"12abc", false, 0}, IntegerCase{"1 2", false, 0},
                                           IntegerCase{"0x0x12", false, 0}, IntegerCase{"FF", false, 0},
                                           IntegerCase{"--1", false, 0}));

TEST(IniFile, ReplacedValueStaysInPlaceAndNewKeysGoToTheEndOfTheirSection)
{
    IniFile ini;
    ini.loadText("[A]\nOne=1\nTwo=2\n\n[B]\nX=x\n");
    ini.writeString("A", "One", "first");
    ini.writeString("A", "Three", "3");
    ini.writeString("C", "Y", "y");
    QByteArray text = ini.text();
    text.replace("\n\n", "\n").replace("\n\n", "\n");
    EXPECT_EQ(text, QByteArray("[A]\nOne=first\nTwo=2\nThree=3\n[B]\nX=x\n[C]\nY=y\n"));
}

TEST(IniFile, NamesCompareWithoutCase)
{
    IniFile ini;
    ini.loadText("[settings]\ntb_w=120\n");
    EXPECT_EQ(ini.readInteger("Settings", "Tb_W", 0), 120);
}

TEST(IniFile, StringsAreCutAtTheirLimit)
{
    IniFile ini;
    ini.writeString("S", "Long", QString(3000, QLatin1Char('a')));
    EXPECT_EQ(ini.readString("S", "Long", QString()).size(), IniFile::MaxStringLength);
    EXPECT_EQ(ini.readString("S", "Missing", "def"), QStringLiteral("def"));
}

TEST(IniFile, FailedSaveKeepsTheOldFile)
{
    testing_support::ScratchMount scratch;
    if (!scratch.valid())
        GTEST_SKIP() << "no scratch file system";
    const QString path = scratch.folder() + "x.ini";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[A]\nK=old\n");
    f.close();
    ASSERT_TRUE(scratch.makeReadOnly());
    IniFile ini;
    ini.load(path);
    ini.writeString("A", "K", "new");
    const vexel::Status status = ini.save(path);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.error().toStdString(), "Unable to write to " + path.toStdString());
    IniFile again;
    again.load(path);
    EXPECT_EQ(again.readString("A", "K", QString()), QStringLiteral("old"));
}

TEST(IniFile, SaveIntoAPlaceThatCannotHoldAFileFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = dir.filePath("plain");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString path = blocker + "/x.ini";
    IniFile ini;
    ini.writeString("A", "K", "v");
    const vexel::Status status = ini.save(path);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.error().toStdString(), "Unable to write to " + path.toStdString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plain"});
}

} // namespace
