#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <zip.h>

#include <map>
#include <string>
#include <vector>

namespace gtfs_test {

using Files = std::map<std::string, QByteArray>;

// Writes `files` as a zip at `path` (deflated), each under `prefix`.
inline bool writeZip(const QString& path, const Files& files, const std::string& prefix = {},
                     const std::vector<std::string>& extraNames = {})
{
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    std::vector<std::pair<std::string, const QByteArray*>> entries;
    for (const auto& [name, bytes] : files)
        entries.emplace_back(prefix + name, &bytes);
    static const QByteArray junk("junk\n");
    for (const std::string& name : extraNames)
        entries.emplace_back(name, &junk);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(z, bytes->constData(), static_cast<zip_uint64_t>(bytes->size()), 0);
        if (!source || zip_file_add(z, name.c_str(), source, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(source);
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

inline bool writeFolder(const QString& folder, const Files& files)
{
    QDir().mkpath(folder);
    for (const auto& [name, bytes] : files) {
        QFile file(QDir(folder).filePath(QString::fromStdString(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

// A feed of two bus routes (one with both directions) and a metro line:
// `mul` with Georgian as the default, an English name by value and one by
// trip id, none for route 2's terminus (its Latin name is suggested), and a
// via on route 1.
inline Files smallFeed()
{
    Files f;
    f["feed_info.txt"] = "feed_publisher_name,feed_lang,default_lang,feed_version\r\nCity,mul,ka,2027-01\r\n";
    f["routes.txt"] = "route_id,agency_id,route_short_name,route_long_name,route_type\r\n"
                      "r1,TT,1,Vake line,3\r\nr2,TT,2,,3\r\nm1,METRO,M1,,1\r\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n"
                     "r1,t1,ვაკე,0\nr1,t2,დიდუბე,1\nr1,t5,ვაკე,0\nr2,t3,გლდანი,0\nm1,t4,ახმეტელი,0\n";
    f["translations.txt"] = "table_name,field_name,language,translation,record_id,field_value\n"
                            "trips,trip_headsign,en,Vake,,ვაკე\n"
                            "trips,trip_headsign,en,Didube,t2,\n"
                            "stop_times,stop_headsign,en,Rustaveli,,რუსთაველი\n";
    f["stop_times.txt"] = "trip_id,stop_sequence,stop_headsign\nt1,1,რუსთაველი\nt1,2,\n";
    return f;
}

} // namespace gtfs_test
