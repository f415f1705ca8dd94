// Any bytes as a release note: the reader never fails, names a version only
// as a small positive number, keeps each name on one line, and names a
// sign's size only with both sides positive.
#include "FuzzCheck.h"

#include "fleet/ReleaseNote.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const vexel::ReleaseNote note = vexel::ReleaseNote::parse(bytes);
    FUZZ_CHECK(note.version >= 0 && note.version <= 999999999);
    for (const QString* name : {&note.set, &note.sign}) {
        FUZZ_CHECK(!name->contains(QLatin1Char('\n')) && !name->contains(QLatin1Char('\r')));
        FUZZ_CHECK(name->size() <= 200);
    }
    for (const vexel::TargetSign& sign : note.signs)
        FUZZ_CHECK(!sign.name.isEmpty() && sign.width > 0 && sign.height > 0);
    // Read again, the same text says the same.
    const vexel::ReleaseNote again = vexel::ReleaseNote::parse(bytes);
    FUZZ_CHECK(again.set == note.set && again.version == note.version && again.sign == note.sign);
    return 0;
}
