// Any bytes as a destination set file, opened read-only and read whole: the
// set is refused with its name and the reason, or every value read is one a
// set could be given; reading never changes the file or leaves a lock.
#include "FuzzCheck.h"

#include "sets/DestinationSet.h"
#include "store/DestinationTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <set>

using namespace vexel;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt SQL finds its SQLite driver through the application's plugin paths.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.vxset"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    QFile::remove(path + QStringLiteral("-journal"));

    {
        auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
        if (!opened) {
            const std::string prefix = "Cannot open destination set \"" + path.toStdString() + "\": ";
            FUZZ_CHECK(opened.error().toStdString().rfind(prefix, 0) == 0);
        } else {
            const DestinationSet& set = *opened.value();
            FUZZ_CHECK(set.readOnly());
            const std::string readFailure = "Cannot read destination set \"";
            const auto destinations = set.destinations();
            if (destinations) {
                std::set<QString> codes;
                for (const Destination& d : *destinations) {
                    FUZZ_CHECK(DestinationTable::check(d).ok());
                    FUZZ_CHECK(codes.insert(d.code.toLower()).second);
                }
            } else {
                FUZZ_CHECK(destinations.error().toStdString().rfind(readFailure, 0) == 0);
            }
            const auto signs = set.signs();
            if (signs) {
                for (const VehicleSign& sign : *signs)
                    FUZZ_CHECK(sign.check().ok() && sign.routeLayout().ok());
            } else {
                FUZZ_CHECK(signs.error().toStdString().rfind(readFailure, 0) == 0);
            }
            const auto images = set.overrides();
            if (images) {
                for (const SignOverride& o : *images)
                    FUZZ_CHECK(o.image.check().ok());
            } else {
                FUZZ_CHECK(images.error().toStdString().rfind(readFailure, 0) == 0);
            }
            // Kept versions: every image read is one the editor would load.
            const auto versions = set.versions();
            if (versions) {
                int previous = 0;
                for (const SetVersion& listed : *versions) {
                    FUZZ_CHECK(listed.number > previous);
                    previous = listed.number;
                    const auto v = set.version(listed.number);
                    if (!v) {
                        FUZZ_CHECK(v.error().toStdString().rfind(readFailure, 0) == 0);
                        continue;
                    }
                    for (const SetVersion::Image& i : v->images)
                        FUZZ_CHECK(i.image.check().ok());
                    for (const Destination& d : v->destinations)
                        FUZZ_CHECK(DestinationTable::check(d).ok());
                }
                if (versions->size() >= 2) {
                    const auto diff = set.compareVersions(versions->front().number, versions->back().number);
                    FUZZ_CHECK(diff || diff.error().toStdString().rfind(readFailure, 0) == 0);
                }
            } else {
                FUZZ_CHECK(versions.error().toStdString().rfind(readFailure, 0) == 0);
            }
        }
    }
    FUZZ_CHECK(!QFile::exists(DestinationSet::lockPath(path)));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly) && file.readAll() == bytes);
    return 0;
}
