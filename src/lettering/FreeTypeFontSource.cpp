#include "lettering/FreeTypeFontSource.h"

#include <QDir>
#include <QFile>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vexel {

struct FreeTypeFontSource::Library {
    FT_Library handle = nullptr;
    ~Library()
    {
        if (handle)
            FT_Done_FreeType(handle);
    }
};

Expected<std::shared_ptr<FreeTypeFontSource>> FreeTypeFontSource::open(const QString& path)
{
    using Result = Expected<std::shared_ptr<FreeTypeFontSource>>;
    const QString name = QDir::toNativeSeparators(path);
    auto library = std::make_shared<Library>();
    if (FT_Init_FreeType(&library->handle) != 0) {
        library->handle = nullptr;
        return Result::failure(name + ": the font library did not start");
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library->handle, QFile::encodeName(path).constData(), 0, &face) != 0)
        return Result::failure(name + ": not a font file that can be read");
    std::shared_ptr<FreeTypeFontSource> source(new FreeTypeFontSource);
    source->library_ = std::move(library);
    source->face_ = face;
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0)
        return Result::failure(name + ": not a bitmap font");
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        return Result::failure(name + ": has no Unicode character map");
    source->height_ = face->available_sizes[0].height;
    source->ascent_ = static_cast<int>(face->size->metrics.ascender >> 6);
    if (source->height_ < 1 || source->height_ > 400)
        return Result::failure(name + QStringLiteral(": unusable height %1").arg(source->height_));

    source->family_ = face->family_name ? face->family_name : "";
    source->bold_ = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    return source;
}

std::vector<char32_t> FreeTypeFontSource::characters() const
{
    const auto face = static_cast<FT_Face>(face_);
    std::vector<char32_t> out;
    FT_UInt index = 0;
    for (FT_ULong c = FT_Get_First_Char(face, &index); index != 0; c = FT_Get_Next_Char(face, c, &index))
        out.push_back(static_cast<char32_t>(c));
    return out;
}

FreeTypeFontSource::~FreeTypeFontSource()
{
    if (face_)
        FT_Done_Face(static_cast<FT_Face>(face_));
}

const Glyph* FreeTypeFontSource::glyph(char32_t c)
{
    const auto found = glyphs_.find(c);
    if (found != glyphs_.end())
        return &found->second;
    if (missing_.count(c))
        return nullptr;
    const auto face = static_cast<FT_Face>(face_);
    const FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        missing_.insert(c);
        return nullptr;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if ((!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) || bitmap.pitch < 0) {
        missing_.insert(c);
        return nullptr;
    }
    Glyph g;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.left = slot->bitmap_left;
    g.cell = LedBitmap(static_cast<int>(bitmap.width), height_);
    const int top = ascent_ - slot->bitmap_top;
    for (unsigned r = 0; r < bitmap.rows; ++r) {
        const int y = top + static_cast<int>(r);
        if (y < 0 || y >= height_)
            continue;
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(r) * bitmap.pitch;
        for (unsigned x = 0; x < bitmap.width; ++x) {
            const bool on = mono ? (line[x / 8] >> (7 - x % 8)) & 1 : line[x] >= 128;
            g.cell.set(static_cast<int>(x), y, on);
        }
    }
    return &glyphs_.emplace(c, std::move(g)).first->second;
}

} // namespace vexel
