#pragma once

#include "document/Result.h"
#include "lettering/GlyphSource.h"

#include <QString>

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vexel {

// A bitmap font file read with FreeType (PCF, BDF, OTB): the Debian packages'
// fixed fonts and unifont. The font's first strike gives the height.
class FreeTypeFontSource : public GlyphSource {
public:
    static Expected<std::shared_ptr<FreeTypeFontSource>> open(const QString& path);
    ~FreeTypeFontSource() override;
    FreeTypeFontSource(const FreeTypeFontSource&) = delete;
    FreeTypeFontSource& operator=(const FreeTypeFontSource&) = delete;

    int height() const override { return height_; }
    const Glyph* glyph(char32_t c) override;

    const std::string& familyName() const { return family_; }
    int ascent() const { return ascent_; }
    bool bold() const { return bold_; }
    // Every character of the font's Unicode map, ascending.
    std::vector<char32_t> characters() const;

private:
    struct Library;
    FreeTypeFontSource() = default;

    std::shared_ptr<Library> library_;
    void* face_ = nullptr; // FT_Face; kept out of this header
    int height_ = 0;
    int ascent_ = 0;
    std::string family_;
    bool bold_ = false;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::unordered_set<char32_t> missing_;
};

} // namespace vexel
