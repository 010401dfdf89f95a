#pragma once

class QQuickWindow;
class QWidget;

namespace z718 {

// With Z718_FRAME_LOG=1 in the environment, writes "frame <n> <ms>" to stderr for every frame
// the scene renders and "shown <ms>" each time `view` is shown (ms since the log began), before
// the view itself hears of it, so that what it does to show again counts.
// scripts/bench reads the first frame, and the first frame after a show from the tray, from
// it; it also shows that a hidden window renders nothing. Without the variable it does nothing.
void logFramesIfAsked(QQuickWindow* window, QWidget* view);

}  // namespace z718
