#pragma once

class QQmlEngine;
class QQuickWindow;

namespace z718 {

// Lets go of what the scene holds only to draw and can rebuild on the next show: pictures no
// item uses any more, unreachable script objects, compiled components no page uses, the pixmap
// cache; then hands the freed heap back to the system. The pages and their state stay.
void releaseWhileHidden(QQuickWindow* window, QQmlEngine* engine);

}  // namespace z718
