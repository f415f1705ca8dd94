#pragma once

#include "fleet/SheetFormat.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

// What a file dialog is asked to show.
struct FileRequest {
    QString directory;    // start folder
    QString proposedName; // name put into the dialog
    QString filter = QStringLiteral("Vexel Image|*.img");
    QString defaultExtension = QStringLiteral("img");
};

// The Release dialog's fields.
struct ReleaseForm {
    QString folder;  // made when it does not exist
    QString note;    // kept with the version
    QDate validFrom; // the day the release counts from; null: at once
    vexel::SheetFormat sheets = vexel::SheetFormat::Png; // the proof sheets' format
};

// What is asked before a sign's released files go to a bus.
struct SendQuestion {
    QString sign;      // the sign they are for
    int files = 0;     // how many
    QStringList buses; // the bus list's numbers, to choose from
    QString bus;       // proposed
    QStringList ports; // as the Settings dialog's port box offers them
    QString port;      // proposed: the port in use
};

// The answer: the bus (may be empty) and the port's text as chosen.
struct SendForm {
    QString bus;
    QString port;
};

// Every message box and file dialog of the windows goes through here, so
// tests can answer them without a modal box.
class Prompter {
    Q_DECLARE_TR_FUNCTIONS(Prompter)

public:
    enum class InfoButton { Yes, Ok };

    virtual ~Prompter() = default;

    // Confirmation with Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // Information box with a single button.
    virtual void inform(const QString& text, InfoButton button) = 0;
    // The error box for a failed operation.
    virtual void error(const QString& text) = 0;
    // A report with two ways on: true for `go`, false for `stop`.
    virtual bool decide(const QString& heading, const QString& report, const QString& go, const QString& stop) = 0;
    // Open and save dialogs; the chosen path, or empty when cancelled.
    virtual QString openFile(const FileRequest& request) = 0;
    virtual QString saveFile(const FileRequest& request) = 0;
    // A folder to write into (made when it does not exist); empty when
    // cancelled. Unless a prompter has a folder dialog, its save dialog asks.
    virtual QString chooseFolder(const FileRequest& request) { return saveFile(request); }
    // A destination set: a file from the open dialog, or the address of a
    // set on a server typed in. Unless a prompter has such a dialog, its
    // open dialog asks.
    virtual QString openSet(const FileRequest& request) { return openFile(request); }
    // The Release dialog, filled with `proposed`; nothing when cancelled.
    // Unless a prompter has such a dialog, only the folder is asked
    // (chooseFolder) and the rest is kept as proposed.
    virtual std::optional<ReleaseForm> askRelease(const ReleaseForm& proposed);
    // The bus and the port a sign's files go to; nothing when cancelled.
    // Unless a prompter has such a dialog, it asks to confirm the proposal.
    virtual std::optional<SendForm> askSend(const SendQuestion& question);
};

// Answers from queues and records every question; an empty queue answers
// No, or cancels a dialog.
class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        // "confirm", "inform", "error", "decide", "open", "save" (openSet
        // asks as "open"), "release", "send"
        QString kind;
        QString text; // message, or the proposed path for dialogs
        InfoButton button = InfoButton::Ok;
        FileRequest request;
    };

    std::deque<bool> confirmAnswers;
    std::deque<bool> decideAnswers; // an empty queue answers `stop`
    std::deque<QString> fileAnswers;
    // An empty queue asks for the folder alone, as the base does.
    std::deque<ReleaseForm> releaseAnswers;
    std::deque<SendForm> sendAnswers; // an empty queue cancels
    std::vector<Asked> asked;
    std::vector<SendQuestion> sendQuestions;
    std::vector<ReleaseForm> releaseQuestions; // what each Release proposed

    bool confirm(const QString& text) override;
    void inform(const QString& text, InfoButton button) override;
    void error(const QString& text) override;
    bool decide(const QString& heading, const QString& report, const QString& go, const QString& stop) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    std::optional<ReleaseForm> askRelease(const ReleaseForm& proposed) override;
    std::optional<SendForm> askSend(const SendQuestion& question) override;

    // Texts of every question of one kind, in order.
    QStringList texts(const QString& kind) const;
    int count(const QString& kind) const { return texts(kind).size(); }
    void clear() { asked.clear(); }
};
