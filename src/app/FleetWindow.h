#pragma once

#include "session/FleetSession.h"

#include <QWidget>

#include <memory>

class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;

namespace vexel {
class FleetWatch;
}

// The fleet: one row a bus, the version each sign carries (red where it is
// behind), the filters and counts, the selected bus's sends, and what can
// be done for a bus from here. The session answers; the window asks and
// shows.
class FleetWindow : public QWidget {
    Q_OBJECT
public:
    FleetWindow(vexel::FleetSources sources, Prompter& prompter, QWidget* owner);
    ~FleetWindow() override;

    vexel::FleetSession& session() { return session_; }
    // Reads the fleet again, keeping the selected bus selected.
    void Refresh_Click();
    void Filter_Changed();
    void Export_Click();
    void Send_Click();
    void Visit_Click();
    QString Selected_Bus() const;
    void Select_Bus(const QString& bus);

    QComboBox* Combo_Depot = nullptr;
    QComboBox* Combo_Set = nullptr;
    QCheckBox* Check_Behind = nullptr;
    QPushButton* Button_Refresh = nullptr;
    QLabel* Label_Counts = nullptr;
    QTableView* Table_Fleet = nullptr;
    QTableWidget* Table_History = nullptr;
    QComboBox* Combo_Sign = nullptr;
    QPushButton* Button_Send = nullptr;
    QPushButton* Button_Export = nullptr;
    QPushButton* Button_Visit = nullptr;

signals:
    // The bus's codes for the sign are to go on the editor's send list.
    void sendRequested(const vexel::FleetBusState& state, const QString& sign);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Create_Filters();
    void Create_Tables();
    void Create_Actions();
    void Lay_Out();
    void Connect_Controls();
    void Fill_Filters();
    void Selection_Changed();
    void Show_History(const QString& bus);
    void Show_Counts();
    void Start_Watch();
    const vexel::FleetBusState* Selected_State() const;

    vexel::FleetSession session_;
    Prompter& prompter_;
    std::function<vexel::SendJournal()> journal_;
    std::unique_ptr<vexel::FleetWatch> watch_;
    QString problem_;
};
