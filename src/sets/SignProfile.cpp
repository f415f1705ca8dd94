#include "sets/SignProfile.h"

#include "document/LimitedFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <set>

namespace vexel {

namespace {

// Why the keys of sign `path` are not the ones a sign has; empty when they are.
QString unknownKey(const QJsonObject& o, const QString& path)
{
    for (const QString& key : o.keys())
        if (key != QLatin1String("name") && key != QLatin1String("width") && key != QLatin1String("height") &&
            key != QLatin1String("layout") && key != QLatin1String("pitch_mm") && key != QLatin1String("place"))
            return QStringLiteral("%1.%2: unknown key").arg(path, key);
    return {};
}

// The sign's width and height, its LED pitch and its place; why not, or empty.
QString readMeasures(const QJsonObject& o, const QString& path, VehicleSign& sign)
{
    int* const sizes[] = {&sign.width, &sign.height};
    const char* const keys[] = {"width", "height"};
    const int limits[] = {VehicleSign::MaxWidth, VehicleSign::MaxHeight};
    for (int k = 0; k < 2; ++k) {
        const QJsonValue v = o.value(QLatin1String(keys[k]));
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d != std::floor(d) || d < 1 || d > limits[k])
            return QStringLiteral("%1.%2: must be a whole number from 1 to %3")
                .arg(path, QLatin1String(keys[k]))
                .arg(limits[k]);
        *sizes[k] = static_cast<int>(d);
    }
    const QJsonValue pitch = o.value(QStringLiteral("pitch_mm"));
    if (!pitch.isUndefined()) {
        const double d = pitch.toDouble(-1);
        if (!pitch.isDouble() || !(d > 0 && d <= VehicleSign::MaxPitchMm))
            return QStringLiteral("%1.pitch_mm: must be a number of millimetres above 0, at most %2")
                .arg(path)
                .arg(VehicleSign::MaxPitchMm);
        sign.pitchMm = d;
    }
    const QJsonValue place = o.value(QStringLiteral("place"));
    if (!place.isUndefined()) {
        if (!place.isString() || !VehicleSign::places().contains(place.toString()))
            return QStringLiteral("%1.place: must be one of %2").arg(path, VehicleSign::places().join(QStringLiteral(", ")));
        sign.place = place.toString();
    }
    return {};
}

// One sign of the list, checked as the set checks it; the failure is the
// reason alone.
Expected<VehicleSign> readSign(const QJsonValue& value, const QString& path)
{
    using Result = Expected<VehicleSign>;
    if (!value.isObject())
        return Result::failure(path + QStringLiteral(": must be an object in braces"));
    const QJsonObject o = value.toObject();
    if (const QString unknown = unknownKey(o, path); !unknown.isEmpty())
        return Result::failure(unknown);
    VehicleSign sign;
    if (!o.value(QStringLiteral("name")).isString())
        return Result::failure(path + QStringLiteral(".name: must be a text in quotes"));
    sign.name = o.value(QStringLiteral("name")).toString();
    if (const QString problem = readMeasures(o, path, sign); !problem.isEmpty())
        return Result::failure(problem);
    if (!o.value(QStringLiteral("layout")).isObject())
        return Result::failure(path + QStringLiteral(".layout: must be a layout object in braces"));
    sign.layout = QString::fromUtf8(
        QJsonDocument(o.value(QStringLiteral("layout")).toObject()).toJson(QJsonDocument::Compact));
    const Status fine = sign.check();
    if (!fine)
        return Result::failure(path + QStringLiteral(": ") + fine.error());
    return sign;
}

} // namespace

Expected<std::vector<VehicleSign>> SignProfile::parse(const QByteArray& json, const QString& name)
{
    using Result = Expected<std::vector<VehicleSign>>;
    auto fail = [&](const QString& reason) {
        return Result::failure(QStringLiteral("Cannot read profile \"%1\": %2").arg(name, reason));
    };
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const int offset = std::clamp(parseError.offset, 0, static_cast<int>(json.size()));
        return fail(QStringLiteral("line %1: %2").arg(json.left(offset).count('\n') + 1).arg(parseError.errorString()));
    }
    if (!doc.isObject())
        return fail(QStringLiteral("the profile must be one object in braces"));
    const QJsonObject top = doc.object();
    for (const QString& key : top.keys())
        if (key != QLatin1String("signs"))
            return fail(key + QStringLiteral(": unknown key"));
    const QJsonValue list = top.value(QStringLiteral("signs"));
    if (!list.isArray() || list.toArray().isEmpty() || list.toArray().size() > MaxSigns)
        return fail(QStringLiteral("signs: must be a list of 1 to %1 signs in brackets").arg(MaxSigns));

    std::vector<VehicleSign> signs;
    std::set<QString> names;
    const QJsonArray array = list.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString path = QStringLiteral("signs[%1]").arg(i);
        const Expected<VehicleSign> sign = readSign(array[i], path);
        if (!sign)
            return fail(sign.error());
        if (!names.insert(sign->name.toLower()).second)
            return fail(path + QStringLiteral(".name: the sign %1 is named twice").arg(sign->name));
        signs.push_back(*sign);
    }
    return signs;
}

Expected<std::vector<VehicleSign>> SignProfile::read(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    const Expected<QByteArray> bytes = LimitedFile::read(path, MaxFileBytes);
    if (!bytes)
        return Expected<std::vector<VehicleSign>>::failure(
            QStringLiteral("Cannot read profile \"%1\": ").arg(name) + bytes.error());
    return parse(*bytes, name);
}

} // namespace vexel
