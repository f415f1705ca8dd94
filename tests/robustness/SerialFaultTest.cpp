// A board that hangs up, goes silent, answers garbage or answers slowly,
// over a thousand consecutive exchanges: each ends with the right status and
// log line, the editor keeps serving its events, and its heap stays flat.
// Then port names that lead nowhere a serial line could be.
#include "BoardProcess.h"
#include "Faults.h"

#include "app/Graphic_Editor.h"
#include "session/EditorSession.h"
#include "app/Settings.h"
#include "app/Test_Window.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"
#include "transfer/SerialLink.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using serial_testing::BoardProcess;
using serial_testing::TickDriver;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

struct BoardFault {
    const char* name;
    QStringList options;     // vexel-board's fault options
    bool oneShot;            // the board is gone after one exchange
    int replyTimeout;        // ms; the ticks are counted by hand
    QString finalStatus;
    QString firstTwo;        // what the status bar shows of the reply
    QString logLine;         // the received bytes in hex
    std::function<bool(const SerialLink&)> received; // when to let the ticks run
};

const BoardFault faults[] = {
    {"Silent", {"--silent"}, false, 0, "Connection Error", "", "", [](const SerialLink&) { return true; }},
    {"Garbage", {"--reply", "ok\\r\\nOK\\r\\n"}, false, 0, "Connection Error", "ok", "6F6B0D0A4F4B0D0A",
     [](const SerialLink& l) { return l.receivedText().size() >= 8; }},
    {"Slow", {"--delay", "10"}, false, 1000, "OK", "OK", "4F4B0D0A", [](const SerialLink&) { return false; }},
    {"SlowInTwoParts", {"--split", "10"}, false, 1000, "OK", "OK", "4F4B0D0A", [](const SerialLink&) { return false; }},
    {"HangsUp", {"--hangup-after", "4"}, true, 0, "Connection Error", "", "",
     [](const SerialLink& l) { return !l.isOpen(); }},
};

class BoardFaults : public ::testing::Test {
protected:
    BoardFaults() : folder(testing_support::folderOf(dir))
    {
        form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        ui().Timer1->stop();
        session().settings().setStartupDone(true);
        session().document().setFolder(folder);
        session().settings().setFlashDelay(0);
        QObject::connect(&session().link(), &SerialLink::statusChanged, form.get(),
                         [this](const QString& text) { statuses << text; });
    }

    BoardProcess& boardFor(std::size_t fault)
    {
        auto& board = boards[fault];
        if (!board || faults[fault].oneShot)
            board = std::make_unique<BoardProcess>(faults[fault].options);
        return *board;
    }

    void usePort(const QString& path)
    {
        if (ui().Form2->ComboBox1->currentText() == path)
            ui().Form2->ComboBox1Change();
        else
            ui().Form2->ComboBox1->setEditText(path);
    }

    QString lastLogLine() const { return ui().Form3->Memo2->toPlainText().split('\n').last(); }

    // One exchange; whether the editor served a posted event during it.
    bool exchange(const std::function<void()>& job)
    {
        bool inside = false;
        bool served = false;
        QMetaObject::invokeMethod(form.get(), [&] { served = inside; }, Qt::QueuedConnection);
        inside = true;
        job();
        inside = false;
        QCoreApplication::processEvents();
        return served;
    }

    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TForm1> form;
    vexel::EditorSession& session() { return form->session(); }
    testing_support::MainControls ui() const { return testing_support::MainControls(*form); }
    std::unique_ptr<BoardProcess> boards[std::size(faults)];
    QStringList statuses;
};

} // namespace

