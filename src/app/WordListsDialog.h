#pragma once

#include "app/Prompter.h"
#include "store/SetWords.h"
#include "document/Result.h"

#include <QDialog>

#include <array>

class QHBoxLayout;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace vexel {
class DestinationsSession;
} // namespace vexel

// The set's word lists, edited as six tables: the Latin and the Georgian
// abbreviations, the words kept in capitals, the via separators, the
// service words and the phrases kept together; beside the separators, the
// words a via frame starts with. Save writes them to the set
// as one change; abbreviations come and go as CSV.
// A set open read-only shows them with the reason and changes nothing.
class WordListsDialog : public QDialog {
    Q_OBJECT
public:
    enum List { LatinList, GeorgianList, CapitalsList, SeparatorsList, ServiceList, KeepList, ListCount };

    WordListsDialog(vexel::DestinationsSession& session, Prompter& prompter, QWidget* parent = nullptr);

    // The lists as the tables hold them now; empty rows left out.
    vexel::SetWords words() const;
    QTableWidget* table(List list) const { return tables_[list]; }
    QLineEdit* viaWordEdit(bool georgian) const { return georgian ? Via_Georgian_Edit : Via_Latin_Edit; }

    void Add_Click(List list);
    void Remove_Click(List list);
    void Import_Click();
    void Export_Click();
    // Writes the lists; a refusal is shown and returned, and the dialog stays.
    vexel::Status Save_Click();

signals:
    void saved();

private:
    struct ListShape;
    void buildTabs();
    QWidget* buildPage(int i, const ListShape& shape);
    QFormLayout* buildViaWords(QWidget* page);
    QHBoxLayout* buildButtons();
    void enableControls();
    void connectControls();
    void fill(const vexel::SetWords& words);
    void fillAbbreviations(const std::vector<vexel::SetWords::Abbreviation>& abbreviations);

    vexel::DestinationsSession& session_;
    Prompter& prompter_;
    bool readOnly_ = false;
    // The lists as the dialog showed them: a save changes only the lists
    // edited since, so a change another depot made to another list stays.
    vexel::SetWords shown_;

    QLabel* Read_Only_Label = nullptr;
    QTabWidget* Lists_Tabs = nullptr;
    std::array<QTableWidget*, ListCount> tables_{};
    std::array<QPushButton*, ListCount> addButtons_{};
    std::array<QPushButton*, ListCount> removeButtons_{};
    QLineEdit* Via_Latin_Edit = nullptr;
    QLineEdit* Via_Georgian_Edit = nullptr;
    QPushButton* Import_Button = nullptr;
    QPushButton* Export_Button = nullptr;
    QPushButton* Save_Button = nullptr;
    QPushButton* Cancel_Button = nullptr;
};
