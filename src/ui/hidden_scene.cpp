#include "ui/hidden_scene.h"

#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace z718 {

namespace {

bool drawsInSoftware(QQuickWidget* view) {
    const QSGRendererInterface* renderer = view->quickWindow()->rendererInterface();
    return renderer && renderer->graphicsApi() == QSGRendererInterface::Software;
}

}  // namespace

bool releaseWhileHidden(QQuickWidget* view) {
    // One frame drawn unseen takes the pictures the hidden scene let go out of the scene
    // graph, which otherwise keeps them until it next draws.
    view->grabFramebuffer();
    // The software scene graph's frame is an image of the view's size that QQuickWidget keeps
    // while hidden; its own slots let go of it and make it again.
    const bool frameReleased =
        drawsInSoftware(view) &&
        QMetaObject::invokeMethod(view, "destroyFramebufferObject", Qt::DirectConnection);
    view->quickWindow()->releaseResources();
    view->engine()->collectGarbage();
    view->engine()->trimComponentCache();
    QPixmapCache::clear();
#ifdef __GLIBC__
    // glibc keeps freed heap pages for the next allocation; the start-up's many short-lived
    // allocations would otherwise stay with the process all day in the tray.
    malloc_trim(0);
#endif
    return frameReleased;
}

void restoreFrame(QQuickWidget* view) {
    QMetaObject::invokeMethod(view, "createFramebufferObject", Qt::DirectConnection);
}

}  // namespace z718
