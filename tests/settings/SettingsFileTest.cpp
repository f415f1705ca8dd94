#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Exe = QStringLiteral("/opt/vexel/");

SettingsFile fromText(const QByteArray& text)
{
    IniFile ini;
    ini.loadText(text);
    return SettingsFile::read(ini, Exe);
}

QByteArray written(const SettingsFile& s, const QByteArray& before = QByteArray())
{
    IniFile ini;
    ini.loadText(before);
    s.write(ini);
    return ini.text();
}

TEST(SettingsFile, MissingFileGivesTheDefaults)
{
    QTemporaryDir dir;
    const SettingsFile s = SettingsFile::load(dir.filePath("Lumaro.ini"), Exe);
    EXPECT_EQ(s.left, 100);
    EXPECT_EQ(s.top, 100);
    EXPECT_EQ(s.width, 1023);
    EXPECT_EQ(s.height, 724);
    EXPECT_EQ(s.flashDelay, 500);
    EXPECT_EQ(s.boardWidth, 96);
    EXPECT_EQ(s.boardHeight, 24);
    EXPECT_EQ(s.cellSize, 10);
    EXPECT_EQ(s.backColor, 0u);
    EXPECT_EQ(s.ledColor, 255u);
    EXPECT_EQ(s.gridColor, 8421504u);
    EXPECT_EQ(s.dataFolder, Exe);
    EXPECT_TRUE(s.dataFileName.isEmpty());
    EXPECT_FALSE(s.grid);
    EXPECT_EQ(s.comPort, QStringLiteral("COM1"));
    EXPECT_EQ(s.baudRate, QStringLiteral("19200"));
    EXPECT_EQ(s.timeOut, 1000);
    EXPECT_TRUE(s.roundedLeds);
    EXPECT_FALSE(s.frameBounds);
    EXPECT_TRUE(s.sendList.isEmpty());
}

struct BoolCase {
    const char* text;
    bool grid;
};

class GridValue : public ::testing::TestWithParam<BoolCase> {};

TEST_P(GridValue, AnyNonZeroNumberIsOn)
{
    const BoolCase c = GetParam();
    EXPECT_EQ(fromText(QByteArray("[Settings]\nGrid=") + c.text + "\n").grid, c.grid) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, GridValue,
                         ::testing::Values(BoolCase{"1", true}, BoolCase{"2", true}, BoolCase{"-1", true},
                                           BoolCase{"0x10", true}, BoolCase{"0", false}, BoolCase{"yes", false},
                                           BoolCase{"", false}));

TEST(SettingsFile, HexColourIsWrittenBackInDecimal)
{
    const SettingsFile s = fromText("[Settings]\nFg_Cl=0x0000FF\nBg_Cl=$FF0000\nGr_Cl=grey\n");
    EXPECT_EQ(s.ledColor, 255u);
    EXPECT_EQ(s.backColor, 0xFF0000u);
    EXPECT_EQ(s.gridColor, 0x808080u);
    const QByteArray text = written(s);
    EXPECT_TRUE(text.contains("\nFg_Cl=255\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nBg_Cl=16711680\n")) << text.constData();
}

TEST(SettingsFile, SendListFollowsTheLineOrderNotTheKeyNumbers)
{
    SettingsFile s = fromText("[Files]\nFile_7=b.img\nFile_2=a.img\n");
    EXPECT_EQ(s.sendList, (QStringList{"b.img", "a.img"}));
    const QByteArray text = written(s, "[Files]\nFile_7=b.img\nFile_2=a.img\n");
    EXPECT_TRUE(text.contains("[Files]\nFile_1=b.img\nFile_2=a.img\n")) << text.constData();
    EXPECT_FALSE(text.contains("File_7"));
}

TEST(SettingsFile, SendListValueKeepsEverythingAfterTheFirstEquals)
{
    const SettingsFile s = fromText("[Files]\nFile_1=a=b==c.img\n");
    EXPECT_EQ(s.sendList, QStringList{"a=b==c.img"});
    EXPECT_TRUE(written(s).contains("File_1=a=b==c.img\n"));
}

TEST(SettingsFile, RewriteLeavesOnlyConsecutiveKeys)
{
    const QByteArray before = "[Files]\nFile_1=a\nFile_2=b\nFile_3=c\nFile_4=d\n\n[Settings]\nTb_W=96\n";
    SettingsFile s = fromText(before);
    s.sendList = QStringList{"b", "d"};
    const QByteArray text = written(s, before);
    IniFile ini;
    ini.loadText(text);
    EXPECT_EQ(ini.keys("Files"), (QStringList{"File_1", "File_2"}));
    EXPECT_EQ(ini.sectionValues("Files"), (QStringList{"File_1=b", "File_2=d"}));

    s.sendList.clear();
    EXPECT_FALSE(written(s, text).contains("[Files]"));
}

TEST(SettingsFile, SettingsKeysAreWrittenInTheirOrderWithoutSpaces)
{
    SettingsFile s = SettingsFile::defaults(Exe);
    s.dataFileName = QStringLiteral("route12.img");
    const QByteArray expected = "[Settings]\n"
                                "Left=100\nTop=100\nWidth=1023\nHeight=724\nFlash_delay=500\nTb_W=96\nTb_H=24\n"
                                "Dt_=10\nBg_Cl=0\nFg_Cl=255\nGr_Cl=8421504\nData_Filename_Path=/opt/vexel/\n"
                                "Data_Filename=route12.img\nGrid=0\nCOM_Port=COM1\nBaud_Rate=19200\nTime_Out=1000\n"
                                "Rounded_Leds=1\nFrame_bounds=0\n";
    EXPECT_EQ(written(s), expected);
}

TEST(SettingsFile, UnknownKeysAndSectionsSurviveARewrite)
{
    const QByteArray before = "[Settings]\nTb_W=200\nExtra=keep\n\n[Other]\nA=1\n";
    SettingsFile s = fromText(before);
    EXPECT_EQ(s.boardWidth, 200);
    s.boardWidth = 120;
    const QByteArray text = written(s, before);
    EXPECT_TRUE(text.startsWith("[Settings]\nTb_W=120\nExtra=keep\nLeft=100\n")) << text.constData();
    EXPECT_TRUE(text.contains("[Other]\nA=1\n"));
}

TEST(SettingsFile, UnwritableFileReportsItsPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-folder/Lumaro.ini");
    const vexel::Status status = SettingsFile::defaults(Exe).save(path);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.error().toStdString(), "Unable to write to " + path.toStdString());
}

} // namespace

TEST(SettingsFile, AFileTooLargeToReadGivesTheDefaultsAndIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumaro.ini");
    const QByteArray big = "[Settings]\r\nTB_W=200\r\n;" + QByteArray(IniFile::MaxFileBytes, 'x');
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(big), big.size());
    }
    SettingsFile s = SettingsFile::load(path, Exe);
    EXPECT_EQ(s.boardWidth, 96);
    s.boardWidth = 120;
    const vexel::Status saved = s.save(path);
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().toStdString().find("It is larger than 1 MiB."), std::string::npos) << saved.error().toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), big);
}
