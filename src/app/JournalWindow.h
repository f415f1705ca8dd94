#pragma once

#include "session/SendJournal.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The send journal: its entries under the filters, and what a bus carries
// on a sign. The journal answers; the window only asks and shows.
class JournalWindow : public QWidget {
    Q_OBJECT
public:
    // `path` gives the journal's file each time it is read.
    JournalWindow(std::function<vexel::SendJournal()> journal, QWidget* owner);

    // The filters as the controls set them.
    vexel::JournalFilter Filter() const;
    // Lists the entries again.
    void Refresh_Entries();
    // "Carries": the last send the board took for the bus and sign typed.
    void Carried_Click();

    // A stored reply as the windows show it: the board's answers (OK, CS,
    // LN) as they are, the journal's own words in the interface's language;
    // the reason after "not sent: " stays as it was written.
    static QString shownReply(const QString& reply);

    QLineEdit* Edit_Bus = nullptr;
    QLineEdit* Edit_Sign = nullptr;
    QLineEdit* Edit_Set = nullptr;
    QCheckBox* Check_Dates = nullptr;
    QDateEdit* Date_From = nullptr;
    QDateEdit* Date_To = nullptr;
    QComboBox* Combo_Reply = nullptr;
    QPushButton* Button_Refresh = nullptr;
    QPushButton* Button_Carried = nullptr;
    QLabel* Label_Answer = nullptr;
    QTableWidget* Table_Entries = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFilters();
    void buildTable();
    void layOut();
    void connectControls();

    std::function<vexel::SendJournal()> journal_;
};
