#pragma once

class QQuickWidget;

namespace z718 {

// Lets go of what the scene holds only to draw and can rebuild on the next show: the view's
// frame, pictures no item uses any more, unreachable script objects, compiled components no
// page uses, the pixmap cache; then hands the freed heap back to the system. The pages and
// their state stay. True when the frame went, which restoreFrame() then makes again.
bool releaseWhileHidden(QQuickWidget* view);

// Before the view shows again: gives it back the frame releaseWhileHidden() took.
void restoreFrame(QQuickWidget* view);

}  // namespace z718
