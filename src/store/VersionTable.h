#pragma once

#include "store/SetVersion.h"
#include "document/Result.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>

#include <optional>
#include <vector>

namespace vexel {

// The releases kept in an open set, and the feed version the set's texts came
// from. Every row read is checked as the set's own rows are: the file may come
// from anywhere.
class VersionTable {
public:
    explicit VersionTable(QSqlDatabase db) : db_(std::move(db)) {}

    // The highest version number; 0 when there is none.
    Expected<int> last() const;
    // Stores `v` under its number with everything it holds.
    Status insert(const SetVersion& v);
    // Every version, oldest first, without images.
    Expected<std::vector<SetVersion>> all() const;
    // Whether every stored image text is whole and matches its checksum;
    // a damaged one is named by a version, code and sign that use it.
    Status checkTexts() const;
    // One version, with its images when `images` is set; none when there is
    // no such number. With `only`, just the images stored as one of those
    // texts are unpacked; the others are left empty.
    Expected<std::optional<SetVersion>> read(int number, bool images,
                                             const QSet<qint64>* only = nullptr) const;
    // The stored text of every image of a version by sign and code (both
    // lower case, joined by a NUL): equal ids are equal images.
    Expected<QHash<QString, qint64>> imageTexts(int number) const;
    // The same, with each text's SHA-256, which an image not yet stored is
    // compared by (hashOf).
    struct Stored {
        qint64 text = 0;
        QByteArray sha256;
    };
    Expected<QHash<QString, Stored>> storedImages(int number) const;
    static QString imageKey(const QString& sign, const QString& code);
    static QByteArray hashOf(const ImageRecord& image);

    // Empty when no feed was ever applied.
    Expected<QString> feedVersion() const;
    Status setFeedVersion(const QString& version);

    // An image file's text as stored, and back. Unpacking refuses anything
    // that would grow past what an image file may hold, whatever the stored
    // length says.
    static QByteArray pack(const QByteArray& text);
    static Expected<QByteArray> unpack(const QByteArray& stored);

private:
    Expected<qint64> storeText(const QByteArray& text);
    // The steps of insert(), each one table's rows.
    Status insertHead(const SetVersion& v);
    Status insertDestinations(const SetVersion& v);
    Status insertOverrides(const SetVersion& v);
    Status insertFindings(const SetVersion& v);
    Status insertImages(const SetVersion& v);
    Status readRows(SetVersion& v, bool images, const QSet<qint64>* only) const;

    QSqlDatabase db_;
};

} // namespace vexel
