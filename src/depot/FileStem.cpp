#include "depot/FileStem.h"

namespace vexel {

bool FileStem::isDeviceName(const QString& stem)
{
    // Windows looks at the part before the first dot, trailing spaces
    // dropped: "con.txt" and "CON " are the console too.
    QString base = stem.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    base = base.toUpper();
    if (base == QLatin1String("CON") || base == QLatin1String("PRN") || base == QLatin1String("AUX") ||
        base == QLatin1String("NUL"))
        return true;
    if (base.size() != 4 || !(base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))))
        return false;
    const char16_t digit = base[3].unicode();
    // The superscript digits count as well.
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

Status FileStem::check(const QString& stem, const QString& what)
{
    auto refuse = [](const QString& reason) { return Status::failure(reason); };
    if (stem.isEmpty())
        return refuse(QStringLiteral("%1 is empty").arg(what));
    if (stem == QLatin1String(".") || stem == QLatin1String(".."))
        return refuse(QStringLiteral("\"%1\" cannot name a file").arg(stem));
    for (QChar c : stem)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return refuse(QStringLiteral("%1 holds a character a file name cannot hold").arg(what));
    if (stem.size() > MaxLength)
        return refuse(QStringLiteral("%1 is longer than %2 characters").arg(what).arg(MaxLength));
    if (stem.startsWith(QLatin1Char('-')))
        return refuse(QStringLiteral("%1 \"%2\" begins with \"-\", which commands would take for an option")
                          .arg(what, stem));
    if (isDeviceName(stem))
        return refuse(QStringLiteral("%1 \"%2\" is a name Windows keeps for a device; its file could not be "
                                     "opened there")
                          .arg(what, stem));
    return Status::success();
}

} // namespace vexel
