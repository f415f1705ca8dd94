#include "lettering/FontList.h"

#include "lettering/FreeTypeFontSource.h"
#include "lettering/LedFontReader.h"
#include "lettering/LedFontSource.h"
#include "lettering/QtFontSource.h"
#include "lettering/ScaledGlyphSource.h"
#include "lettering/UserFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>

#include <algorithm>

namespace vexel {

const FontSize* FontInfo::size(int height) const
{
    for (const FontSize& s : sizes)
        if (s.height == height)
            return &s;
    return nullptr;
}

bool FontInfo::hasBold(int height) const
{
    const FontSize* s = size(height);
    return s && s->bold;
}

bool FontInfo::hasCondensed(int height) const
{
    const FontSize* s = size(height);
    return s && s->condensed;
}

namespace {

bool haveGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QString key(const QString& name, int height, int scale, bool bold, bool condensed)
{
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(name, QString::number(height), QString::number(scale), QString::number(bold ? 1 : 0),
             QString::number(condensed ? 1 : 0));
}

// The Debian files offered, by family and height. Georgian is only in
// 6x13, 7x13, 8x13, 9x15, 9x18, 10x20 and unifont; the rest still serve Latin.
struct BitmapFile {
    const char* family;
    int height;
    const char* regular;
    const char* bold;
};
constexpr BitmapFile BitmapFiles[] = {
    {"Fixed", 6, "4x6", nullptr},          {"Fixed", 7, "5x7", nullptr},
    {"Fixed", 8, "5x8", nullptr},          {"Fixed", 9, "6x9", nullptr},
    {"Fixed", 10, "6x10", nullptr},        {"Fixed", 12, "6x12", nullptr},
    {"Fixed", 13, "6x13", "6x13B"},        {"Fixed", 14, "7x14", "7x14B"},
    {"Fixed", 15, "9x15", "9x15B"},        {"Fixed", 18, "9x18", "9x18B"},
    {"Fixed", 20, "10x20", nullptr},       {"Fixed 7x13", 13, "7x13", "7x13B"},
    {"Fixed 8x13", 13, "8x13", "8x13B"},   {"Unifont", 16, "unifont", nullptr},
};

} // namespace

FontList::Places FontList::installedPlaces()
{
    Places places;
    const QString user = UserFonts::folder();
    if (!user.isEmpty())
        places.ledFontFolders << user;
    places.ledFontFolders << shippedFolders();
    places.bitmapFolder = QStringLiteral("/usr/share/fonts/X11/misc");
    places.systemFonts = true;
    return places;
}

QStringList FontList::shippedFolders()
{
    QStringList places;
    if (QCoreApplication::instance())
        places << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vexel-image/fonts");
#ifdef VEXEL_SOURCE_FONTS
    places << QStringLiteral(VEXEL_SOURCE_FONTS);
#endif
    return places;
}

FontList::FontList(const Places& places) : places_(places)
{
    std::map<QString, Family> led;
    for (const QString& folder : places.ledFontFolders)
        collectLedFonts(folder, led);
    for (const auto& [name, family] : led)
        addFamily(name, FontKind::Led, family);
    if (!places.bitmapFolder.isEmpty())
        addBitmapFonts(places.bitmapFolder);
    if (places.systemFonts && haveGuiApplication())
        addSystemFonts();
}

void FontList::reload() { *this = FontList(places_); }

// Of two files with the same family, height, style and width, the one in the
// earlier folder wins, so an installed font can stand in for a packaged one.
// Two such files in one folder are a mistake: the second is named and left out.
void FontList::collectLedFonts(const QString& folder, std::map<QString, Family>& found)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return;
    const QStringList files = dir.entryList({QStringLiteral("*.vfont")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        Expected<LedFont> font = LedFontReader::read(dir.filePath(file));
        if (!font) {
            problems_ << font.error();
            continue;
        }
        auto shared = std::make_shared<const LedFont>(std::move(font).value());
        Family& family = found[QString::fromStdString(shared->family)];
        auto& faces = family.faces(shared->bold, shared->condensed);
        const auto known = faces.find(shared->height);
        if (known != faces.end()) {
            if (QFileInfo(known->second.file).absolutePath() == dir.absolutePath())
                problems_ << QStringLiteral("%1:0: the same family, height, style and width as %2; left out")
                                 .arg(QDir::toNativeSeparators(dir.filePath(file)), known->second.file);
            continue;
        }
        faces.emplace(shared->height, Face{shared, QDir::toNativeSeparators(dir.filePath(file))});
    }
}

void FontList::addBitmapFonts(const QString& folder)
{
    std::map<QString, Family> found;
    for (const BitmapFile& entry : BitmapFiles) {
        const QString regular = QDir(folder).filePath(QString::fromLatin1(entry.regular) + ".pcf.gz");
        if (!QFileInfo(regular).isFile())
            continue;
        Family& family = found[QString::fromLatin1(entry.family)];
        family.regular.emplace(entry.height, Face{nullptr, regular});
        if (entry.bold) {
            const QString bold = QDir(folder).filePath(QString::fromLatin1(entry.bold) + ".pcf.gz");
            if (QFileInfo(bold).isFile())
                family.bold.emplace(entry.height, Face{nullptr, bold});
        }
    }
    for (const auto& [name, family] : found)
        addFamily(name, FontKind::Bitmap, family);
}

void FontList::addSystemFonts()
{
    for (const QString& name : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(name) || !QFontDatabase::isSmoothlyScalable(name) || find(name))
            continue;
        const QStringList styles = QFontDatabase::styles(name);
        const bool bold = std::any_of(styles.begin(), styles.end(),
                                      [](const QString& s) { return s.contains(QLatin1String("Bold")); });
        FontInfo info;
        info.name = name;
        info.kind = FontKind::System;
        for (int h = MinSystemHeight; h <= MaxHeight; ++h)
            info.sizes.push_back(FontSize{h, h, 1, bold, false, true});
        fonts_.push_back(std::move(info));
    }
}

