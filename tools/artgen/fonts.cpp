#include "fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <string>

namespace artgen {

namespace {

// In the order of Typeface.
constexpr std::array<const char*, 2> fileNames{"DejaVuSans-Bold.ttf", "DejaVuSerif-Bold.ttf"};

const cairo_user_data_key_t faceOwnerKey{};

void releaseFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

Fonts::Fonts(const std::filesystem::path& directory) : library_(nullptr) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("cannot start FreeType");
    library_ = library;
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        const std::string path = (directory / fileNames[i]).string();
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
            throw std::runtime_error("cannot read font " + path);
        }
        faces_[i] = cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING);
        // The FreeType face must live exactly as long as Cairo's face.
        cairo_font_face_set_user_data(faces_[i], &faceOwnerKey, face, releaseFace);
    }
}

Fonts::~Fonts() {
    for (cairo_font_face_t* face : faces_) cairo_font_face_destroy(face);
    // Empties Cairo's font caches, which still hold the faces, before FreeType goes away.
    cairo_debug_reset_static_data();
    FT_Done_FreeType(static_cast<FT_Library>(library_));
}

cairo_font_face_t* Fonts::face(Typeface typeface) const { return faces_[static_cast<std::size_t>(typeface)]; }

void selectFont(cairo_t* cr, const Fonts& fonts, const TextStyle& style) {
    cairo_set_font_face(cr, fonts.face(style.typeface));
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, style.size, 0, -style.slant * style.size, style.size, 0, 0);
    cairo_set_font_matrix(cr, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double textAdvance(cairo_t* cr, std::string_view text) {
    const std::string copy(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, copy.c_str(), &extents);
    return extents.x_advance;
}

void addTextPath(cairo_t* cr, double x, double y, std::string_view text) {
    const std::string copy(text);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, copy.c_str());
}

}  // namespace artgen
