#include "app/Prompter.h"

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
