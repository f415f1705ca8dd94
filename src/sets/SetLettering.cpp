#include "sets/SetLettering.h"

#include "depot/Preflight.h"
#include "depot/RouteSet.h"

#include <QStringList>

namespace vexel {

SetLettering::SetLettering(FontList& fonts) : fonts_(fonts) {}

void SetLettering::setAbbreviations(std::vector<Abbreviation> list)
{
    abbreviations_ = std::move(list);
    prepared_.clear(); // each sign's RouteSet holds the list
}

void SetLettering::setKeepTogether(std::vector<QString> list)
{
    keepTogether_ = std::move(list);
    prepared_.clear();
}

void SetLettering::setViaWords(QString latin, QString georgian)
{
    viaLatin_ = std::move(latin);
    viaGeorgian_ = std::move(georgian);
    prepared_.clear();
}

QString SetLettering::notFit(const QString& reason)
{
    return QStringLiteral("does not fit: ") + reason;
}

QString SetLettering::framesOf(const std::vector<std::pair<int, std::string>>& steps)
{
    if (steps.size() == 1)
        return QStringLiteral("frame %1").arg(steps.front().first);
    QStringList each;
    for (const auto& [frame, step] : steps)
        each << QStringLiteral("frame %1: %2").arg(frame).arg(QString::fromStdString(step));
    return each.join(QStringLiteral(", "));
}

SignFit SetLettering::byHandFit(const VehicleSign& sign, const ImageRecord& image)
{
    // An image of another size leaves part of the sign showing what the
    // destination before it left there, or is cut by the sign.
    const auto [width, height] = Preflight::boardSizeOf(image);
    if (width == sign.width && height == sign.height)
        return {true, QStringLiteral("by hand"), {}};
    return {false, QStringLiteral("by hand, does not fit: the image is %1 x %2, the sign %3 x %4")
                       .arg(width)
                       .arg(height)
                       .arg(sign.width)
                       .arg(sign.height),
            {}};
}

const SetLettering::Prepared& SetLettering::prepared(const VehicleSign& sign) const
{
    std::shared_ptr<const Prepared>& slot = prepared_[sign.name];
    if (slot && slot->sign == sign)
        return *slot;
    auto made = std::make_shared<Prepared>();
    made->sign = sign;
    const Expected<RouteLayout> layout = sign.routeLayout();
    if (!layout) {
        made->fault = layout.error();
    } else {
        auto set = std::make_shared<RouteSet>(*layout, fonts_);
        set->setAbbreviations(abbreviations_);
        set->setKeepTogether(keepTogether_);
        set->setViaWords(viaLatin_, viaGeorgian_);
        const Status fonts = set->checkFonts();
        if (fonts)
            made->set = std::move(set);
        else
            made->fault = QStringLiteral("the layout of sign \"%1\": %2")
                              .arg(sign.name, fonts.error());
    }
    slot = std::move(made);
    return *slot;
}

SignImage SetLettering::letter(const VehicleSign& sign, const Destination& destination,
                               const SignOverride* byHand) const
{
    SignImage out;
    if (byHand) {
        out.image = byHand->image;
        out.byHand = true;
        out.stale = byHand->staleFor(destination);
        out.fit = byHandFit(sign, byHand->image);
        return out;
    }
    const Prepared& p = prepared(sign);
    if (!p.set) {
        out.fit = {false, notFit(p.fault), {}};
        return out;
    }
    Expected<RouteSet::Built> built = p.set->make(destination);
    if (!built) {
        out.fit = {false, notFit(built.error()), {}};
        return out;
    }
    out.fit = {true, QString::fromStdString(built->step), framesOf(built->frameSteps)};
    out.image = std::move(built->image);
    out.pages = std::move(built->pages);
    return out;
}

} // namespace vexel
