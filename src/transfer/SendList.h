#pragma once

#include <QString>
#include <QStringList>

namespace vexel {

// The rules of the send panel's two lists, apart from the widgets.
class SendList {
public:
    // Names of the image files ("*.img") in `folder`, files only, in name
    // order so the list looks the same on every scan.
    static QStringList imageFiles(const QString& folder);

    // The entries whose file still exists in `folder`, in their order.
    static QStringList existing(const QStringList& entries, const QString& folder);

    struct Listing {
        QStringList fileList; // image files that are not in the send list
        int untitledNumber = 1;
    };
    // Names compare case-sensitively, and only names that begin with
    // "Untitled" exactly count towards the untitled number.
    static Listing list(const QStringList& imageFiles, const QStringList& sendList);

    // The entry to select after a move: the remembered index, or the last
    // one when the list has become shorter; -1 for an empty list.
    static int reselect(int remembered, int count);
};

} // namespace vexel
