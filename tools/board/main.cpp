// The virtual board: answers the editor's DATA and READ messages the way
// the controller does, over a pseudo-terminal or a serial device, with
// faults to order for tests. It can also show what it received as the sign
// would play it, or write that as an animated GIF.
#include "BoardAnimation.h"
#include "BoardMessageParser.h"

#include "document/ImageFile.h"
#include "widgets/SignWindow.h"

#include <QApplication>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The controller gives up on a block after this much silence.
constexpr auto BlockIdle = 500ms;

struct Options {
    bool pty = false;
    std::string device;
    int baud = 19200;
    std::string outDir;
    std::string dumpFile;
    int delayMs = 0;
    int splitMs = -1; // < 0: the reply goes out in one write
    bool forced = false;
    QByteArray forcedReply;
    bool silent = false;
    long long hangupAfter = -1;
    bool log = false;
    std::string gifFile;
    bool show = false;
    board::SignSettings sign;
};

// What the serving loop hands on besides its replies.
struct Hooks {
    // The images of each accepted DATA message, after its reply went out.
    std::function<void(const std::vector<vexel::ImageRecord>&)> received;
    // Readable when the loop is to end.
    int stopFd = -1;
};

void usage(std::FILE* stream)
{
    std::fputs("usage: vexel-board (--pty | --device PATH [--baud N]) [options]\n"
               "       vexel-board --help | --version\n"
               "  --pty             create a pseudo-terminal; its path is the first line printed\n"
               "  --device PATH     serve an existing serial device\n"
               "  --baud N          line speed for --device (19200)\n"
               "  --out DIR         write the files of every accepted DATA message to DIR\n"
               "                    as 1.img, 2.img, ... (the board holds the last message)\n"
               "  --dump FILE       append every received byte to FILE\n"
               "  --delay MS        answer MS milliseconds after a message ends\n"
               "  --split MS        answer in two writes, the second MS milliseconds later\n"
               "  --reply TEXT      answer TEXT instead (\\r, \\n, \\\\ and \\xHH escapes)\n"
               "  --silent          never answer\n"
               "  --hangup-after N  hang up once N bytes have come in\n"
               "  --log             one line per message on standard error\n"
               "  --gif FILE        write the animation of every accepted DATA message's images\n"
               "                    to FILE, as the sign plays them (no display needed)\n"
               "  --show            open the Sign window playing the last accepted message\n"
               "  --size WxH        the sign's size in LEDs for --gif and --show (96x24)\n"
               "  --step MS         the sign's LED step time for --gif and --show (30)\n"
               "  --help            this text\n"
               "  --version         the version\n"
               "\n"
               "exit status: 0 the line closed, hung up or the Sign window was closed;\n"
               "1 the device or pseudo-terminal could not be set up or read; 2 bad usage\n",
               stream);
}

