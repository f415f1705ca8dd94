// Paths that are no regular file are refused at once, whatever waits or
// streams at their other end.
#include "Faults.h"

#include "document/ImageFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using vexel::ImageFile;

TEST(ImageReadFault, NamedPipeIsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/pipe.img";
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    robustness::PipeWatch watch(path);
    for (const auto& result : {ImageFile::read(path), ImageFile::load(path)}) {
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().toStdString().rfind("Cannot open file \"" + path.toStdString() + "\". ", 0), 0u) << result.error().toStdString();
    }
    EXPECT_FALSE(watch.openedForReading());
}

TEST(ImageReadFault, DevicesAreRefused)
{
    // /dev/zero never ends; /dev/null reads as an empty file.
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        if (!QFile::exists(device))
            continue;
        const auto result = ImageFile::load(QString::fromLatin1(device));
        ASSERT_FALSE(result) << device;
        EXPECT_EQ(result.error().toStdString().rfind(std::string("Cannot open file \"") + device + "\". ", 0), 0u) << result.error().toStdString();
    }
}
