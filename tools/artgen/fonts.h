#pragma once
// The typefaces of the art, loaded straight from font files so that no font configuration of the
// build machine can change the lettering.

#include <cairo.h>

#include <array>
#include <filesystem>
#include <string_view>

namespace artgen {

enum class Typeface { SansBold, SerifBold };

class Fonts {
public:
    explicit Fonts(const std::filesystem::path& directory);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    cairo_font_face_t* face(Typeface typeface) const;

private:
    void* library_;  // FT_Library, kept opaque so that users need no FreeType headers
    std::array<cairo_font_face_t*, 2> faces_{};
};

struct TextStyle {
    Typeface typeface = Typeface::SansBold;
    double size = 12;  // pixels per em
    double slant = 0;  // horizontal shear per pixel of height; 0.2 reads as italic
};

// Selects the style with fixed rendering options (grey anti-aliasing, no hinting).
void selectFont(cairo_t* cr, const Fonts& fonts, const TextStyle& style);
double textAdvance(cairo_t* cr, std::string_view text);
// Adds the outline of text with its baseline starting at (x, y) to the current path.
void addTextPath(cairo_t* cr, double x, double y, std::string_view text);

}  // namespace artgen
