#pragma once

class QQuickWindow;

namespace z718 {

// With Z718_FRAME_LOG=1 in the environment, writes "frame <n> <ms>" to stderr for every frame
// the scene renders (ms since the log began). scripts/bench reads the first frame from it, and
// it shows that a hidden window renders nothing. Without the variable it does nothing.
void logFramesIfAsked(QQuickWindow* window);

}  // namespace z718
