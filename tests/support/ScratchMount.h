#pragma once

// A small tmpfs of its own, for tests that need a folder that is full or
// read-only even to root (permissions alone do not stop root). Mounting needs
// root; where it is refused, valid() is false and the test skips.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <sys/mount.h>

namespace testing_support {

class ScratchMount {
public:
    explicit ScratchMount(int kilobytes = 64)
    {
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        mounted_ = dir_.isValid() &&
                   ::mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~ScratchMount()
    {
        if (mounted_)
            ::umount2(dir_.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool valid() const { return mounted_; }
    // The folder, ending with a separator.
    QString folder() const { return QDir(dir_.path()).absolutePath() + QLatin1Char('/'); }

    // Fills the file system up to its last byte.
    void fill()
    {
        QFile filler(folder() + QStringLiteral(".filler"));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        while (filler.write("x", 1) == 1 && filler.flush()) {
        }
    }

    bool makeReadOnly()
    {
        return mounted_ && ::mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs",
                                   MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace testing_support
