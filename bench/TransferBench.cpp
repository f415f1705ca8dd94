// The way to the board: building the DATA message and sending it to the
// virtual board over a pseudo-terminal, beside raw writes on a
// pseudo-terminal; the configured pause; and the processor time a reply wait
// costs.
#include "BoardProcess.h"
#include "BenchSupport.h"

#include "document/ImageFile.h"
#include "support/TestFiles.h"
#include "transfer/DataMessage.h"
#include "transfer/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QString Baud = QStringLiteral("19200");

// A DATA message carrying one image of the given frames; the board checks
// that every file is a well-formed image.
vexel::DataMessage messageOf(const std::vector<QSize>& frames)
{
    const vexel::Expected<vexel::ImageRecord> image = vexel::ImageFile::parse(bench::framesImage(frames));
    return *vexel::DataMessage::build({{"bench.img", image->hexText()}});
}

// 65,535 bytes: the 18-byte header, the count byte, the file's 2-byte count
// and 65,514 bytes of image: ten 488 x 100 frames and one 480 x 73.
vexel::DataMessage largestMessage()
{
    std::vector<QSize> frames(10, QSize(488, 100));
    frames.emplace_back(480, 73);
    return messageOf(frames);
}

// 1,000 bytes: 979 bytes of image, frames of 488 x 10 and 56 x 49.
vexel::DataMessage thousandByteMessage() { return messageOf({QSize(488, 10), QSize(56, 49)}); }

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The send list as Send reads it: eight files of about 8 KiB of text, read
// from disk and joined into one message.
void BM_BuildDataMessage(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    constexpr int Files = 8;
    std::vector<QString> names;
    qint64 total = 0;
    for (int f = 0; f < Files; ++f) {
        // Eight 160 x 24 frames: 8,230 bytes of text.
        const QByteArray text = bench::randomImage(8, 160, 24);
        names.push_back(QStringLiteral("send%1.img").arg(f));
        testing_support::writeAll(folder + names.back(), text);
        total += text.size();
    }
    state.counters["file_text_bytes"] = static_cast<double>(total);
    int length = 0;
    for (auto _ : state) {
        std::vector<vexel::FileText> files;
        for (const QString& name : names) {
            const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::read(folder + name);
            if (!record) {
                state.SkipWithError(record.error().toStdString().c_str());
                return;
            }
            files.push_back({name, record->hexText()});
        }
        const vexel::Expected<vexel::DataMessage> message = vexel::DataMessage::build(files);
        if (!message) {
            state.SkipWithError(message.error().toStdString().c_str());
            return;
        }
        length = message->length();
        benchmark::DoNotOptimize(message->bytes().constData());
    }
    state.counters["message_bytes"] = length;
}
BENCHMARK(BM_BuildDataMessage)->Unit(benchmark::kMillisecond);

// Send_Data of a 65,535-byte DATA message to vexel-board, Flash_Delay 0,
// until the board's reply.
void BM_SendPty(benchmark::State& state)
{
    serial_testing::BoardProcess board;
    SerialLink link;
    if (!board.started() || !link.reopen(board.path(), Baud)) {
        state.SkipWithError("vexel-board did not start");
        return;
    }
    link.setFlashDelay(0);
    link.setReplyTimeout(5000);
    const vexel::DataMessage message = largestMessage();
    if (message.length() != 65535) {
        state.SkipWithError("the message is not 65,535 bytes");
        return;
    }
    for (auto _ : state) {
        const TComand_Result result = link.Send_Data(message.bytes());
        if (!result.Reply_Received || result.Reply_Text != "OK\r\n") {
            state.SkipWithError("the board did not answer OK");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * message.length());
}
BENCHMARK(BM_SendPty)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same number of bytes written one write() at a time on a
// pseudo-terminal in raw mode, a thread draining the other end.
void BM_RawPtyWrite(benchmark::State& state)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    tcgetattr(master, &raw);
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);

    std::atomic<bool> done{false};
    std::thread drain([&] {
        char buffer[4096];
        pollfd p{master, POLLIN, 0};
        while (!done) {
            if (::poll(&p, 1, 20) > 0 && ::read(master, buffer, sizeof buffer) < 0)
                break;
        }
    });
    constexpr int Bytes = 65535;
    const char byte = 0x5A;
    for (auto _ : state) {
        for (int i = 0; i < Bytes; ++i)
            while (::write(slave, &byte, 1) != 1) {
            }
        tcdrain(slave);
    }
    done = true;
    drain.join();
    ::close(slave);
    ::close(master);
    state.SetBytesProcessed(state.iterations() * Bytes);
}
BENCHMARK(BM_RawPtyWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1,000 bytes at the default Flash_Delay of 500: the time from the first byte
// to the start of the reply wait. The pause alone is 1,000 x 2 ms.
void BM_FlashDelay500_1000Bytes(benchmark::State& state)
{
    serial_testing::BoardProcess board;
    SerialLink link;
    if (!board.started() || !link.reopen(board.path(), Baud)) {
        state.SkipWithError("vexel-board did not start");
        return;
    }
    link.setFlashDelay(500);
    link.setReplyTimeout(5000);
    const vexel::DataMessage message = thousandByteMessage();
    if (message.length() != 1000) {
        state.SkipWithError("the message is not 1,000 bytes");
        return;
    }
    QElapsedTimer clock;
    qint64 sentAt = -1;
    QObject::connect(&link, &SerialLink::statusChanged, &link, [&](const QString& text) {
        if (text == QStringLiteral("Wait for reply"))
            sentAt = clock.nsecsElapsed();
    });
    for (auto _ : state) {
        sentAt = -1;
        clock.start();
        const TComand_Result result = link.Send_Data(message.bytes());
        if (!result.Reply_Received || sentAt < 0) {
            state.SkipWithError("the board did not answer");
            return;
        }
        state.SetIterationTime(static_cast<double>(sentAt) * 1e-9);
    }
    state.counters["bytes"] = message.length();
}
BENCHMARK(BM_FlashDelay500_1000Bytes)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// A READ to a board that never answers, with a 1-second time-out: the wall
// time of the wait and the processor time this process spent in it.
void BM_ReplyWaitSilent(benchmark::State& state)
{
    serial_testing::BoardProcess board({QStringLiteral("--silent")});
    SerialLink link;
    if (!board.started() || !link.reopen(board.path(), Baud)) {
        state.SkipWithError("vexel-board did not start");
        return;
    }
    link.setFlashDelay(0);
    link.setReplyTimeout(1000);
    double cpu = 0;
    for (auto _ : state) {
        const double before = processCpuSeconds();
        const TComand_Result result = link.Send_Data(vexel::DataMessage::readMessage());
        cpu = processCpuSeconds() - before;
        if (!result.Timed_Out) {
            state.SkipWithError("the wait did not time out");
            return;
        }
    }
    state.counters["cpu_ms"] = cpu * 1000.0;
}
BENCHMARK(BM_ReplyWaitSilent)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