bool unescape(const char* text, QByteArray& out)
{
    for (const char* p = text; *p; ++p) {
        if (*p != '\\') {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case '\\': out += '\\'; break;
        case 'x': {
            if (!std::isxdigit(static_cast<unsigned char>(p[1])) || !std::isxdigit(static_cast<unsigned char>(p[2])))
                return false;
            const char digits[3] = {p[1], p[2], 0};
            out += static_cast<char>(std::strtol(digits, nullptr, 16));
            p += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool speedOf(int baud, speed_t& speed);

bool parseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (arg == "--pty") {
            o.pty = true;
        } else if (arg == "--log") {
            o.log = true;
        } else if (arg == "--silent") {
            o.silent = true;
        } else if (arg == "--show") {
            o.show = true;
        } else if (arg == "--gif" && (v = value())) {
            o.gifFile = v;
        } else if (arg == "--size" && (v = value())) {
            if (!board::parseSize(v, o.sign))
                return false;
        } else if (arg == "--step" && (v = value())) {
            o.sign.stepTime = std::atoi(v);
            if (o.sign.stepTime < 1 || o.sign.stepTime > vexel::Timeline::MaxStepTime)
                return false;
        } else if ((arg == "--device" || arg == "--out" || arg == "--dump") && (v = value())) {
            (arg == "--device" ? o.device : arg == "--out" ? o.outDir : o.dumpFile) = v;
        } else if (arg == "--baud" && (v = value())) {
            o.baud = std::atoi(v);
            speed_t speed;
            if (!speedOf(o.baud, speed)) {
                std::fprintf(stderr, "vexel-board: %s is not a line rate (1200 to 115200)\n", v);
                return false;
            }
        } else if (arg == "--delay" && (v = value())) {
            o.delayMs = std::max(0, std::atoi(v));
        } else if (arg == "--split" && (v = value())) {
            o.splitMs = std::max(0, std::atoi(v));
        } else if (arg == "--hangup-after" && (v = value())) {
            o.hangupAfter = std::max(0LL, std::atoll(v));
        } else if (arg == "--reply" && (v = value())) {
            o.forced = true;
            if (!unescape(v, o.forcedReply))
                return false;
        } else {
            return false;
        }
    }
    return o.pty != !o.device.empty();
}

// The termios speed of a line rate in bauds; false for a rate the line
// cannot take.
bool speedOf(int baud, speed_t& speed)
{
    static const std::pair<int, speed_t> Rates[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},
                                                    {9600, B9600},   {19200, B19200}, {38400, B38400},
                                                    {57600, B57600}, {115200, B115200}};
    for (const auto& [rate, s] : Rates)
        if (rate == baud) {
            speed = s;
            return true;
        }
    return false;
}

bool makeRaw(int fd, int baud)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    speed_t speed = B19200;
    if (baud > 0 && speedOf(baud, speed))
        cfsetspeed(&tio, speed);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

struct Pending {
    Clock::time_point due;
    QByteArray bytes;
};

void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return; // nobody reading: the reply is lost, as on a real line
        }
    }
}

void storeFiles(const Options& o, const board::BoardMessageParser::Message& message)
{
    const QString dir = QString::fromStdString(o.outDir);
    QDir().mkpath(dir);
    int n = 0;
    for (const vexel::ImageRecord& image : message.images) {
        const QString path = dir + QStringLiteral("/%1.img").arg(++n);
        const vexel::Status written = vexel::ImageFile::write(path, image);
        if (!written)
            std::fprintf(stderr, "vexel-board: %s\n", written.error().toStdString().c_str());
    }
    // What an earlier, longer message left behind is no longer on the board.
    for (int k = n + 1; QFile::exists(dir + QStringLiteral("/%1.img").arg(k)); ++k)
        QFile::remove(dir + QStringLiteral("/%1.img").arg(k));
}

// Writes the replies that are due by `now`.
void sendDue(int fd, std::deque<Pending>& replies, Clock::time_point now)
{
    while (!replies.empty() && replies.front().due <= now) {
        writeAll(fd, replies.front().bytes);
        replies.pop_front();
    }
}

// A block that went silent too long is given up, and answered as the
// controller answers a short one.
void expireSilentBlock(const Options& o, board::BoardMessageParser& parser, std::deque<Pending>& replies,
                       Clock::time_point now, Clock::time_point lastByte)
{
    if (!parser.inBlock() || now - lastByte < BlockIdle)
        return;
    if (auto message = parser.expire()) {
        if (o.log)
            std::fprintf(stderr, "%s\n", message->describe().c_str());
        if (!o.silent)
            replies.push_back({now + std::chrono::milliseconds(o.delayMs),
                               o.forced ? o.forcedReply : message->reply()});
    }
}

