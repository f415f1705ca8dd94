#pragma once

#include "store/HeldConnection.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace vexel {

// Hears of the changes other editors make to one server set, on a
// connection of its own (kept for the next watch when it closes): every change announces itself on the set channel
// when it commits (see DestinationSet::ChangeNotice). A change after a quiet
// spell comes out at once; the rest of a burst as one changed() at most
// DebounceMs later, naming the destinations it knows of.
//
// The connection is asked now and then whether the server still answers:
// lost() when it stops, back() when it answers again, so a window never
// takes the rows it shows for current while nothing can reach it.
class SetWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int DebounceMs = 100;
    static constexpr int CheckMs = 2000;

    // `address` is the set's address, password included: it is only used
    // to connect and never shown.
    explicit SetWatch(const ServerAddress& address, QObject* parent = nullptr);
    ~SetWatch() override;

    bool listening() const { return listening_; }
    // Why the changes are not heard; empty while they are.
    const QString& problem() const { return problem_; }

    // Asks the server at once instead of at the next check.
    void check();

signals:
    // `codes` are the destinations named by the notices; empty when a
    // change named none (signs, words, a release, an import).
    void changed(const QStringList& codes, bool wholeSet);
    void lost(const QString& reason);
    void back();

private:
    bool connectAndListen();
    // `answered`: the server still answers, and the connection may be kept
    // for another watch or set.
    void close(bool answered = true);
    void heard(const QString& name, const QVariant& payload);

    ServerAddress address_;
    QString set_;
    QString shown_;
    HeldConnection held_;
    QTimer debounce_;
    QElapsedTimer lastChange_; // since the last changed()
    QTimer checks_;
    QStringList pending_;
    bool pendingWhole_ = false;
    bool listening_ = false;
    QString problem_;
};

} // namespace vexel
