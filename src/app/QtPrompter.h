#pragma once

#include "app/Prompter.h"

#include <QPointer>
#include <QWidget>

// The real boxes and dialogs.
class QtPrompter : public Prompter {
    Q_DECLARE_TR_FUNCTIONS(QtPrompter)

public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool confirm(const QString& text) override;
    void inform(const QString& text, InfoButton button) override;
    void error(const QString& text) override;
    bool decide(const QString& heading, const QString& report, const QString& go, const QString& stop) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    QString chooseFolder(const FileRequest& request) override;
    QString openSet(const FileRequest& request) override;
    std::optional<ReleaseForm> askRelease(const ReleaseForm& proposed) override;
    std::optional<SendForm> askSend(const SendQuestion& question) override;

private:
    QPointer<QWidget> parent_;
};
