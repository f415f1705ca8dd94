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

} // namespace gtfs_test
