// The visit list and the length of a message as a depot sees them: every
// file of a bus that serves every destination on the printed list, the
// same PDF from `vexel fleet visit --pdf` as from the Fleet window, and one
// figure for a message's length wherever a send is shown.
#include "BoardProcess.h"

#include "app/Graphic_Editor.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "session/EditorSession.h"
#include "session/FleetSession.h"
#include "fleet/FleetVisit.h"
#include "fleet/ReleaseNote.h"
#include "support/MainControls.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "RunVexel.h"

#include <gtest/gtest.h>

#include <memory>

using cli_testing::runVexel;
using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::ScopedEnv;
using testing_support::writeAll;

namespace {

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A set of the example bus's three signs with `count` destinations,
// released to r1/, and a bus list, in a journal of the test's own.
class FleetVisitCommand : public ::testing::Test {
protected:
    FleetVisitCommand() : d(dir.path() + "/"), journal("VEXEL_JOURNAL", (d + "journal.sqlite").toLocal8Bit()) {}

    void releaseSet(int count, const QByteArray& buses)
    {
        ASSERT_EQ(runVexel({"set", "new", d + "city.vxset", QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}).exit, 0);
        QByteArray routes = "code,route,destination_ka,destination_en\n";
        for (int n = 1; n <= count; ++n)
            routes += QByteArray::number(n) + ',' + QByteArray::number(n) + ",ვაკე,Vake\n";
        writeAll(d + "routes.csv", routes);
        ASSERT_EQ(runVexel({"set", "import", d + "city.vxset", d + "routes.csv"}).exit, 0);
        const auto released = runVexel({"set", "release", d + "city.vxset", "--out", d + "r1"});
        ASSERT_EQ(released.exit, 0) << released.err.toStdString();
        writeAll(d + "buses.csv", "bus,depot,set,codes,in_service,note\n" + buses);
        const auto imported = runVexel({"fleet", "import", d + "buses.csv"});
        ASSERT_EQ(imported.exit, 0) << imported.err.toStdString();
    }

    QTemporaryDir dir;
    QString d;
    ScopedEnv journal;
};

TEST_F(FleetVisitCommand, ABusServingSixtyDestinationsHasEveryFileOnThePrintedList)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed (Debian: poppler-utils)";
    releaseSet(60, "1042,Gldani,city.vxset,*,yes,\n");
    const vexel::ReleaseNote note = vexel::ReleaseNote::parse(readAll(d + "r1/release.txt"));
    ASSERT_EQ(note.files.size(), 3u);

    const auto visit = runVexel({"fleet", "visit", "--depot", "Gldani", "--release", d + "r1", "--pdf", d + "visit.pdf"});
    ASSERT_EQ(visit.exit, 0) << visit.err.toStdString();
    const QStringList lines = visit.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << visit.out.toStdString();

    const QString text = pdfText(d + "visit.pdf");
    ASSERT_FALSE(text.isEmpty());
    const QStringList words = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    EXPECT_EQ(words.count("1042"), 1);
    for (const auto& [sign, files] : note.files) {
        SCOPED_TRACE(sign.toStdString());
        ASSERT_EQ(files.size(), 60);
        for (const QString& file : files)
            EXPECT_EQ(words.count(file), 3) << file.toStdString() << ": once for each sign";
        // The sign's figures as the command printed them.
        const QString line = lines.filter("  " + sign + "  ").value(0);
        const QString figures = line.mid(line.lastIndexOf('(') + 1).chopped(1);
        EXPECT_TRUE(figures.startsWith("data block ")) << line.toStdString();
        EXPECT_TRUE(text.simplified().contains(sign + ": " + figures)) << figures.toStdString();
    }

    // The window's list: the same use case, so the same text.
    vexel::FleetSources sources;
    sources.visit = [](const QString& depot, const QString& folder) {
        return vexel::FleetVisit::list(vexel::SendJournal(), depot, folder);
    };
    const vexel::FleetSession window(sources);
    ASSERT_TRUE(window.printVisitList(d + "window.pdf", "Gldani", d + "r1", QDate::currentDate()).ok());
    const QRegularExpression day("\\d{4}-\\d{2}-\\d{2}"); // in case the two straddle midnight
    EXPECT_EQ(pdfText(d + "window.pdf").replace(day, "DAY"), QString(text).replace(day, "DAY"));
}

