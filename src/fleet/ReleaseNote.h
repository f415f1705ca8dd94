#pragma once

#include "depot/Preflight.h"
#include "document/Result.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace vexel {

// Everything a release writes into its note.
struct ReleaseListing {
    struct Sign {
        QString name;
        int width = 0;
        int height = 0;
    };
    // One file of the release and what the board checks of it sent alone.
    struct File {
        QString file; // "<sign>/<code>.img"
        int frames = 0;
        int length = 0; // the data block, as the DATA header's length field counts it
        std::uint16_t checksum = 0;
    };
    QString setName;
    QString setId;
    int version = 0; // 0: the set keeps none
    QDateTime time;
    QDate validFrom;
    QString note;
    std::vector<Sign> signs;
    QStringList unfit, stale, sheets, findings;
    std::vector<File> files;
};

// The `release.txt` of a released destination set, the one place that
// writes and reads it. Read, it says about the files beside it: the set, the
// version, the sign and the files listed. Read leniently: a note in an
// unknown shape, or none at all, leaves the parts it does not name empty.
struct ReleaseNote {
    static constexpr const char* FileName = "release.txt";
    // More than any release note holds; the rest of a larger file is not
    // read, nor the line the limit cuts.
    static constexpr qint64 MaxBytes = 1 << 20;

    QString set;
    int version = 0; // 0: not named
    QString sign;
    QString setId;   // the set's lasting id; empty when not named
    QDate validFrom; // null: not named
    // The files listed ("front/12.img\t..."), by sign in lower case, in the
    // order listed.
    std::map<QString, QStringList> files;
    // The signs released and their sizes ("signs: front 160x19, side 112x16").
    std::vector<TargetSign> signs;

    // The note of a release in `folder`.
    static QString pathIn(const QString& folder);
    // Its text, as a release writes it.
    static QString write(const ReleaseListing& listing);
    // The text of the note in `folder`, whole; fails with the reason when it
    // cannot be read or is larger than a note.
    static Expected<QByteArray> readIn(const QString& folder);
    // Whether a line of the note carries the set's lasting id, whatever its key.
    static bool namesId(const QByteArray& text, const QString& id);

    // The note's text on its own ("set: City", "version 3", "sign: front",
    // in any case, with ':' or '=' or nothing between).
    static ReleaseNote parse(const QByteArray& text);
    // The note found beside `filePaths`: in their folder, or in the folder
    // above when each sign has a folder of its own (whose name is then the
    // sign). Files from several folders name their signs joined by ", ".
    static ReleaseNote beside(const QStringList& filePaths);
    // The sign each file of a release was made for: a file in
    // `<release>/<sign>/` whose `<release>/release.txt` names that sign with
    // its size. Files that already have a sign, and loose files, keep theirs.
    static void findSigns(std::vector<PreflightFile>& files);
    // The size of the sign a released image is for, found as findSigns
    // finds it; none for a loose file.
    static std::optional<std::pair<int, int>> signSizeOf(const QString& imagePath);
};

} // namespace vexel