// How long poll may wait: until the next reply is due or the block in
// progress goes stale; -1 (for ever) when neither is pending.
int pollTimeout(const std::deque<Pending>& replies, const board::BoardMessageParser& parser,
                Clock::time_point now, Clock::time_point lastByte)
{
    Clock::time_point wake = Clock::time_point::max();
    if (!replies.empty())
        wake = replies.front().due;
    if (parser.inBlock())
        wake = std::min(wake, lastByte + BlockIdle);
    if (wake == Clock::time_point::max())
        return -1;
    return static_cast<int>(std::max<long long>(0, std::chrono::ceil<std::chrono::milliseconds>(wake - now).count()));
}

// Queues the replies to the messages that just ended, and returns the
// images of the last accepted DATA message among them, if any.
const std::vector<vexel::ImageRecord>* answer(const Options& o,
                                              const std::vector<board::BoardMessageParser::Message>& messages,
                                              Clock::time_point lastByte, std::deque<Pending>& replies)
{
    const std::vector<vexel::ImageRecord>* accepted = nullptr;
    for (const auto& message : messages) {
        if (o.log)
            std::fprintf(stderr, "%s\n", message.describe().c_str());
        if (message.kind == board::BoardMessageParser::Kind::Data && !o.outDir.empty())
            storeFiles(o, message);
        if (message.kind == board::BoardMessageParser::Kind::Data)
            accepted = &message.images;
        if (o.silent)
            continue;
        const QByteArray reply = o.forced ? o.forcedReply : message.reply();
        const Clock::time_point due = lastByte + std::chrono::milliseconds(o.delayMs);
        if (o.splitMs >= 0 && reply.size() > 2) {
            replies.push_back({due, reply.left(2)});
            replies.push_back({due + std::chrono::milliseconds(o.splitMs), reply.mid(2)});
        } else {
            replies.push_back({due, reply});
        }
    }
    return accepted;
}

int serve(const Options& o, int fd, int slave, const Hooks& hooks)
{
    // Closed however the line ends; a dump that cannot be written is said,
    // and the board answers all the same, as with a GIF it cannot write.
    const std::unique_ptr<FILE, int (*)(FILE*)> dumpFile(
        o.dumpFile.empty() ? nullptr : std::fopen(o.dumpFile.c_str(), "ab"), [](FILE* f) { return f ? std::fclose(f) : 0; });
    FILE* dump = dumpFile.get();
    if (!o.dumpFile.empty() && !dump) {
        std::perror(("vexel-board: " + o.dumpFile).c_str());
        std::fflush(stderr);
    }
    board::BoardMessageParser parser;
    std::deque<Pending> replies;
    long long received = 0;
    Clock::time_point lastByte = Clock::now();

    for (;;) {
        const Clock::time_point now = Clock::now();
        sendDue(fd, replies, now);
        expireSilentBlock(o, parser, replies, now, lastByte);
        const int timeout = pollTimeout(replies, parser, now, lastByte);

        pollfd p[2] = {{fd, POLLIN, 0}, {hooks.stopFd, POLLIN, 0}};
        const int ready = ::poll(p, hooks.stopFd >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR) {
            std::perror("vexel-board: poll");
            return 1;
        }
        if (ready <= 0)
            continue;
        if (hooks.stopFd >= 0 && (p[1].revents & POLLIN))
            return 0;
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0) {
            if (o.log)
                std::fputs("line closed\n", stderr);
            return 0;
        }
        lastByte = Clock::now();
        received += n;
        if (dump) {
            std::fwrite(buffer, 1, static_cast<size_t>(n), dump);
            std::fflush(dump);
        }
        const auto messages = parser.feed(buffer, static_cast<size_t>(n));
        const std::vector<vexel::ImageRecord>* accepted = answer(o, messages, lastByte, replies);
        if (accepted && hooks.received) {
            // The editor waits for the reply, not for the pictures.
            sendDue(fd, replies, Clock::now());
            hooks.received(*accepted);
        }
        if (o.hangupAfter >= 0 && received >= o.hangupAfter) {
            if (o.log)
                std::fprintf(stderr, "hanging up after %lld bytes\n", received);
            ::close(fd);
            if (slave >= 0)
                ::close(slave);
            return 0;
        }
    }
}

