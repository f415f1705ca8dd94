#pragma once

#include "sets/VersionDiff.h"
#include "session/VersionsSession.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vexel {
class DestinationSet;
class FontList;
}

// The "Versions…" window of a destination set: the releases it keeps; any
// two compared as a table of changed destinations with each sign's image
// drawn old | new; a proof sheet of the changes; "Restore" and "Release
// again". The work is VersionsSession's; this only shows it.
class VersionsWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the set itself (read-only when an editor holds it).
    VersionsWindow(const QString& setPath, Prompter& prompter, std::shared_ptr<vexel::FontList> fonts = nullptr,
                   QWidget* parent = nullptr);
    // Works on a set the caller has open, keeping it open while it does.
    VersionsWindow(std::shared_ptr<vexel::DestinationSet> set, Prompter& prompter,
                   std::shared_ptr<vexel::FontList> fonts = nullptr, QWidget* parent = nullptr);
    ~VersionsWindow() override;

    // Why the set could not be opened (the window then shows only this);
    // empty when it is open.
    const QString& openError() const { return openError_; }

    // Reads the versions again, keeping the chosen pair where it still exists.
    void reload();
    // Chooses the pair compared (version numbers) and compares them.
    void choose(int from, int to);
    // Whether every frame is drawn, or only the first.
    void setAllFrames(bool all);

    const vexel::VersionDiff& diff() const { return diff_; }
    QTableWidget* changesTable() const { return changes_; }
    QListWidget* versionList() const { return list_; }

    // The buttons' work, for the menu and tests.
    void proofSheet();
    void restore();
    void releaseAgain();

signals:
    // The set changed (a version restored): its other windows read it again.
    void setChanged();

private:
    void build();
    QPushButton* buildControls();
    void layOut(QPushButton* close);
    void connectControls(QPushButton* close);
    void compare();
    QStringList changedSigns() const;
    void showChange(int row, const QStringList& signs, int from, int to);
    int chosen(QComboBox* box) const;
    // Old | new; every frame, or only frame `only` of each side.
    QPixmap drawPair(const vexel::SignImageChange& change, int only) const;

    Prompter& prompter_;
    std::shared_ptr<vexel::FontList> fonts_;
    std::unique_ptr<vexel::VersionsSession> session_;
    std::vector<vexel::SetVersion> versions_;
    vexel::VersionDiff diff_;
    QString openError_;

    QListWidget* list_ = nullptr;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QCheckBox* allFrames_ = nullptr;
    QTableWidget* changes_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* proof_ = nullptr;
    QPushButton* restore_ = nullptr;
    QPushButton* release_ = nullptr;
};
