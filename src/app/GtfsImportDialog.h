#pragma once

#include "session/GtfsImportSession.h"

#include <QDialog>

#include <memory>

class Prompter;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// File > Import routes from GTFS…: a transit feed (zip or folder) compared
// with a destination set, the difference shown with a tick per destination
// (and per held text), and the ticked ones applied as one step of the set.
// The work is the session's; this window asks, shows and passes the ticks on.
class GtfsImportDialog : public QDialog {
    Q_OBJECT
public:
    // With `set`, that set is the one imported into (a window that has it
    // open); without, the operator chooses one.
    GtfsImportDialog(Prompter& prompter, QWidget* parent = nullptr, vexel::DestinationSet* set = nullptr);
    ~GtfsImportDialog() override;

    void setSetPath(const QString& path);
    void setFeedPath(const QString& path);
    // Reads the feed with the chosen filters and shows the difference; a
    // failure is shown and returned.
    vexel::Status showDifference();
    // Applies the ticked rows; a failure is shown and returned.
    vexel::Status applyTicked();

    const vexel::GtfsImportSession& session() const { return session_; }
    // What the set is opened with: the address as typed or chosen, password
    // included, where the field shows it without.
    const QString& setAddress() const { return setAddress_; }

signals:
    // The set changed: a window that shows it reads it again.
    void applied();

private:
    void buildSourceRows(QFormLayout* form);
    void buildFilterRows(QFormLayout* form);
    QHBoxLayout* buildCompareRow();
    void buildResults();
    QHBoxLayout* buildButtons();
    void nameControls();
    void connectControls();
    void chooseSet();
    void setEdited(const QString& text);
    void setTyped();
    void chooseFeed();
    vexel::DestinationSet* openSet();
    vexel::GtfsOptions options() const;
    void fillFilters();
    void fillRows();
    void rowTicked(QTreeWidgetItem* item, int column);
    void updateButtons();

    // Why Apply ticked is greyed out; empty when it is not.
    QString applyBlocked() const;

    Prompter& prompter_;
    vexel::DestinationSet* givenSet_ = nullptr;
    std::shared_ptr<vexel::DestinationSet> ownSet_; // shared with the program's other windows
    vexel::DestinationSet* comparedSet_ = nullptr; // the set the rows were compared with
    vexel::GtfsImportSession session_;
    bool filling_ = false;
    QString setAddress_; // as typed or chosen, with any password: Set_Edit shows it without

    QLineEdit* Set_Edit = nullptr;
    QPushButton* Set_Button = nullptr;
    QLineEdit* Feed_Edit = nullptr;
    QPushButton* Feed_Button = nullptr;
    QLineEdit* Suffix_Edit = nullptr;
    QLineEdit* Variant_Edit = nullptr;
    QComboBox* Type_Box = nullptr;
    QComboBox* Agency_Box = nullptr;
    QComboBox* Case_Box = nullptr;
    QPushButton* Compare_Button = nullptr;
    QProgressBar* Progress = nullptr;
    QTreeWidget* Changes = nullptr;
    QLabel* Summary = nullptr;
    QLabel* Apply_Reason = nullptr;
    QPlainTextEdit* Report = nullptr;
    QPushButton* Apply_Button = nullptr;
    QPushButton* Close_Button = nullptr;
};
