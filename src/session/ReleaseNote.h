#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace vexel {

// What the `release.txt` of a released destination set says about the files
// beside it: the set, the version and the sign. Read leniently: a note in an
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

    // The note's text on its own ("set: City", "version 3", "sign: front",
    // in any case, with ':' or '=' or nothing between).
    static ReleaseNote parse(const QByteArray& text);
    // The note found beside `filePaths`: in their folder, or in the folder
    // above when each sign has a folder of its own (whose name is then the
    // sign). Files from several folders name their signs joined by ", ".
    static ReleaseNote beside(const QStringList& filePaths);
};

} // namespace vexel
