// Cairo surfaces, straight-alpha conversion, the DejaVu faces and pattern grids.
#include "assetgen/canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include <png.h>
#include FT_FREETYPE_H

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>

namespace assetgen {

Colour Colour::mix(const Colour& o, double t) const {
  return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
}

Colour rgb(std::uint32_t hex, double alpha) {
  return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

void setColour(cairo_t* cr, const Colour& c) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height),
               &cairo_surface_destroy),
      context_(cairo_create(surface_.get()), &cairo_destroy) {
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create a " + std::to_string(width) + "x" +
                             std::to_string(height) + " drawing surface");
}

Picture Canvas::picture() const {
  cairo_surface_flush(surface_.get());
  Picture p{width_, height_, std::vector<std::uint8_t>(std::size_t(width_) * height_ * 4)};
  const auto* data = cairo_image_surface_get_data(surface_.get());
  const int stride = cairo_image_surface_get_stride(surface_.get());
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
    std::uint8_t* out = p.bgra.data() + std::size_t(y) * width_ * 4;
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t px = row[x];
      const unsigned a = px >> 24;
      auto straight = [a](unsigned c) {
        return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a);
      };
      out[x * 4 + 0] = std::uint8_t(straight(px & 0xFF));
      out[x * 4 + 1] = std::uint8_t(straight((px >> 8) & 0xFF));
      out[x * 4 + 2] = std::uint8_t(straight((px >> 16) & 0xFF));
      out[x * 4 + 3] = std::uint8_t(a);
    }
  }
  return p;
}

namespace {

// Writes straight-alpha rows as an RGBA PNG, quickly rather than small: review sheets are large and
// many, and are read by people, not shipped.
bool writeRgbaPng(const Picture& p, std::FILE* file) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, png_uint_32(p.width), png_uint_32(p.height), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  for (int y = 0; y < p.height; ++y)
    png_write_row(png, p.bgra.data() + std::size_t(y) * std::size_t(p.width) * 4);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void Canvas::writePng(const std::string& path) const {
  const Picture straight = picture();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && writeRgbaPng(straight, file);
  if (file && std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
  if (!written) throw std::runtime_error("cannot write " + path);
}

std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surfaceOf(const Picture& p) {
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> s(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height), &cairo_surface_destroy);
  cairo_surface_flush(s.get());
  auto* data = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  for (int y = 0; y < p.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride);
    const std::uint8_t* in = p.bgra.data() + std::size_t(y) * p.width * 4;
    for (int x = 0; x < p.width; ++x) {
      const unsigned a = in[x * 4 + 3];
      auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
      row[x] =
          (a << 24) | (pre(in[x * 4 + 2]) << 16) | (pre(in[x * 4 + 1]) << 8) | pre(in[x * 4 + 0]);
    }
  }
  cairo_surface_mark_dirty(s.get());
  return s;
}

namespace {

const char* fontFile(Face face) {
  switch (face) {
    case Face::Sans:
      return "DejaVuSans.ttf";
    case Face::SansBold:
      return "DejaVuSans-Bold.ttf";
    case Face::SansCondensedBold:
      return "DejaVuSansCondensed-Bold.ttf";
    case Face::SerifBold:
      return "DejaVuSerif-Bold.ttf";
    case Face::SansOblique:
      return "DejaVuSans-Oblique.ttf";
    case Face::SansBoldOblique:
      return "DejaVuSans-BoldOblique.ttf";
  }
  return "DejaVuSans.ttf";
}

// Holds FreeType and the cairo faces for the whole run of the generator.
class FontLibrary {
 public:
  FontLibrary() {
    if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("cannot start FreeType");
  }
  ~FontLibrary() {
    for (auto& [face, cairoFace] : faces_) cairo_font_face_destroy(cairoFace);
    faces_.clear();
  }
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  cairo_font_face_t* face(Face which) {
    const std::lock_guard lock(mutex_);
    return faceLocked(which);
  }

  bool hasCharacter(Face which, std::uint32_t character) {
    const std::lock_guard lock(mutex_);
    faceLocked(which);
    return FT_Get_Char_Index(ftFaces_[which], character) != 0;
  }

 private:
  cairo_font_face_t* faceLocked(Face which) {
    auto it = faces_.find(which);
    if (it != faces_.end()) return it->second;
    const std::string path = std::string("/usr/share/fonts/truetype/dejavu/") + fontFile(which);
    FT_Face ft = nullptr;
    if (FT_New_Face(library_, path.c_str(), 0, &ft) != 0)
      throw std::runtime_error("cannot read the font " + path + " (install fonts-dejavu-core)");
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
    static const cairo_user_data_key_t key{};
    cairo_font_face_set_user_data(cf, &key, ft, [](void* f) { FT_Done_Face(FT_Face(f)); });
    faces_[which] = cf;
    ftFaces_[which] = ft;
    return cf;
  }

  FT_Library library_ = nullptr;
  std::mutex mutex_;  // the languages' pictures are drawn on two threads
  std::map<Face, cairo_font_face_t*> faces_;
  std::map<Face, FT_Face> ftFaces_;
};

FontLibrary& fonts() {
  static FontLibrary library;
  return library;
}

}  // namespace

void useFont(cairo_t* cr, Face face, double size) {
  cairo_set_font_face(cr, fonts().face(face));
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

bool hasCharacter(Face face, std::uint32_t character) {
  return fonts().hasCharacter(face, character);
}

Picture drawPatterns(int w, int h, int count, int columns, const PatternPainter& draw) {
  const int rows = (count + columns - 1) / columns;
  Canvas canvas(w * std::min(columns, count), h * rows);
  cairo_t* cr = canvas.cr();
  for (int i = 0; i < count; ++i) {
    cairo_save(cr);
    const int column = i % columns, row = i / columns;
    cairo_translate(cr, column * w, row * h);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    cairo_new_path(cr);
    draw(cr, i);
    cairo_restore(cr);
  }
  return canvas.picture();
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

double textWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.x_advance;
}

void centredTextPath(cairo_t* cr, const std::string& text, double cx, double cy) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_move_to(cr, cx - e.x_bearing - e.width / 2, cy - e.y_bearing - e.height / 2);
  cairo_text_path(cr, text.c_str());
}

}  // namespace assetgen
