// The settings object and the store that reads and writes Lumaro.ini for it.
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() : store(settings)
    {
        store.setExecutableFolder(dir.path() + "/");
        store.setSession([this] { return session; }, [this](const vexel::SessionState& s) { session = s; });
    }
    QTemporaryDir dir;
    vexel::AppSettings settings;
    vexel::SettingsStore store;
    vexel::SessionState session;
};

// A file as the editor writes it, every key in its place: the send list is
// written last, as a section of its own.
const QByteArray Full = "[Settings]\nLeft=12\nTop=34\nWidth=800\nHeight=600\nFlash_delay=-7\nTb_W=120\nTb_H=32\n"
                        "Dt_=6\nBg_Cl=0\nFg_Cl=65280\nGr_Cl=12632256\nData_Filename_Path=/data/signs/\n"
                        "Data_Filename=route.img\nGrid=1\nCOM_Port=/dev/ttyUSB0\nBaud_Rate=9600\nTime_Out=2500\n"
                        "Rounded_Leds=0\nFrame_bounds=1\n\n\n[Files]\nFile_1=a.img\nFile_2=b=c.img\n";

TEST_F(SettingsStoreTest, AFileReadAndWrittenAgainKeepsEveryByte)
{
    writeAll(store.path(), Full);
    store.load();
    EXPECT_EQ(settings.boardWidth(), 120);
    EXPECT_EQ(settings.ledColor(), 0x00FF00u);
    EXPECT_EQ(settings.gridInset(), 1);
    EXPECT_FALSE(settings.roundedLeds());
    EXPECT_EQ(session.sendList, QStringList({"a.img", "b=c.img"}));
    EXPECT_EQ(session.dataFolder, "/data/signs/");
    EXPECT_FALSE(settings.loading());

    settings.setStartupDone(true);
    ASSERT_TRUE(store.save());
    const QByteArray once = readAll(store.path());
    ASSERT_TRUE(store.save());
    ASSERT_TRUE(store.save());
    EXPECT_EQ(readAll(store.path()).toStdString(), once.toStdString());
    EXPECT_EQ(once.toStdString(), Full.toStdString());
}

TEST_F(SettingsStoreTest, NothingIsWrittenBeforeStartUpOrWhileLoading)
{
    EXPECT_TRUE(store.save());
    EXPECT_FALSE(QFile::exists(store.path()));
    settings.setStartupDone(true);
    settings.setLoading(true);
    EXPECT_TRUE(store.save());
    EXPECT_FALSE(QFile::exists(store.path()));
}

TEST_F(SettingsStoreTest, AMissingFolderInTheFileIsTheDefaultAndAFolderGetsItsSeparator)
{
    store.load();
    EXPECT_EQ(session.dataFolder, dir.path() + "/") << "a folder the editor may write is its own data folder";
    writeAll(store.path(), "[Settings]\r\nData_Filename_Path=/data\r\n");
    store.load();
    EXPECT_EQ(session.dataFolder, "/data/");
}

TEST_F(SettingsStoreTest, EverySetterSignalsAlsoTheSameValueAndKeepsItInRange)
{
    QSignalSpy width(&settings, &vexel::AppSettings::boardWidthChanged);
    settings.setBoardWidth(96);
    settings.setBoardWidth(96);
    settings.setBoardWidth(1000);
    ASSERT_EQ(width.count(), 3);
    EXPECT_EQ(width.at(2).at(0).toInt(), 488);
    settings.setBoardHeight(0);
    EXPECT_EQ(settings.boardHeight(), 1);
    settings.setCellSize(500);
    EXPECT_EQ(settings.cellSize(), 100);
    QSignalSpy port(&settings, &vexel::AppSettings::portChanged);
    settings.setBaudRate(QStringLiteral("115200"));
    ASSERT_EQ(port.count(), 1);
    EXPECT_EQ(port.at(0).at(0).toString(), "COM1") << "the port and the rate travel together";
}

} // namespace

