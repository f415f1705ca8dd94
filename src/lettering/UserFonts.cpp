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
    // The editor's application data folder, named in full so that `vexel`
    // (another application name) finds the same fonts.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/vexelimage/Vexel Image/fonts");
}

} // namespace vexel
