#include "ui/hidden_scene.h"

#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace z718 {

void releaseWhileHidden(QQuickWindow* window, QQmlEngine* engine) {
    window->releaseResources();
    engine->collectGarbage();
    engine->trimComponentCache();
    QPixmapCache::clear();
#ifdef __GLIBC__
    // glibc keeps freed heap pages for the next allocation; the start-up's many short-lived
    // allocations would otherwise stay with the process all day in the tray.
    malloc_trim(0);
#endif
}

}  // namespace z718
