#include "app/Prompter.h"

#include <QDir>
#include <QFileInfo>

std::optional<ReleaseForm> Prompter::askRelease(const ReleaseForm& proposed)
{
    FileRequest request;
    const QFileInfo folder(proposed.folder);
    request.directory = folder.absolutePath();
    request.proposedName = folder.fileName();
    request.filter = tr("Folders|*");
    request.defaultExtension.clear();
    ReleaseForm form = proposed;
    form.folder = chooseFolder(request);
    if (form.folder.isEmpty())
        return std::nullopt;
    return form;
}

std::optional<SendForm> Prompter::askSend(const SendQuestion& question)
{
    const QString bus = question.bus.isEmpty() ? tr("no bus") : tr("bus ") + question.bus;
    if (!confirm(tr("Send %1 files of the %2 sign to %3 on %4?")
                     .arg(question.files)
                     .arg(question.sign, bus, QDir::toNativeSeparators(question.port))))
        return std::nullopt;
    return SendForm{question.bus, question.port};
}

std::optional<ReleaseForm> ScriptedPrompter::askRelease(const ReleaseForm& proposed)
{
    asked.push_back({QStringLiteral("release"), proposed.folder, InfoButton::Ok, {}});
    releaseQuestions.push_back(proposed);
    if (releaseAnswers.empty())
        return Prompter::askRelease(proposed);
    const ReleaseForm answer = releaseAnswers.front();
    releaseAnswers.pop_front();
    return answer;
}

std::optional<SendForm> ScriptedPrompter::askSend(const SendQuestion& question)
{
    asked.push_back({QStringLiteral("send"), question.sign, InfoButton::Ok, {}});
    sendQuestions.push_back(question);
    if (sendAnswers.empty())
        return std::nullopt;
    const SendForm answer = sendAnswers.front();
    sendAnswers.pop_front();
    return answer;
}

bool ScriptedPrompter::confirm(const QString& text)
{
    asked.push_back({QStringLiteral("confirm"), text, InfoButton::Ok, {}});
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void ScriptedPrompter::inform(const QString& text, InfoButton button)
{
    asked.push_back({QStringLiteral("inform"), text, button, {}});
}

void ScriptedPrompter::error(const QString& text) { asked.push_back({QStringLiteral("error"), text, InfoButton::Ok, {}}); }

bool ScriptedPrompter::decide(const QString& heading, const QString& report, const QString&, const QString&)
{
    asked.push_back({QStringLiteral("decide"), heading + QLatin1Char('\n') + report, InfoButton::Ok, {}});
    if (decideAnswers.empty())
        return false;
    const bool answer = decideAnswers.front();
    decideAnswers.pop_front();
    return answer;
}

QString ScriptedPrompter::openFile(const FileRequest& request)
{
    asked.push_back({QStringLiteral("open"), request.directory + request.proposedName, InfoButton::Ok, request});
    if (fileAnswers.empty())
        return QString();
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedPrompter::saveFile(const FileRequest& request)
{
    asked.push_back({QStringLiteral("save"), request.directory + request.proposedName, InfoButton::Ok, request});
    if (fileAnswers.empty())
        return QString();
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QStringList ScriptedPrompter::texts(const QString& kind) const
{
    QStringList out;
    for (const Asked& a : asked)
        if (a.kind == kind)
            out << a.text;
    return out;
}