namespace {

TEST_F(SettingsStoreTest, TheSimulatorsStepHasASectionOfItsOwnOnlyOnceChanged)
{
    writeAll(store.path(), Full);
    store.load();
    EXPECT_EQ(settings.simulatorStep(), 30);
    settings.setStartupDone(true);
    ASSERT_TRUE(store.save());
    EXPECT_FALSE(readAll(store.path()).contains("Simulator")) << "the two sections stay as they were";

    settings.setSimulatorStep(45);
    ASSERT_TRUE(store.save());
    const QByteArray text = readAll(store.path());
    EXPECT_TRUE(text.startsWith(Full)) << "the new section comes after the old ones, which keep every byte";
    EXPECT_TRUE(text.endsWith("[Simulator]\nStep_ms=45\n")) << text.toStdString();

    vexel::AppSettings again;
    vexel::SettingsStore reader(again);
    reader.setExecutableFolder(dir.path() + "/");
    reader.load();
    EXPECT_EQ(again.simulatorStep(), 45);
    EXPECT_EQ(again.simulatorColour(), vexel::AppSettings::SimulatorColour::Amber);
}

TEST_F(SettingsStoreTest, TheSimulatorsColourIsKeptInItsSection)
{
    writeAll(store.path(), Full);
    store.load();
    settings.setStartupDone(true);
    settings.setSimulatorColour(vexel::AppSettings::SimulatorColour::EditorLit);
    ASSERT_TRUE(store.save());
    const QByteArray text = readAll(store.path());
    EXPECT_TRUE(text.startsWith(Full));
    EXPECT_TRUE(text.endsWith("[Simulator]\nColour=Editor\n")) << text.toStdString();

    vexel::AppSettings again;
    vexel::SettingsStore reader(again);
    reader.setExecutableFolder(dir.path() + "/");
    reader.load();
    EXPECT_EQ(again.simulatorColour(), vexel::AppSettings::SimulatorColour::EditorLit);

    // Back to amber, and a value the program does not know reads as amber.
    settings.setSimulatorColour(vexel::AppSettings::SimulatorColour::Amber);
    ASSERT_TRUE(store.save());
    EXPECT_TRUE(readAll(store.path()).contains("[Simulator]\nColour=Amber\n"));
    writeAll(store.path(), Full + QByteArray("[Simulator]\nColour=Violet\n"));
    reader.load();
    EXPECT_EQ(again.simulatorColour(), vexel::AppSettings::SimulatorColour::Amber);
}

} // namespace

// The interface language: its own section, written once chosen, read back
// by the store and, before any window exists, by interfaceLanguageOf.
TEST_F(SettingsStoreTest, TheInterfaceLanguageHasASectionOfItsOwn)
{
    using Language = vexel::AppSettings::InterfaceLanguage;
    writeAll(store.path(), Full);
    store.load();
    settings.setStartupDone(true);
    ASSERT_TRUE(store.save());
    EXPECT_FALSE(readAll(store.path()).contains("Interface")) << "System is the default and needs no key";

    settings.setInterfaceLanguage(Language::Georgian);
    ASSERT_TRUE(store.save());
    const QByteArray text = readAll(store.path());
    EXPECT_TRUE(text.startsWith(Full)) << "the Settings and Files sections keep every byte";
    EXPECT_TRUE(text.endsWith("[Interface]\nLanguage=ka\n")) << text.toStdString();
    EXPECT_EQ(vexel::SettingsStore::interfaceLanguageOf(dir.path() + "/"), Language::Georgian);

    const struct {
        const char* value;
        Language language;
    } cases[] = {{"en", Language::English}, {"KA ", Language::Georgian}, {"system", Language::System},
                 {"ქართული", Language::System}, {"", Language::System}};
    for (const auto& c : cases) {
        writeAll(store.path(), Full + "\n[Interface]\nLanguage=" + QByteArray(c.value) + "\n");
        EXPECT_EQ(vexel::SettingsStore::interfaceLanguageOf(dir.path() + "/"), c.language) << c.value;
        store.load();
        EXPECT_EQ(settings.interfaceLanguage(), c.language) << c.value;
    }
}
