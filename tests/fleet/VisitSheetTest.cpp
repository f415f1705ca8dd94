// The visit list's PDF, read back as text: every bus, sign and file is on
// it with the figures the board will be sent, across pages.
#include "app/InterfaceTranslation.h"
#include "session/FleetSession.h"
#include "fleet/VisitSheet.h"

#include "support/TestFiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<VisitItem> items(int buses)
{
    std::vector<VisitItem> list;
    for (int b = 0; b < buses; ++b)
        for (const char* sign : {"front", "rear"}) {
            VisitItem item;
            item.bus = QString::number(1000 + b);
            item.depot = QStringLiteral("North");
            item.sign = QString::fromUtf8(sign);
            item.folder = QStringLiteral("/releases/city-7/%1/").arg(item.sign);
            item.files = {QStringLiteral("12.img"), QStringLiteral("R%1.img").arg(b)};
            item.length = 1200 + b;
            item.checksum = 0xA000 + b;
            list.push_back(item);
        }
    list.back().problem = QStringLiteral("the files come to 70,000 bytes");
    return list;
}

class VisitSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext is not installed (Debian: poppler-utils); the PDF's text cannot be read";
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(VisitSheetTest, EveryBusSignAndFileIsListedWithTheBoardsFigures)
{
    const QString pdf = dir.filePath("visit.pdf");
    const VisitHeading heading{"North", "city.vxset", 7, QDate(2026, 12, 9), "/releases/city-7/"};
    const std::vector<VisitItem> list = items(60); // several pages
    ASSERT_TRUE(VisitSheet::write(pdf, heading, list).ok());
    QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    const int pages = static_cast<int>(text.count(QChar('\f')));
    text = text.simplified();
    EXPECT_TRUE(text.contains("Visit list: depot North, city.vxset version 7, 2026-12-09")) << text.left(300).toStdString();
    EXPECT_GT(pages, 1) << "more than one page";
    for (const VisitItem& item : list) {
        SCOPED_TRACE(item.bus.toStdString() + " " + item.sign.toStdString());
        EXPECT_TRUE(text.contains("Bus " + item.bus));
        EXPECT_TRUE(text.contains(item.files.join(' ')));
        if (item.problem.isEmpty()) {
            EXPECT_TRUE(text.contains(QStringLiteral("%1: data block %2 bytes, checksum %3; whole message %4 bytes")
                                          .arg(item.sign)
                                          .arg(item.length)
                                          .arg(QString::number(item.checksum, 16).toUpper())
                                          .arg(item.length + 18)));
        }
    }
    EXPECT_TRUE(text.contains("rear: cannot be sent as one message: the files come to 70,000 bytes"))
        << text.right(400).toStdString();
}

TEST_F(VisitSheetTest, AListLongerThanAPageRunsOnWithNothingCutOff)
{
    VisitItem item;
    item.bus = QStringLiteral("7");
    item.depot = QStringLiteral("North");
    item.sign = QStringLiteral("front");
    for (int n = 1; n <= 1500; ++n)
        item.files << QStringLiteral("R%1.img").arg(n);
    // A name wider than the page goes on over lines too.
    item.files << QString(300, QChar('W')) + QStringLiteral(".img");
    item.length = 40000;
    const QString folder = "/releases/" + QString(200, QChar('x')) + "/end/";
    const QString pdf = dir.filePath("long.pdf");
    ASSERT_TRUE(VisitSheet::write(pdf, {"North", "city.vxset", 7, QDate(2026, 12, 9), folder}, {item}).ok());
    const QString text = pdfText(pdf);
    const QStringList words = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    for (const QString& file : item.files.mid(0, 1500))
        EXPECT_EQ(words.count(file), 1) << file.toStdString();
    const QString joined = QString(text).remove(QRegularExpression("\\s"));
    EXPECT_TRUE(joined.contains(item.files.back())) << "the long name, whole";
    EXPECT_TRUE(joined.contains(folder)) << "the folder, whole";
    EXPECT_GE(joined.count("Bus7,continued"), 1) << "the pages after the first name their bus";
}

TEST_F(VisitSheetTest, TheTitleNamesTheReleaseFromItsFolder)
{
    const QString release = dir.filePath("release");
    QDir().mkpath(release);
    testing_support::writeAll(release + "/release.txt", "Vexel Image release\nset: city.vxset\nversion: 4\n");
    QString askedDepot;
    QString askedFolder;
    FleetSources sources;
    sources.visit = [&](const QString& depot, const QString& folder) {
        askedDepot = depot;
        askedFolder = folder;
        return Expected<std::vector<VisitItem>>(items(2));
    };
    FleetSession session(sources);
    const QString pdf = dir.filePath("visit.pdf");
    ASSERT_TRUE(session.printVisitList(pdf, "South", release, QDate(2027, 1, 5)).ok());
    EXPECT_EQ(askedDepot, "South");
    EXPECT_EQ(askedFolder, release);
    EXPECT_TRUE(pdfText(pdf).simplified().contains("Visit list: depot South, city.vxset version 4, 2027-01-05"));

    sources.visit = [](const QString&, const QString&) {
        return Expected<std::vector<VisitItem>>::failure("no bus of depot South runs on this set");
    };
    FleetSession refused(sources);
    const Status printed = refused.printVisitList(dir.filePath("none.pdf"), "South", release, QDate(2027, 1, 5));
    ASSERT_FALSE(printed.ok());
    EXPECT_EQ(printed.error(), "no bus of depot South runs on this set");
    EXPECT_FALSE(QFile::exists(dir.filePath("none.pdf")));
}

// Printed from the Fleet window in Georgian, the sheet's own words are
// Georgian; the depot, the set, the signs and the files are named as they are.
TEST_F(VisitSheetTest, InTheInterfacesLanguageWhenTheWindowPrintsIt)
{
    const vexel::InterfaceTranslation georgian(vexel::AppSettings::InterfaceLanguage::Georgian);
    ASSERT_TRUE(georgian.georgian()) << "the Georgian translations are not built in";
    const QString pdf = dir.filePath("visit-ka.pdf");
    std::vector<VisitItem> list = items(2);
    list.back().files = {QStringLiteral("R%1.img")};
    const VisitHeading heading{"North", "city%2.vxset", 7, QDate(2026, 12, 9), "/releases/city-7/"};
    ASSERT_TRUE(VisitSheet::write(pdf, heading, list).ok());
    const QString text = pdfText(pdf).simplified();
    EXPECT_TRUE(text.contains(QString::fromUtf8("შემოვლის სია: დეპო North, city%2.vxset, ვერსია 7, 2026-12-09")))
        << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("გამოშვების საქაღალდე: /releases/city-7/")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("ავტობუსი 1000")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("front: მონაცემთა ბლოკი 1200 ბაიტი, საკონტროლო ჯამი A000; მთელი "
                                                "შეტყობინება 1218 ბაიტი")))
        << text.toStdString();
    // The reason a message cannot be built is the journal's English.
    EXPECT_TRUE(text.contains(QString::fromUtf8("rear: ერთ შეტყობინებად ვერ გაიგზავნება: the files come to 70,000 bytes")));
    EXPECT_TRUE(text.contains(QStringLiteral("R%1.img")));
    EXPECT_FALSE(text.contains(QStringLiteral("Visit list")));
}
