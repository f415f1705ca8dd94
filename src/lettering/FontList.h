#pragma once

#include "document/Result.h"
#include "lettering/GlyphSource.h"
#include "lettering/LedFont.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace vexel {

enum class FontKind {
    Led,    // the project's own fonts, fonts/*.vfont
    Bitmap, // Debian's bitmap fonts: xfonts-base, xfonts-unifont
    System, // scalable fonts through Qt
};

// A height a font is offered at: drawn at `native` rows and, for bitmap
// fonts, enlarged `scale` times.
struct FontSize {
    int height = 0;
    int native = 0;
    int scale = 1;
    bool bold = false;      // a bold face exists at this height
    bool condensed = false; // a condensed face exists at this height
    bool regular = true;    // a face of regular weight exists; a bold-only family has none
};

struct FontInfo {
    QString name;
    FontKind kind = FontKind::Led;
    std::vector<FontSize> sizes; // ascending heights

    const FontSize* size(int height) const;
    bool hasBold(int height) const;
    bool hasCondensed(int height) const;
};

// Every font the lettering can use, found where it is installed. A font that
// is missing is not offered; a font file that cannot be read is listed in
// problems() with its file and line.
class FontList {
public:
    static constexpr int MinSystemHeight = 5;
    static constexpr int MaxHeight = 100; // the tallest board

    struct Places {
        QStringList ledFontFolders; // searched in order; the first font of a family and height wins
        QString bitmapFolder;       // xfonts-base and xfonts-unifont
        bool systemFonts = true;    // needs a QGuiApplication
    };
    // The user's fonts folder (UserFonts::folder()), so a user's copy of a
    // font stands in for the shipped one; <executable
    // folder>/../share/vexel-image/fonts, the source tree's fonts folder for
    // runs from the build tree, Debian's X11 misc fonts and the system's fonts.
    static Places installedPlaces();
    // The places above without the user's folder: fonts kept as shipped.
    static QStringList shippedFolders();

    explicit FontList(const Places& places);

    // Looks in the places again, after a font file was saved. Glyph sources
    // handed out before stay valid.
    void reload();

    const std::vector<FontInfo>& fonts() const { return fonts_; }
    const FontInfo* find(const QString& name) const;
    const QStringList& problems() const { return problems_; }

    // The font at one of its offered heights, loaded once and kept. Bold and
    // condensed fall back to the face there is when the height lacks them.
    Expected<std::shared_ptr<GlyphSource>> open(const QString& name, int height, bool bold, bool condensed = false);

    // The project's own face of a family at a native height, or nullptr.
    std::shared_ptr<const LedFont> ledFace(const QString& name, int native, bool bold, bool condensed) const;

private:
    struct Face {
        std::shared_ptr<const LedFont> led; // Led fonts
        QString file;                       // Bitmap fonts
    };
    struct Family {
        std::map<int, Face> regular; // by native height
        std::map<int, Face> bold;
        std::map<int, Face> condensed; // by native height, regular weight
        std::map<int, Face> condensedBold;

        std::map<int, Face>& faces(bool isBold, bool isCondensed)
        {
            return isCondensed ? (isBold ? condensedBold : condensed) : (isBold ? bold : regular);
        }
        const std::map<int, Face>& faces(bool isBold, bool isCondensed) const
        {
            return isCondensed ? (isBold ? condensedBold : condensed) : (isBold ? bold : regular);
        }
    };

    void collectLedFonts(const QString& folder, std::map<QString, Family>& found);
    void addBitmapFonts(const QString& folder);
    void addSystemFonts();
    void addFamily(const QString& name, FontKind kind, const Family& family);
    Expected<std::shared_ptr<GlyphSource>> openNative(const FontInfo& info, const Face& face, int native);

    Places places_;
    std::vector<FontInfo> fonts_;
    std::map<QString, Family> families_;
    QStringList problems_;
    std::map<QString, std::shared_ptr<GlyphSource>> open_;
};

} // namespace vexel
