#pragma once

#include "app/Prompter.h"
#include "sets/SetLettering.h"
#include "fleet/SetRelease.h"
#include "settings/AppSettings.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableView;
class QVBoxLayout;
class QGridLayout;
class SignPlayer;

namespace vexel {
class DestinationsSession;
class OverrideLink;
class FontList;
} // namespace vexel

// The "Destinations" window: a destination set as an editable table, with
// how each destination letters every sign, and the selected destination
// played on each sign as the simulator shows it, following the operator's
// typing. Its commands call the DestinationsSession; every question goes
// through the prompter.
class DestinationsWindow : public QWidget {
    Q_OBJECT
public:
    DestinationsWindow(Prompter& prompter, QWidget* parent = nullptr);
    ~DestinationsWindow() override;

    // Opens the set, read-only with the reason when another editor has it.
    bool openSet(const QString& path);
    // Asks for a set file or a server set's address and opens it.
    void Open_Click();
    // Opens again the set this window had open before it was closed; false
    // when there was none or it cannot be opened now.
    bool reopenSet();
    // Lets the set go, as closing the window does: the set closes unless
    // another window of the program still works on it.
    void closeSet();
    vexel::DestinationsSession* session() const { return session_.get(); }

    void setStepTime(int ms);
    // Where the editor hears of the set this window has open, so an image
    // saved into its overrides folder is stored through it.
    void setOverrideLink(vexel::OverrideLink* link) { overrideLink_ = link; }

    // The commands, as the buttons call them.
    void Add_Click();
    void Remove_Click();
    void Suggest_Click();
    void Edit_By_Hand_Click();
    // The chosen sign of the selected destination lettered from its texts
    // again, its image made by hand removed from the set.
    void Remove_By_Hand_Click();
    void Import_Click();
    void Export_Click();
    // Asks for the folder, the note and the valid-from day, then releases.
    void Release_Click();
    void Send_Click();
    // The set's kept releases: compare, restore, release again.
    void Versions_Click();
    // The set's abbreviations, words kept in capitals and via separators.
    void Word_Lists_Click();

    // The selected destination's row in the session, -1 for none.
    int currentRow() const;
    void selectRow(int row);
    // The sign chosen for Edit by hand and Send.
    int currentSign() const;
    // What the preview shows for each sign now.
    const std::vector<vexel::SignImage>& shown() const { return shown_; }

    // The chosen destinations' files for one sign, ready for the send list.
    // This is where sending a sign's destinations is decided.
    vexel::Expected<QStringList> filesToSend(int sign, const QStringList& codes) const;

signals:
    // Edit by hand: the main editor opens this image file on a board of its
    // sign's size.
    void openInEditor(const QString& path, const vexel::SignBoard& board);
    // Send: these files of a release go to the sign `sign` of a bus, whose
    // board is `board`; the bus and the port are asked next.
    void sendRequested(const QStringList& paths, const QString& sign, const QSize& board);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Back in the window: rows another window changed are read again.
    bool event(QEvent* event) override;

private:
    // The sign previews taken down, before the signs are listed anew or the set closes.
    void clearPreviews();
    void buildControls();
    QHBoxLayout* buildHead();
    void buildNotices(QVBoxLayout* top);
    QVBoxLayout* buildCommands();
    void growToTable();
    QLabel* buildCommandButtons();
    void buildByHandButton();
    // Whether the selected destination has an image made by hand for the chosen sign.
    bool chosenByHand() const;
    void buildTable(QSplitter* split);
    QWidget* buildLower(QSplitter* split);
    void connectControls();
    void showSet();
    void updateControls();
    void showSelected();
    // The preview for the destination as typed, before it is stored.
    void showDraft(int row, int column, const QString& text);
    // The signs' images; `shown` is the destination they letter, if any.
    void showImages(const std::vector<vexel::SignImage>& images, const vexel::Destination* shown = nullptr);
    QList<int> selectedRows() const;
    void showFailure(const vexel::Status& status);
    // Whether the server of the open set answers, in the window's status.
    void showConnection();

    Prompter& prompter_;
    std::shared_ptr<vexel::FontList> fonts_;
    std::unique_ptr<vexel::DestinationsSession> session_;
    std::vector<vexel::SignImage> shown_;
    int stepTime_ = 30;
    vexel::OverrideLink* overrideLink_ = nullptr;
    QString lastPath_; // as given, password included: only to open it again

    QLabel* setLabel_ = nullptr;
    QLabel* readOnlyLabel_ = nullptr;
    QLabel* connectionLabel_ = nullptr;
    QLabel* liveLabel_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* suggestButton_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* removeByHandButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* releaseButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* versionsButton_ = nullptr;
    QPointer<QWidget> versionsWindow_; // works on the open set; closed with it
    QPushButton* wordsButton_ = nullptr;
    QPointer<QWidget> wordsDialog_; // the same
    QComboBox* signBox_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QListWidget* history_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QWidget* previewBox_ = nullptr;
    QGridLayout* previewGrid_ = nullptr;
    std::vector<QLabel*> previewLabels_;
    std::vector<SignPlayer*> players_;
};
