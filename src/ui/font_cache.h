#pragma once

namespace z718 {

// Empties Qt's font cache, and with it the FreeType faces of the fonts the scene drew with.
// True when Qt took the font that this takes (a platform that refuses it keeps its cache).
bool releaseFontCache();

}  // namespace z718
