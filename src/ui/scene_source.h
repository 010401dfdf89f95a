#pragma once

#include <QUrl>

namespace z718 {

// The scene the window loads: the program's own, unless a test chose another one.
QUrl sceneSource();
// An empty url goes back to the program's own scene.
void setSceneSource(const QUrl& url);

}  // namespace z718
