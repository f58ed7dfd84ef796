// The pack's makers, one per family of files; each writes its files into the pack.
#pragma once

#include <string>
#include <vector>

#include "assetgen/pack.h"

namespace assetgen {

// Makers of the pictures and texts that hold words take the language to make them in: English
// makes the root's files, any other language only its own files under lang/<code>/, and only
// those whose words it translates.
void makeBalls(Pack& pack);
void makeRestAnimations(Pack& pack);
// Field, ingame backdrop, corner logo, explosion, cursor; in another language the backdrop.
void makeBoard(Pack& pack, const Language& language);
void makeButtons(Pack& pack, const Language& language);
// Title plate, score headings, options rows, dialog box, faces; in another language the
// headings and rows.
void makePanels(Pack& pack, const Language& language);
void makeHelpPages(Pack& pack, const Language& language);
void makeLogo(Pack& pack);  // start-up pictures: background, overlay, lettering, status line
void makeFont(Pack& pack);  // the code page's font.rls and font.bmp
// The root's font.map: the code page, every letter a typed name may need, every language's name.
void makeFontMap(Pack& pack, const Language& english, const std::vector<Language>& languages);
// A language's own sheet and map, for the letters of `texts` the root does not draw.
void makeLanguageFont(Pack& pack, const Language& language, const std::string& texts);
std::string stringsFile();
// strings.txt in a language, with LF line ends (the file has CR LF).
std::string stringsText(const Language& language);
void makeTexts(Pack& pack, const Language& language);  // strings.txt
void makeSounds(Pack& pack);                           // sounds.txt and every effect
void makeMusic(Pack& pack);

// A language's own name, as its speakers write it.
std::string languageName(const Language& language);

// The star-shaped flare of the logo and the large glow picture.
void drawFlare(cairo_t* cr, double cx, double cy, double r);

}  // namespace assetgen
