// Every reader's limits at their edge: the largest input it takes is read,
// one byte, row or unit more is refused with the reason. Edges tested beside
// their reader already (image lines, font faces, the settings' strings, set
// sign sizes, sign texts) are not repeated here.
#include "support/TestFiles.h"

#include "depot/RouteCsv.h"
#include "depot/RouteLayout.h"
#include "sets/SignProfile.h"
#include "document/ImageRecord.h"
#include "lettering/LedFontReader.h"
#include "fleet/ReleaseNote.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace vexel;
using testing_support::writeAll;

namespace {

// `text` padded with `pad` to exactly `size` bytes, the padding after `at`.
QByteArray paddedTo(const QByteArray& text, qint64 size, char pad, qsizetype at)
{
    QByteArray out = text;
    out.insert(at, QByteArray(size - text.size(), pad));
    return out;
}

QString scratch()
{
    static QTemporaryDir dir;
    return dir.path() + QLatin1Char('/');
}

// The file `name` with `bytes` in it, for a reader that takes a path.
QString written(const char* name, const QByteArray& bytes)
{
    const QString path = scratch() + QLatin1String(name);
    writeAll(path, bytes);
    return path;
}

template <typename T>
std::string errorOf(const Expected<T>& read)
{
    return read ? std::string() : read.error().toStdString();
}

QByteArray repeated(const QByteArray& item, int count, const char* separator)
{
    QByteArrayList items;
    for (int i = 0; i < count; ++i)
        items << QByteArray(item).replace("%n", QByteArray::number(i));
    return items.join(separator);
}

const QByteArray OneFrame = R"({ "preset": "one-text", "text": "{route}" })";

QByteArray layoutOfFrames(int frames) { return "{ \"frames\": [" + repeated(OneFrame, frames, ",") + "] }"; }

QByteArray layoutOfBoard(int width, int height)
{
    return "{ \"board\": { \"width\": " + QByteArray::number(width) + ", \"height\": " + QByteArray::number(height) +
           " }, \"frames\": [" + OneFrame + "] }";
}

QByteArray profileOf(int signs, int width)
{
    const QByteArray sign = R"({ "name": "s%n", "width": )" + QByteArray::number(width) +
                            R"(, "height": 16, "layout": { "frames": [ )" + OneFrame + " ] } }";
    return "{ \"signs\": [" + repeated(sign, signs, ",") + "] }";
}

QByteArray fontOf(const QByteArray& header, const QByteArray& glyph = "glyph U+41\n#\n")
{
    return header + "height 1\n" + glyph;
}

struct Edge {
    const char* name;
    // The error of reading the input `over` units past the limit (0 or 1);
    // empty when it was read.
    std::function<std::string(int over)> read;
    const char* reason;
};

void PrintTo(const Edge& e, std::ostream* os) { *os << e.name; }

const Edge Edges[] = {
    {"SettingsFileBytes",
     [](int over) {
         const QByteArray text = paddedTo("[S]\r\nK=v\r\n;\r\n", IniFile::MaxFileBytes + over, 'x', 13);
         IniFile ini;
         const Status loaded = ini.load(written("Lumaro.ini", text));
         if (loaded && ini.readString("S", "K", QString()) != QStringLiteral("v"))
             return std::string("the key was not read");
         return loaded ? std::string() : loaded.error().toStdString();
     },
     "It is larger than 1 MiB."},
    {"LayoutFileBytes",
     [](int over) {
         const QByteArray json = paddedTo(layoutOfFrames(1), RouteLayout::MaxFileBytes + over, ' ', 1);
         return errorOf(RouteLayout::read(written("layout.json", json)));
     },
     "It is larger than 1 MiB."},
    {"LayoutSigns",
     [](int over) {
         const QByteArray sign = R"({ "name": "s%n", "board": { "width": 28, "height": 16 }, "frames": [ )" +
                                 OneFrame + " ] }";
         const QByteArray json = "{ \"signs\": [" + repeated(sign, RouteLayout::MaxSigns + over, ",") + "] }";
         return errorOf(RouteLayout::parseSigns(json, QStringLiteral("l.json")));
     },
     "signs: must be a list of 1 to 64 signs"},
    {"LayoutFrames",
     [](int over) {
         return errorOf(RouteLayout::parse(layoutOfFrames(ImageRecord::MaxFrames + over), QStringLiteral("l.json")));
     },
     "frames: must be a list of 1 to 256 frames"},
    {"LayoutBoardWidth",
     [](int over) { return errorOf(RouteLayout::parse(layoutOfBoard(488 + over, 100), QStringLiteral("l.json"))); },
     "board.width: must be a whole number from 1 to 488"},
    {"LayoutBoardHeight",
     [](int over) { return errorOf(RouteLayout::parse(layoutOfBoard(488, 100 + over), QStringLiteral("l.json"))); },
     "board.height: must be a whole number from 1 to 100"},
    {"ProfileFileBytes",
     [](int over) {
         const QByteArray json = paddedTo(profileOf(1, 28), SignProfile::MaxFileBytes + over, ' ', 1);
         return errorOf(SignProfile::read(written("bus.json", json)));
     },
     "It is larger than 1 MiB."},
    {"ProfileSigns",
     [](int over) {
         return errorOf(SignProfile::parse(profileOf(SignProfile::MaxSigns + over, 28), QStringLiteral("p.json")));
     },
     "signs: must be a list of 1 to 32 signs"},
    {"ProfileSignWidth",
     [](int over) { return errorOf(SignProfile::parse(profileOf(1, 488 + over), QStringLiteral("p.json"))); },
     "signs[0].width: must be a whole number from 1 to 488"},
    {"RouteListFileBytes",
     [](int over) {
         // Blank lines are no rows.
         const QByteArray head = "route,destination_ka\n1,a\n";
         const QByteArray csv = paddedTo(head, RouteCsv::MaxFileBytes + over, '\n', head.size());
         return errorOf(RouteCsv::read(written("routes.csv", csv)));
     },
     "It is larger than 16 MiB."},
    {"RouteListRows",
     [](int over) {
         const QByteArray csv = "route,destination_ka\n" + repeated("%n,a", RouteCsv::MaxRows + over, "\n");
         const Expected<std::vector<RouteRow>> rows = RouteCsv::parse(csv, QStringLiteral("r.csv"));
         if (rows && rows->size() != static_cast<std::size_t>(RouteCsv::MaxRows))
             return std::string("not every row was read");
         return errorOf(rows);
     },
     "line 20002: more than 20000 rows"},
    {"FontFileBytes",
     [](int over) {
         const QByteArray text = paddedTo(fontOf("; \nfamily F\n"), LedFontReader::MaxFileSize + over, 'x', 2);
         return errorOf(LedFontReader::read(written("f.vfont", text)));
     },
     "larger than 4 MB"},
};

class ReaderLimit : public ::testing::TestWithParam<Edge> {};

TEST_P(ReaderLimit, TheLargestInputIsReadAndOneMoreIsRefused)
{
    const Edge& e = GetParam();
    EXPECT_EQ(e.read(0), "");
    const std::string refused = e.read(1);
    EXPECT_NE(refused.find(e.reason), std::string::npos) << refused;
}

INSTANTIATE_TEST_SUITE_P(EveryReader, ReaderLimit, ::testing::ValuesIn(Edges),
                         [](const ::testing::TestParamInfo<Edge>& edge) { return std::string(edge.param.name); });

} // namespace

