// Text set into pictures: cairo's own calls for English, Pango over a private font set for the
// other languages.
#include "assetgen/lettering.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps the character sets of the fonts by offsets, which the leak checker cannot
// follow: every font loaded would be reported as leaked at the end of each program that sets text
// (the generator and the pack's tests), so the suppression lives beside the font set they share.
extern "C" const char* __lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
  return "leak:libfontconfig.so\n";
}
#endif

namespace assetgen {

namespace {

// The font files a build may use, and nothing else: a build looks the same on every machine
// whatever fonts the machine has.
constexpr const char* kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc",
};

using FontSet = std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)>;

// Destroyed after every thread's font map has let go of it.
FcConfig* privateFontSet() {
  static const FontSet config = [] {
    FontSet made(FcConfigCreate(), &FcConfigDestroy);
    for (const char* file : kFontFiles) {
      if (!FcConfigAppFontAddFile(made.get(), reinterpret_cast<const FcChar8*>(file)))
        throw std::runtime_error(std::string("cannot read the font ") + file +
                                 " (scripts/install-deps.sh installs it)");
    }
    return made;
  }();
  return config.get();
}

using FontMap = std::unique_ptr<PangoFontMap, decltype(&g_object_unref)>;

// Pango's font maps are not shared between threads: each thread that sets text has its own.
PangoFontMap* fontMap() {
  thread_local const FontMap map = [] {
    PangoFontMap* made = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(made), privateFontSet());
    return FontMap(made, &g_object_unref);
  }();
  return map.get();
}

const char* familyOf(Script script) {
  switch (script) {
    case Script::Japanese:
      return "Noto Sans CJK JP";
    case Script::Korean:
      return "Noto Sans CJK KR";
    case Script::SimplifiedChinese:
      return "Noto Sans CJK SC";
    case Script::TraditionalChinese:
      return "Noto Sans CJK TC";
    case Script::Latin:
      break;
  }
  return "DejaVu Sans";
}

bool bold(Face face) {
  return face != Face::Sans && face != Face::SansOblique;
}

// The width of a space in the style's face: what one letter-spaced gap adds.
double spaceWidth(cairo_t* cr, const TextStyle& style) {
  cairo_save(cr);
  useFont(cr, style.face, style.size);
  const double space = textWidth(cr, " ");
  cairo_restore(cr);
  return space;
}

// One Pango layout of a text in a language's letters, on a context following `cr`.
class Layout {
 public:
  Layout(cairo_t* cr, const Language& language, const TextStyle& style, const std::string& text,
         double wrapWidth = 0)
      : context_(pango_font_map_create_context(fontMap()), &g_object_unref),
        layout_(nullptr, &g_object_unref) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context_.get(), options);
    cairo_font_options_destroy(options);
    pango_cairo_update_context(cr, context_.get());
    pango_context_set_language(context_.get(), pango_language_from_string(language.tag().c_str()));
    layout_.reset(pango_layout_new(context_.get()));
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, familyOf(language.script()));
    pango_font_description_set_weight(font,
                                      bold(style.face) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    // Dense Han and Hangul blur below about 12 px: small labels are set larger in those scripts.
    const double size =
        language.script() == Script::Latin ? style.size : std::max(style.size, 12.0);
    pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
    pango_layout_set_font_description(layout_.get(), font);
    pango_font_description_free(font);
    if (style.spaced) {
      PangoAttrList* attributes = pango_attr_list_new();
      pango_attr_list_insert(
          attributes,
          pango_attr_letter_spacing_new(int(std::lround(spaceWidth(cr, style) * PANGO_SCALE))));
      pango_layout_set_attributes(layout_.get(), attributes);
      pango_attr_list_unref(attributes);
    }
    if (wrapWidth > 0) {
      pango_layout_set_width(layout_.get(), int(wrapWidth * PANGO_SCALE));
      pango_layout_set_wrap(layout_.get(), PANGO_WRAP_WORD_CHAR);
    }
    pango_layout_set_text(layout_.get(), text.c_str(), int(text.size()));
  }

  PangoLayout* get() const { return layout_.get(); }

  // Ink and logical boxes in pixels, from the layout's top left.
  void extents(double& inkX, double& inkY, double& inkWidth, double& inkHeight,
               double& logicalWidth) const {
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout_.get(), &ink, &logical);
    inkX = double(ink.x) / PANGO_SCALE;
    inkY = double(ink.y) / PANGO_SCALE;
    inkWidth = double(ink.width) / PANGO_SCALE;
    inkHeight = double(ink.height) / PANGO_SCALE;
    logicalWidth = double(logical.width) / PANGO_SCALE;
  }
  double baseline() const { return double(pango_layout_get_baseline(layout_.get())) / PANGO_SCALE; }

 private:
  std::unique_ptr<PangoContext, decltype(&g_object_unref)> context_;
  std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout_;
};

// English letter-spaced capitals are set with a space between letters, three between words.
std::string spacedOut(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) out += ' ';
    out += text[i];
  }
  return out;
}

