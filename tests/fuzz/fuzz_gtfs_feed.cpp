// Any bytes as a transit feed. With a first byte of 'F' the rest is a list of
// files ("name" NUL "content" NUL ...) packed into a zip here, so the import's
// own rules get exercised; otherwise the bytes are the zip itself. The import
// either refuses with a message or gives destinations with unique codes,
// each with a text, and a Latin text wherever it suggests one.
#include "FuzzCheck.h"

#include "depot/GtfsImport.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace vexel;

namespace {

QByteArray packed(const QByteArray& list)
{
    const QList<QByteArray> parts = list.split('\0');
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(target);
    zip_t* z = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    FUZZ_CHECK(z != nullptr);
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        zip_source_t* member = zip_source_buffer(z, parts[i + 1].constData(), static_cast<zip_uint64_t>(parts[i + 1].size()), 0);
        if (zip_file_add(z, parts[i].constData(), member, ZIP_FL_OVERWRITE) < 0)
            zip_source_free(member);
    }
    QByteArray bytes;
    // A closed archive is gone whatever follows; only a failed close leaves
    // it to be discarded. An archive with no member writes nothing to open.
    if (zip_close(z) != 0) {
        zip_discard(z);
    } else if (zip_source_open(target) == 0) {
        char buffer[4096];
        zip_int64_t n = 0;
        while ((n = zip_source_read(target, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<qsizetype>(n));
        zip_source_close(target);
    }
    zip_source_free(target);
    zip_error_fini(&error);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (bytes.startsWith('F'))
        bytes = packed(bytes.mid(1));
    const Expected<GtfsFeed> feed = GtfsFeed::fromZipBytes(bytes, QStringLiteral("fuzz.zip"));
    if (!feed) {
        FUZZ_CHECK(feed.error().toStdString().rfind("Cannot read the zip \"fuzz.zip\": ", 0) == 0);
        return 0;
    }
    GtfsOptions options;
    options.maxTableBytes = 1024 * 1024;
    options.maxStreamedBytes = 4 * 1024 * 1024;
    // Small enough that inputs reach every limit.
    options.maxRoutes = 50;
    options.maxTrips = 200;
    options.maxStopTimes = 1000;
    options.maxTranslations = 200;
    options.maxKeptTextBytes = 64 * 1024;
    const Expected<GtfsImportResult> result = GtfsImport::read(*feed, options);
    if (!result) {
        FUZZ_CHECK(result.error().toStdString().rfind("Cannot import the feed \"fuzz.zip\": ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!result->destinations.empty());
    QSet<QString> codes;
    for (const Destination& d : result->destinations) {
        FUZZ_CHECK(!d.code.isEmpty() && !codes.contains(d.code));
        codes.insert(d.code);
        FUZZ_CHECK(d.hasText());
        // A suggested Latin name is one the import made: romanized from a
        // Georgian text (a Georgian feed's, or one found in a Latin column)
        // or put in title case from capitals; either way it is there.
        FUZZ_CHECK(!d.latinSuggested || !d.destinationEn.isEmpty());
    }
    return 0;
}
