#pragma once

#include "app/Prompter.h"

#include <QPointer>
#include <QWidget>

// The real boxes and dialogs.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool confirm(const QString& text) override;
    void inform(const QString& text, InfoButton button) override;
    void error(const QString& text) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;

private:
    QPointer<QWidget> parent_;
};