TEST_F(BoardFaults, AThousandExchangesEachEndRightWithoutGrowth)
{
    writeAll(folder + "route.img", robustness::imageText(2, 96, 24));
    session().document().setFileName("route.img");
    ASSERT_TRUE(session().loadFile());
    session().sendList().setEntries({"route.img"});
    session().listFiles();

    std::size_t current = 0;
    TickDriver ticks(session().link(), [&] { return faults[current].received(session().link()); });

    constexpr int Exchanges = 1000;
    constexpr int WarmUp = 100;
    std::size_t heapAfterWarmUp = 0;
    int failures = 0;
    for (int i = 0; i < Exchanges && failures < 5; ++i) {
        // Every 25th exchange the board hangs up; otherwise the faults take turns.
        current = i % 25 == 24 ? 4 : static_cast<std::size_t>(i % 4);
        const BoardFault& fault = faults[current];
        BoardProcess& board = boardFor(current);
        ASSERT_TRUE(board.started()) << fault.name;
        usePort(board.path());
        ASSERT_TRUE(session().link().isOpen()) << fault.name << " at exchange " << i;
        session().settings().setTimeOut(fault.replyTimeout);
        const bool wasTimedOut = session().link().timedOut();
        const bool send = i % 10 == 5;
        statuses.clear();

        const bool served = exchange([&] { send ? ui().Button10->click() : ui().Button12->click(); });

        QStringList expected;
        if (wasTimedOut)
            expected << "Sending";
        expected << "Wait for reply" << fault.firstTwo;
        if (fault.finalStatus == "Connection Error")
            expected << "Connection Error";
        const bool right = statuses == expected && ui().StatusBar2->currentMessage() == fault.finalStatus &&
                           lastLogLine() == fault.logLine && served && ui().Button10->isEnabled() &&
                           ui().Button12->isEnabled() && prompter.asked.empty();
        EXPECT_TRUE(right) << "exchange " << i << " (" << fault.name << (send ? ", send job" : ", read request")
                           << "): statuses " << statuses.join(" / ").toStdString() << ", bar "
                           << ui().StatusBar2->currentMessage().toStdString() << ", log " << lastLogLine().toStdString()
                           << (served ? "" : ", no events served") << ", asked "
                           << (prompter.asked.empty() ? "" : prompter.asked.front().text.toStdString());
        failures += right ? 0 : 1;
        prompter.clear();
        if (send) {
            EXPECT_EQ(session().document().fileName(), "route.img");
        }
        if (fault.oneShot)
            boards[current].reset();
        if (i == WarmUp - 1) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            heapAfterWarmUp = robustness::heapInUse();
        }
    }
    ASSERT_EQ(failures, 0);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::size_t heapAtEnd = robustness::heapInUse();
    const long long growth = static_cast<long long>(heapAtEnd) - static_cast<long long>(heapAfterWarmUp);
    // A leak of a few hundred bytes an exchange would pass this bound.
    EXPECT_LT(growth, 256 * 1024) << "heap after " << WarmUp << " exchanges " << heapAfterWarmUp << ", after "
                                  << Exchanges << " " << heapAtEnd;
    RecordProperty("HeapGrowthBytes", std::to_string(growth));
}

struct DeadEnd {
    const char* name;
    // Makes the port's path in `folder`; false when this machine cannot.
    std::function<bool(const QString& path)> make;
};

void PrintTo(const DeadEnd& d, std::ostream* os) { *os << d.name; }

const DeadEnd deadEnds[] = {
    {"RegularFile", [](const QString& p) { writeAll(p, robustness::imageText(1, 96, 24)); return true; }},
    {"Folder", [](const QString& p) { return QDir().mkdir(p); }},
    // A character device no driver answers for: refused even to root.
    {"DeviceWithoutDriver", [](const QString& p) {
         return ::mknod(QFile::encodeName(p).constData(), S_IFCHR | 0666, makedev(240, 77)) == 0;
     }},
    {"DeviceThatIsNoSerialLine", [](const QString& p) { return QFile::link("/dev/null", p); }},
};

class PortDeadEnd : public BoardFaults, public ::testing::WithParamInterface<DeadEnd> {};

TEST_P(PortDeadEnd, ShowsRedRefusesSendAndReadEndsInConnectionError)
{
    const QString path = folder + "port";
    if (!GetParam().make(path))
        GTEST_SKIP() << "cannot make " << GetParam().name << " here";
    const QByteArray contentBefore = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink() ? readAll(path) : QByteArray();
    writeAll(folder + "route.img", robustness::imageText(1, 96, 24));
    session().sendList().setEntries({"route.img"});
    session().listFiles();

    usePort(path);
    EXPECT_TRUE(ui().Form2->Port_Box_Red());
    EXPECT_FALSE(session().link().isOpen());

    ui().Button10->click();
    EXPECT_EQ(prompter.texts("inform"), QStringList{"Port was not opened"});
    EXPECT_TRUE(ui().Button10->isEnabled());

    session().settings().setTimeOut(0);
    TickDriver ticks(session().link());
    EXPECT_TRUE(exchange([&] { ui().Button12->click(); }));
    EXPECT_EQ(ui().StatusBar2->currentMessage(), "Connection Error");
    EXPECT_TRUE(ui().Button12->isEnabled());
    EXPECT_EQ(prompter.count("error"), 0);

    if (!contentBefore.isEmpty()) {
        EXPECT_EQ(readAll(path), contentBefore) << "the file named as a port is left as it was";
    }
    EXPECT_TRUE(QDir("/var/lock").entryList({"LCK..port"}, QDir::Files).isEmpty()) << "no lock file stays behind";
}

INSTANTIATE_TEST_SUITE_P(Ports, PortDeadEnd, ::testing::ValuesIn(deadEnds),
                         [](const auto& p) { return std::string(p.param.name); });