TEST(ReaderLimits, FilesThatAreNotRegularAreRefusedWithoutWaiting)
{
    const QString fifo = scratch() + QStringLiteral("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    IniFile ini;
    const Status settings = ini.load(fifo);
    ASSERT_FALSE(settings);
    EXPECT_NE(settings.error().toStdString().find("It is not a regular file."), std::string::npos) << settings.error().toStdString();
    for (const std::string& error : {errorOf(RouteCsv::read(fifo)), errorOf(RouteLayout::read(fifo)),
                                     errorOf(SignProfile::read(fifo))})
        EXPECT_NE(error.find("It is not a regular file."), std::string::npos) << error;
}

TEST(ReaderLimits, AReleaseNoteIsReadToItsLimitAndALineCutThereIsDropped)
{
    const QString folder = scratch() + QStringLiteral("release/");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeAll(folder + "front.img", "");
    for (int over : {0, 1}) {
        const QByteArray text = paddedTo("#\nset: City\n", ReleaseNote::MaxBytes + over, 'x', 1);
        writeAll(folder + ReleaseNote::FileName, text);
        const ReleaseNote note = ReleaseNote::beside({folder + "front.img"});
        EXPECT_EQ(note.set, over == 0 ? QStringLiteral("City") : QString()) << over;
    }
}