std::string trimmed(const std::string& line) {
  const auto first = line.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace

void Lettering::centred(cairo_t* cr, const TextStyle& style, const std::string& text, double cx,
                        double cy) const {
  if (language_.isEnglish()) {
    useFont(cr, style.face, style.size);
    centredTextPath(cr, style.spaced ? spacedOut(text) : text, cx, cy);
    return;
  }
  const Layout layout(cr, language_, style, text);
  double inkX, inkY, inkWidth, inkHeight, logicalWidth;
  layout.extents(inkX, inkY, inkWidth, inkHeight, logicalWidth);
  cairo_move_to(cr, cx - inkX - inkWidth / 2, cy - inkY - inkHeight / 2);
  pango_cairo_layout_path(cr, layout.get());
}

void Lettering::at(cairo_t* cr, const TextStyle& style, const std::string& text, double x,
                   double y) const {
  if (language_.isEnglish()) {
    useFont(cr, style.face, style.size);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, (style.spaced ? spacedOut(text) : text).c_str());
    return;
  }
  const Layout layout(cr, language_, style, text);
  cairo_move_to(cr, x, y - layout.baseline());
  pango_cairo_layout_path(cr, layout.get());
}

double Lettering::width(cairo_t* cr, const TextStyle& style, const std::string& text) const {
  if (language_.isEnglish()) {
    useFont(cr, style.face, style.size);
    return textWidth(cr, style.spaced ? spacedOut(text) : text);
  }
  const Layout layout(cr, language_, style, text);
  double inkX, inkY, inkWidth, inkHeight, logicalWidth;
  layout.extents(inkX, inkY, inkWidth, inkHeight, logicalWidth);
  return logicalWidth;
}

double Lettering::inkWidth(cairo_t* cr, const TextStyle& style, const std::string& text) const {
  if (language_.isEnglish()) {
    useFont(cr, style.face, style.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, (style.spaced ? spacedOut(text) : text).c_str(), &e);
    return e.width;
  }
  const Layout layout(cr, language_, style, text);
  double inkX, inkY, inkWidth, inkHeight, logicalWidth;
  layout.extents(inkX, inkY, inkWidth, inkHeight, logicalWidth);
  return inkWidth;
}

std::vector<std::string> Lettering::wrap(cairo_t* cr, const TextStyle& style,
                                         const std::string& text, double width) const {
  std::vector<std::string> lines;
  if (language_.isEnglish()) {
    // Words fill a line while the line fits; a word wider than the line stands alone.
    useFont(cr, style.face, style.size);
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      const std::string word = text.substr(start, end - start);
      start = end + 1;
      if (word.empty()) continue;
      std::string tried = line;
      if (!tried.empty()) tried += ' ';
      tried += word;
      if (textWidth(cr, tried) > width && !line.empty()) {
        lines.push_back(line);
        line = word;
      } else {
        line = tried;
      }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
  }
  const Layout layout(cr, language_, style, text, width);
  for (GSList* l = pango_layout_get_lines_readonly(layout.get()); l; l = l->next) {
    const auto* line = static_cast<PangoLayoutLine*>(l->data);
    lines.push_back(
        trimmed(text.substr(std::size_t(line->start_index), std::size_t(line->length))));
  }
  return lines;
}

std::string Lettering::missingLetters(cairo_t* cr, const TextStyle& style,
                                      const std::string& text) const {
  if (language_.isEnglish()) return {};
  if (pango_layout_get_unknown_glyphs_count(Layout(cr, language_, style, text).get()) == 0)
    return {};
  // Which ones: each letter set alone.
  std::string missing;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t next = i + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    const std::string letter = text.substr(i, next - i);
    if (pango_layout_get_unknown_glyphs_count(Layout(cr, language_, style, letter).get()) > 0)
      missing += (missing.empty() ? "" : " ") + letter;
    i = next;
  }
  return missing;
}

bool Lettering::drawable(cairo_t* cr, const TextStyle& style, const std::string& key,
                         const std::string& text) const {
  const std::string missing = missingLetters(cr, style, text);
  if (missing.empty()) return true;
  language_.misfit({key, text, "has letters no font of the build draws (" + missing + ")"});
  return false;
}

TextStyle Lettering::fitted(cairo_t* cr, const TextStyle& style, const std::string& key,
                            const std::string& text, double room, double smallest) const {
  if (!drawable(cr, style, key, text)) return style;
  TextStyle tried = style;
  const double floor = language_.isEnglish() ? style.size : style.size * smallest;
  while (width(cr, tried, text) > room) {
    if (tried.size - 0.25 < floor - 1e-9) {
      language_.misfit({key, text,
                        "does not fit (" + std::to_string(int(std::ceil(width(cr, tried, text)))) +
                            " px at " + std::to_string(int(std::lround(tried.size))) +
                            " px letters, " + std::to_string(int(room)) + " px of room)"});
      return tried;
    }
    tried.size -= 0.25;
  }
  return tried;
}

std::string roomLine(const TextStyle& style, double width, const std::string& where) {
  const int letters = int(width / (style.size * (bold(style.face) ? 0.68 : 0.6)));
  return where + "\none line of at most " + std::to_string(int(width)) + " px in " +
         std::to_string(int(std::lround(style.size))) + " px " + (bold(style.face) ? "bold " : "") +
         "letters (about " + std::to_string(letters) + " Latin letters)" +
         (style.spaced ? ", spaced out" : "");
}

}  // namespace assetgen