// The Sign window on this thread, serving the line on another. Closing the
// window ends the program.
int showAndServe(const Options& o, int fd, int slave, Hooks hooks,
                 const std::function<void(const std::vector<vexel::ImageRecord>&)>& alsoWrite)
{
    int argc = 1;
    char name[] = "vexel-board";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    SignWindow window;
    window.setBoardSize(o.sign.width, o.sign.height);
    window.setStepTime(o.sign.stepTime);
    window.fixSource(SignWindow::Source::SendList);
    window.showStatus(QStringLiteral("Waiting for a DATA message"));
    window.show();

    int stop[2];
    if (::pipe(stop) != 0) {
        std::perror("vexel-board: pipe");
        return 1;
    }
    hooks.stopFd = stop[0];
    hooks.received = [&](const std::vector<vexel::ImageRecord>& images) {
        if (alsoWrite)
            alsoWrite(images);
        QMetaObject::invokeMethod(
            &window,
            [&window, images, log = o.log] {
                QStringList titles;
                for (std::size_t i = 0; i < images.size(); ++i)
                    titles << QStringLiteral("%1.img").arg(i + 1);
                window.setSendImages(images, titles);
                window.showStatus(QString());
                window.restart();
                window.play();
                if (log)
                    std::fprintf(stderr, "show: %zu images\n", images.size());
            },
            Qt::QueuedConnection);
    };
    int result = 0;
    std::thread line([&] {
        result = serve(o, fd, slave, hooks);
        QMetaObject::invokeMethod(
            &window, [&window] { window.showStatus(QStringLiteral("The line was closed")); }, Qt::QueuedConnection);
    });
    app.exec();
    const char wake = 1;
    while (::write(stop[1], &wake, 1) < 0 && errno == EINTR) {
    }
    line.join();
    ::close(stop[0]);
    ::close(stop[1]);
    return result;
}

// A new pseudo-terminal, its path printed as the first line; false (said)
// when it cannot be made.
bool openPty(int& fd, int& slave)
{
    fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        std::perror("vexel-board: pseudo-terminal");
        return false;
    }
    // A new pseudo-terminal echoes and translates CR until made raw.
    makeRaw(fd, 0);
    const char* name = ptsname(fd);
    // Held open so the master side never sees a hang-up while the
    // editor closes and reopens its end.
    slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        std::perror("vexel-board: pseudo-terminal");
        return false;
    }
    makeRaw(slave, 0);
    std::printf("%s\n", name);
    std::fflush(stdout);
    return true;
}

bool openDevice(const Options& o, int& fd)
{
    fd = ::open(o.device.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0 || !makeRaw(fd, o.baud)) {
        std::perror(("vexel-board: " + o.device).c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        usage(stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vexel-board %s\n", VEXEL_VERSION);
        return 0;
    }
    Options o;
    if (!parseOptions(argc, argv, o)) {
        usage(stderr);
        return 2;
    }
    if (o.show && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("vexel-board: --show needs a display; --gif FILE works without one\n", stderr);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);

    int fd = -1;
    int slave = -1;
    if (o.pty ? !openPty(fd, slave) : !openDevice(o, fd))
        return 1;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);

    Hooks hooks;
    auto writeGif = [&o](const std::vector<vexel::ImageRecord>& images) {
        const vexel::Status written = board::writeGif(images, o.sign, QString::fromStdString(o.gifFile));
        if (!written)
            std::fprintf(stderr, "vexel-board: %s\n", written.error().toStdString().c_str());
        else if (o.log)
            std::fprintf(stderr, "gif: %s, %zu images\n", o.gifFile.c_str(), images.size());
    };
    if (!o.show) {
        if (!o.gifFile.empty())
            hooks.received = writeGif;
        return serve(o, fd, slave, hooks);
    }
    return showAndServe(o, fd, slave, hooks, o.gifFile.empty() ? nullptr : std::function(writeGif));
}
