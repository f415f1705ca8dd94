// The virtual board: answers the editor's DATA and READ messages the way
// the controller does, over a pseudo-terminal or a serial device, with
// faults to order for tests.
#include "BoardMessageParser.h"

#include "document/ImageFile.h"

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
#include <string>

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
};

void usage()
{
    std::fputs("usage: vexel-board (--pty | --device PATH [--baud N]) [options]\n"
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
               "  --log             one line per message on standard error\n",
               stderr);
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
        } else if ((arg == "--device" || arg == "--out" || arg == "--dump") && (v = value())) {
            (arg == "--device" ? o.device : arg == "--out" ? o.outDir : o.dumpFile) = v;
        } else if (arg == "--baud" && (v = value())) {
            o.baud = std::atoi(v);
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

bool makeRaw(int fd, int baud)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    if (baud > 0) {
        speed_t speed = B19200;
        switch (baud) {
        case 1200: speed = B1200; break;
        case 2400: speed = B2400; break;
        case 4800: speed = B4800; break;
        case 9600: speed = B9600; break;
        case 38400: speed = B38400; break;
        case 57600: speed = B57600; break;
        case 115200: speed = B115200; break;
        default: break;
        }
        cfsetspeed(&tio, speed);
    }
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
            std::fprintf(stderr, "vexel-board: %s\n", written.error().c_str());
    }
    // What an earlier, longer message left behind is no longer on the board.
    for (int k = n + 1; QFile::exists(dir + QStringLiteral("/%1.img").arg(k)); ++k)
        QFile::remove(dir + QStringLiteral("/%1.img").arg(k));
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parseOptions(argc, argv, o)) {
        usage();
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);

    int fd = -1;
    int slave = -1;
    if (o.pty) {
        fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
            std::perror("vexel-board: pseudo-terminal");
            return 1;
        }
        // A new pseudo-terminal echoes and translates CR until made raw.
        makeRaw(fd, 0);
        const char* name = ptsname(fd);
        // Held open so the master side never sees a hang-up while the
        // editor closes and reopens its end.
        slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
        if (slave < 0) {
            std::perror("vexel-board: pseudo-terminal");
            return 1;
        }
        makeRaw(slave, 0);
        std::printf("%s\n", name);
        std::fflush(stdout);
    } else {
        fd = ::open(o.device.c_str(), O_RDWR | O_NOCTTY);
        if (fd < 0 || !makeRaw(fd, o.baud)) {
            std::perror(("vexel-board: " + o.device).c_str());
            return 1;
        }
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);

    FILE* dump = o.dumpFile.empty() ? nullptr : std::fopen(o.dumpFile.c_str(), "ab");
    board::BoardMessageParser parser;
    std::deque<Pending> replies;
    long long received = 0;
    Clock::time_point lastByte = Clock::now();

    for (;;) {
        const Clock::time_point now = Clock::now();
        while (!replies.empty() && replies.front().due <= now) {
            writeAll(fd, replies.front().bytes);
            replies.pop_front();
        }
        if (parser.inBlock() && now - lastByte >= BlockIdle) {
            if (auto message = parser.expire()) {
                if (o.log)
                    std::fprintf(stderr, "%s\n", message->describe().c_str());
                if (!o.silent)
                    replies.push_back({now + std::chrono::milliseconds(o.delayMs),
                                       o.forced ? o.forcedReply : message->reply()});
            }
        }

        Clock::time_point wake = Clock::time_point::max();
        if (!replies.empty())
            wake = replies.front().due;
        if (parser.inBlock())
            wake = std::min(wake, lastByte + BlockIdle);
        int timeout = -1;
        if (wake != Clock::time_point::max())
            timeout = static_cast<int>(
                std::max<long long>(0, std::chrono::ceil<std::chrono::milliseconds>(wake - now).count()));

        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeout);
        if (ready < 0 && errno != EINTR) {
            std::perror("vexel-board: poll");
            return 1;
        }
        if (ready <= 0)
            continue;
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
        for (const auto& message : parser.feed(buffer, static_cast<size_t>(n))) {
            if (o.log)
                std::fprintf(stderr, "%s\n", message.describe().c_str());
            if (message.kind == board::BoardMessageParser::Kind::Data && !o.outDir.empty())
                storeFiles(o, message);
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
