#include "lettering/UserFonts.h"

#include <QStandardPaths>

namespace vexel {

UserFonts& UserFonts::instance()
{
    static UserFonts fonts;
    return fonts;
}

QString UserFonts::folder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/fonts");
}

} // namespace vexel