// A family is offered at the heights of its regular faces, or of its bold
// ones when it has no regular weight (the route-number family); condensed
// faces come with the height of their regular one.
void FontList::addFamily(const QString& name, FontKind kind, const Family& family)
{
    if ((family.regular.empty() && family.bold.empty()) || find(name))
        return;
    families_[name] = family;
    const Family& f = families_[name];
    const std::map<int, Face>& heights = f.regular.empty() ? f.bold : f.regular;
    FontInfo info;
    info.name = name;
    info.kind = kind;
    auto sizeAt = [&](int native, int scale) {
        return FontSize{native * scale, native, scale, f.bold.count(native) > 0,
                        f.condensed.count(native) + f.condensedBold.count(native) > 0, f.regular.count(native) > 0};
    };
    for (const auto& [native, face] : heights)
        info.sizes.push_back(sizeAt(native, 1));
    // Enlarged sizes: a height drawn natively stays native, and of two
    // enlargements the one from the taller font (finer shapes) is kept.
    for (auto it = heights.rbegin(); it != heights.rend(); ++it) {
        const int native = it->first;
        for (int scale = 2; native * scale <= MaxHeight; ++scale)
            if (!info.size(native * scale))
                info.sizes.push_back(sizeAt(native, scale));
    }
    std::sort(info.sizes.begin(), info.sizes.end(),
              [](const FontSize& a, const FontSize& b) { return a.height < b.height; });
    fonts_.push_back(std::move(info));
}

const FontInfo* FontList::find(const QString& name) const
{
    for (const FontInfo& f : fonts_)
        if (f.name == name)
            return &f;
    return nullptr;
}

Expected<std::shared_ptr<GlyphSource>> FontList::open(const QString& name, int height, bool bold, bool condensed)
{
    using Result = Expected<std::shared_ptr<GlyphSource>>;
    const FontInfo* info = find(name);
    if (!info)
        return Result::failure("The font \"" + name + "\" is not installed.");
    const FontSize* size = info->size(height);
    if (!size)
        return Result::failure("The font \"" + name + QStringLiteral("\" has no height of %1 LEDs.").arg(height));
    bold = (bold && size->bold) || !size->regular;
    condensed = condensed && info->kind == FontKind::Led &&
                families_.at(name).faces(bold, true).count(size->native) > 0;
    const QString wanted = key(name, size->native, size->scale, bold, condensed);
    const auto known = open_.find(wanted);
    if (known != open_.end())
        return known->second;

    std::shared_ptr<GlyphSource> source;
    if (info->kind == FontKind::System) {
        source = std::make_shared<QtFontSource>(name, height, bold);
    } else {
        const QString nativeKey = key(name, size->native, 1, bold, condensed);
        const auto nativeKnown = open_.find(nativeKey);
        if (nativeKnown != open_.end()) {
            source = nativeKnown->second;
        } else {
            const Family& family = families_.at(name);
            const auto& faces = family.faces(bold, condensed);
            Result native = openNative(*info, faces.at(size->native), size->native);
            if (!native)
                return native;
            source = *native;
            open_[nativeKey] = source;
        }
        if (size->scale > 1)
            source = std::make_shared<ScaledGlyphSource>(source, size->scale);
    }
    open_[wanted] = source;
    return source;
}

std::shared_ptr<const LedFont> FontList::ledFace(const QString& name, int native, bool bold, bool condensed) const
{
    const auto family = families_.find(name);
    if (family == families_.end())
        return nullptr;
    const auto& faces = family->second.faces(bold, condensed);
    const auto face = faces.find(native);
    return face == faces.end() ? nullptr : face->second.led;
}

Expected<std::shared_ptr<GlyphSource>> FontList::openNative(const FontInfo& info, const Face& face, int native)
{
    if (info.kind == FontKind::Led)
        return std::shared_ptr<GlyphSource>(std::make_shared<LedFontSource>(face.led));
    Expected<std::shared_ptr<FreeTypeFontSource>> opened = FreeTypeFontSource::open(face.file);
    if (!opened)
        return opened.status();
    if ((*opened)->height() != native)
        return Expected<std::shared_ptr<GlyphSource>>::failure(
            QDir::toNativeSeparators(face.file) +
            QStringLiteral(": %1 rows high, not %2").arg((*opened)->height()).arg(native));

    return std::shared_ptr<GlyphSource>(*opened);
}

} // namespace vexel