// A send's length everywhere it is shown: the data block (what the DATA
// header's length field counts) and the whole message, each named.
TEST_F(FleetVisitCommand, EveryPlaceAMessagesLengthIsShownAgreesAndSaysWhatItCounts)
{
    releaseSet(2, "1042,Gldani,city.vxset,1,yes,\n");
    const QStringList row = QString::fromUtf8(readAll(d + "r1/release.txt"))
                                .split('\n')
                                .filter(QRegularExpression("^front/1\\.img\\t"))
                                .value(0)
                                .split('\t');
    ASSERT_EQ(row.size(), 5) << row.join("|").toStdString();
    const int block = row[2].toInt();
    const QString sum = row[3];
    const int message = row[4].toInt();
    ASSERT_GT(block, 0);
    ASSERT_EQ(message, block + 18);
    const QString figures = QStringLiteral("data block %1 bytes, checksum %2").arg(block).arg(sum);

    const auto visit = runVexel({"fleet", "visit", "--depot", "Gldani", "--release", d + "r1"});
    BoardProcess board({"--log"});
    ASSERT_TRUE(board.started());
    const auto send = runVexel({"send", "--port", board.path(), "--delay", "0", "--bus", "1042", d + "r1/front/1.img"});
    EXPECT_EQ(send.exit, 0) << send.err.toStdString();

    // The editor's send panel: counted with the box ticked, then sent.
    ScriptedPrompter prompter;
    prompter.decideAnswers.assign(4, true); // the sign's size is not the editor's board
    TForm1 form(EditorContext{d, &prompter});
    const testing_support::MainControls ui(form);
    ui.Timer1->stop();
    vexel::EditorSession& session = form.session();
    session.document().setFolder(d + "r1/front/");
    session.settings().setStartupDone(true);
    session.settings().setFlashDelay(0);
    session.settings().setTimeOut(3000);
    session.settings().setBusNumber("1042");
    ui.Form2->ComboBox1->setEditText(board.path());
    ASSERT_TRUE(session.link().isOpen());
    const auto panel = [&] {
        return ui.Label5->text() + " | " + testing_support::controlNamed<QLabel>(form, "Label_Lengths")->text();
    };
    ui.CheckBox1->setChecked(true);
    session.sendList().setEntries({"1.img"});
    session.listFiles();
    const QString counted = panel();
    ui.Button10->click();
    const QString sent = panel();
    QString log;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (log += board.log()).count("-> OK") == 2; }, 5000)) << log.toStdString();

    struct Shown {
        const char* where;
        QString text;
        QString expected;
    };
    const Shown shown[] = {
        {"vexel fleet visit", visit.out, "  front  1.img  (" + figures + QStringLiteral("; whole message %1 bytes)").arg(message)},
        {"send panel, counted", counted,
         QStringLiteral("Data length: %1 | the files with their counts; data block %2 bytes, whole message %3 bytes")
             .arg(block - 1)
             .arg(block)
             .arg(message)},
        {"send panel, sent", sent, QStringLiteral("Data length: %1 | the whole message; its data block %2 bytes").arg(message).arg(block)},
        {"vexel send", send.err,
         QStringLiteral("Sent %1 bytes to %2 (the whole message; its %3); waiting for the reply").arg(message).arg(board.path(), figures)},
        {"vexel-board", log, QStringLiteral("DATA %1 bytes, 1 files, checksum %2 -> OK").arg(block).arg(sum)},
        {"vexel journal", runVexel({"journal"}).out, "  1.img  " + figures + "  OK"},
        {"vexel journal --csv", runVexel({"journal", "--csv"}).out, QStringLiteral(",1.img,%1,%2,OK,%3\n").arg(block).arg(sum).arg(message)},
    };
    for (const Shown& s : shown)
        EXPECT_TRUE(s.text.contains(s.expected)) << s.where << ":\n" << s.text.toStdString() << "\nwants\n" << s.expected.toStdString();
    EXPECT_EQ(runVexel({"journal", "--csv"}).out.count(QStringLiteral(",%1,%2,OK,%3\n").arg(block).arg(sum).arg(message)), 2)
        << "the panel's send and the command's";
}

} // namespace
