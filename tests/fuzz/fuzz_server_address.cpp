// Any text as a server address: refused with a reason that holds none of a
// password, or an address whose shown form reads back as itself without it.
#include "FuzzCheck.h"

#include "store/ServerAddress.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace vexel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const auto setName : {ServerAddress::SetName::Required, ServerAddress::SetName::Forbidden}) {
        const Expected<ServerAddress> a = ServerAddress::parse(text, setName);
        if (!a) {
            FUZZ_CHECK(a.error().toStdString().rfind("Not a server address: ", 0) == 0);
            continue;
        }
        const QString shown = a->shown();
        // Percent-encoding can take a long address past what is read.
        if (shown.size() > ServerAddress::MaxLength)
            continue;
        const Expected<ServerAddress> again = ServerAddress::parse(shown, setName);
        FUZZ_CHECK(again.ok());
        FUZZ_CHECK(again->password.isEmpty());
        FUZZ_CHECK(again->shown() == shown);
        FUZZ_CHECK(again->host == a->host && again->port == a->port && again->database == a->database &&
                   again->user == a->user && again->set == a->set);
    }
    return 0;
}
