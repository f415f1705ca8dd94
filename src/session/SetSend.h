#pragma once

#include "document/Result.h"

#include <QString>
#include <QStringList>

namespace vexel {

class EditorSession;

// The chosen destinations of one released sign, as one send list: the board
// plays every image of a DATA message in turn, so a sign is sent the
// destinations the bus will serve, never a whole folder.
struct SignSendList {
    QString folder;       // the sign's release folder, with its separator
    QStringList entries;  // "<code>.img", in the order chosen
    int blockLength = 0;  // the data block of the DATA message that carries them
};

class SetSend {
public:
    // The files of `codes` in a released sign's folder (`<release>/<sign>/`),
    // in the order given, a code named twice once. Refused, with the reason,
    // when nothing is chosen, a code cannot name a file, a file is missing
    // or does not load, or one DATA message could not carry them all (at
    // most 255 files and 65,535 bytes; the message says how far over).
    static Expected<SignSendList> choose(const QString& signFolder, const QStringList& codes);

    // Puts the list on the editor's send list: the sign's folder becomes the
    // data folder with the first file open, as Load does, and the send list
    // holds the chosen files, stamped. The window settles unsaved changes
    // first, and afterwards runs the check before Send (preflight()) and
    // send() as for any send list. A refused first file changes nothing.
    static Status putOnSendList(EditorSession& session, const SignSendList& list);

    // Why `releaseFolder` cannot be sent from as version `version` (0: any)
    // of the set `setId` (empty: any): it is missing, has no release.txt, or
    // that names another set or version. `bus` names the bus whose set it
    // is in the message; empty, the message says "this one". Empty when the
    // release is at hand.
    static QString releaseProblem(const QString& releaseFolder, const QString& setId, int version,
                                  const QString& bus);
};

} // namespace vexel
