#include "store/VehicleSign.h"

#include "depot/FileStem.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace vexel {

Expected<QString> VehicleSign::boardLayout(const QString& layoutJson, int width, int height)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(layoutJson.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return Expected<QString>::failure(QCoreApplication::translate("VehicleSign", "the layout is not a JSON object in braces"));
    QJsonObject object = doc.object();
    const QJsonValue board = object.value(QStringLiteral("board"));
    if (board.isObject()) {
        const QJsonObject b = board.toObject();
        const QJsonValue w = b.value(QStringLiteral("width"));
        const QJsonValue h = b.value(QStringLiteral("height"));
        if ((!w.isUndefined() && w.toDouble(-1) != width) || (!h.isUndefined() && h.toDouble(-1) != height))
            return Expected<QString>::failure(
                QCoreApplication::translate("VehicleSign", "the layout's board is not the sign's size, %1 x %2").arg(width).arg(height));
    } else if (!board.isUndefined()) {
        return Expected<QString>::failure(QCoreApplication::translate("VehicleSign", "board: must be an object in braces"));
    }
    object.insert(QStringLiteral("board"),
                  QJsonObject{{QStringLiteral("width"), width}, {QStringLiteral("height"), height}});
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

Expected<RouteLayout> VehicleSign::routeLayout() const
{
    const Expected<QString> text = boardLayout(layout, width, height);
    if (!text)
        return text.status();
    return RouteLayout::parse(text->toUtf8(), QStringLiteral("sign %1").arg(name));
}

const QStringList& VehicleSign::places()
{
    static const QStringList list{QStringLiteral("front"), QStringLiteral("side"), QStringLiteral("rear"),
                                  QStringLiteral("interior")};
    return list;
}

Status VehicleSign::check() const
{
    const Status named = FileStem::check(name, QStringLiteral("the sign's name"));
    if (!named)
        return named;
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight)
        return Status::failure(QCoreApplication::translate("VehicleSign", "sign %1: %2 x %3 is not a board size (1 x 1 to %4 x %5)")
                                   .arg(name)
                                   .arg(width)
                                   .arg(height)
                                   .arg(MaxWidth)
                                   .arg(MaxHeight));
    if (!(pitchMm >= 0 && pitchMm <= MaxPitchMm))
        return Status::failure(QCoreApplication::translate("VehicleSign", "sign %1: a pitch of %2 mm is not one an LED sign has (0 to %3)")
                                   .arg(name)
                                   .arg(pitchMm)
                                   .arg(MaxPitchMm));
    if (!place.isEmpty() && !places().contains(place))
        return Status::failure(QCoreApplication::translate("VehicleSign", "sign %1: the place \"%2\" is not one of %3")
                                   .arg(name, place, places().join(QStringLiteral(", "))));
    const Expected<QString> text = boardLayout(layout, width, height);
    if (!text)
        return Status::failure(QCoreApplication::translate("VehicleSign", "sign %1: %2").arg(name, text.error()));
    const Expected<RouteLayout> read = routeLayout();
    return read ? Status::success() : read.status();
}

} // namespace vexel
