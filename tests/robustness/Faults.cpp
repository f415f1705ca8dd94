#include "Faults.h"

#include "document/HexConvert.h"

#include <QDir>
#include <QFile>

#include <chrono>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEXEL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VEXEL_ASAN 1
#endif
#ifdef VEXEL_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace robustness {

bool apply(testing_support::ScratchMount& mount, DiskFault fault)
{
    if (fault == DiskFault::ReadOnly)
        return mount.makeReadOnly();
    mount.fill();
    return true;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray imageText(int frames, int width, int height)
{
    QByteArray text = QByteArray::fromStdString(vexel::toHex(static_cast<unsigned>(frames), 4)) + "\r\n";
    const int bytes = (width - 1) / 8 + 1;
    for (int f = 0; f < frames; ++f) {
        const std::string header = vexel::toHex(static_cast<unsigned>(f), 2) + "00" + vexel::toHex(100, 4) + "0000" +
                                   "0000" + vexel::toHex(static_cast<unsigned>(width), 4) +
                                   vexel::toHex(static_cast<unsigned>(height), 4);
        text += QByteArray::fromStdString(header) + "\r\n";
        for (int r = 0; r < height; ++r) {
            QByteArray row(2 * bytes, '0');
            // One lit byte per row, its place moving with the frame.
            const int at = (f + r) % bytes;
            row.replace(2 * at, 2, QByteArray::fromStdString(vexel::toHex(static_cast<unsigned>((f * 37 + r) & 0xFF), 2)));
            text += row + "\r\n";
        }
    }
    return text;
}

std::size_t heapInUse()
{
#ifdef VEXEL_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

PipeWatch::PipeWatch(const QString& path) : path_(QFile::encodeName(path).toStdString())
{
    thread_ = std::thread([this] {
        while (!stop_) {
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                opened_ = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

PipeWatch::~PipeWatch()
{
    stop_ = true;
    thread_.join();
}

} // namespace robustness
