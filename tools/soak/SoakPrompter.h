#pragma once

#include "app/Prompter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <random>

// Answers every box and file dialog at random among the answers a user
// could give: Yes or No, go or stop, an existing file of the asked kind or a
// new name, or a cancel. Every path it hands out lies inside `home`.
class SoakPrompter : public Prompter {
public:
    using Log = std::function<void(const QString&)>;

    SoakPrompter(QString home, std::mt19937& random, Log log);

    bool confirm(const QString& text) override;
    void inform(const QString& text, InfoButton button) override;
    void error(const QString& text) override;
    bool decide(const QString& heading, const QString& report, const QString& go, const QString& stop) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    QString chooseFolder(const FileRequest& request) override;

    int questions() const { return questions_; }
    int errors() const { return errors_; }

    // The file patterns of a filter such as "Pictures|*.png *.bmp|Sets|*.vxset".
    static QStringList patterns(const QString& filter);

private:
    bool chance(double p);
    void note(const QString& kind, const QString& text);

    QString home_;
    std::mt19937& random_;
    Log log_;
    int questions_ = 0;
    int errors_ = 0;
};
