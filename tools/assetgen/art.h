// The pack's makers, one per family of files; each writes its files into the pack.
#pragma once

#include <string>

#include "assetgen/pack.h"

namespace assetgen {

void makeBalls(Pack& pack);
void makeRestAnimations(Pack& pack);
void makeBoard(Pack& pack);  // field, ingame backdrop, corner logo, explosion, cursor
void makeButtons(Pack& pack);
void makePanels(Pack& pack);  // title plate, score headings, options rows, dialog box, faces
void makeHelpPages(Pack& pack);
void makeLogo(Pack& pack);  // start-up pictures: background, overlay, lettering, status line
void makeFont(Pack& pack);
std::string stringsFile();
void makeTexts(Pack& pack);   // strings.txt
void makeSounds(Pack& pack);  // sounds.txt and every effect
void makeMusic(Pack& pack);

// The star-shaped flare of the logo and the large glow picture.
void drawFlare(cairo_t* cr, double cx, double cy, double r);

}  // namespace assetgen
