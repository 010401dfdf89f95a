#pragma once

class QQuickWidget;

namespace z718 {

// Lets go of everything the view holds only to show the scene: the scene's items, the QML
// engine with its script heap, compiled types and singletons, the view's frame and the
// pictures; then hands the freed heap back to the system. What the scene shows lives in the
// program's own objects, so loading the scene again shows the same. True when the frame went,
// which restoreFrame() then makes again.
bool releaseScene(QQuickWidget* view);

// Before the view shows again: gives it back the frame releaseScene() took.
void restoreFrame(QQuickWidget* view);

}  // namespace z718
