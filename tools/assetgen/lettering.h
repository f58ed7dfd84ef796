// How one language sets text into the pack's pictures: the English pack with cairo's own text
// calls, as it always has been, so that its files stay the same; every other language with Pango,
// which breaks lines in every script, shapes and letter-spaces, over a private font set naming
// exactly the font files the build uses.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "assetgen/canvas.h"
#include "assetgen/language.h"

namespace assetgen {

struct TextStyle {
  Face face = Face::SansBold;
  double size = 13;
  bool spaced = false;  // letter-spaced capitals, as "S C O R E"
};

class Lettering {
 public:
  explicit Lettering(const Language& language) : language_(language) {}

  const Language& language() const { return language_; }

  // Adds the outline of `text` to the path, its ink centred on (cx, cy).
  void centred(cairo_t* cr, const TextStyle& style, const std::string& text, double cx,
               double cy) const;
  // Adds the outline of `text` starting at x with its baseline at y.
  void at(cairo_t* cr, const TextStyle& style, const std::string& text, double x, double y) const;
  // The outline's width as the text advances, and its ink's width.
  double width(cairo_t* cr, const TextStyle& style, const std::string& text) const;
  double inkWidth(cairo_t* cr, const TextStyle& style, const std::string& text) const;
  // The lines `text` breaks into within `width` pixels.
  std::vector<std::string> wrap(cairo_t* cr, const TextStyle& style, const std::string& text,
                                double width) const;

  // The letters of `text` that no font of the build draws, as they are written ("" for none);
  // English, set in DejaVu, has them all.
  std::string missingLetters(cairo_t* cr, const TextStyle& style, const std::string& text) const;
  // Whether every letter of `text` can be drawn; where not, a misfit is kept for `key`.
  bool drawable(cairo_t* cr, const TextStyle& style, const std::string& key,
                const std::string& text) const;

  // The style at which `text` fits `room` pixels on one line: the given one when it fits,
  // otherwise (not in English, whose pictures never change) its size made smaller, down to
  // `smallest` of it. Where even that is too wide, a misfit is kept for `key`.
  TextStyle fitted(cairo_t* cr, const TextStyle& style, const std::string& key,
                   const std::string& text, double room, double smallest = 0.8) const;

 private:
  const Language& language_;
};

// The room a text has, in the words of the template's translator comments.
std::string roomLine(const TextStyle& style, double width, const std::string& where);

}  // namespace assetgen
