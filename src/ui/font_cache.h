#pragma once

namespace z718 {

// Adds the window's own font (the glyphs its texts use) unless Qt holds it; true when it does.
bool loadWindowFont();

// Empties Qt's font cache, and with it the FreeType faces of the fonts the scene drew with, by
// taking the window's font away and adding it again. True when Qt holds the font again.
bool releaseFontCache();

}  // namespace z718
