// `vexel translit`: the Latin name a sign would be given for each text.
#include "Cli.h"

#include "depot/Romanization.h"

int Cli::translit(const QStringList& args)
{
    const Parsed p = parse(args, {}, {});
    if (!p.error.isEmpty())
        return usage(p.error);
    if (p.positional.isEmpty())
        return usage(QStringLiteral("translit wants TEXT..."));
    for (const QString& text : p.positional)
        say(out_, vexel::suggestLatin(text));
    return Success;
}
