#include "ui/hidden_scene.h"

#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QUrl>

#include "platform/heap.h"
#include "ui/font_cache.h"

namespace z718 {

namespace {

bool drawsInSoftware(QQuickWidget* view) {
    const QSGRendererInterface* renderer = view->quickWindow()->rendererInterface();
    return renderer && renderer->graphicsApi() == QSGRendererInterface::Software;
}

}  // namespace

bool releaseScene(QQuickWidget* view) {
    // An empty source deletes the scene's items; the engine goes after them. The view makes a
    // new engine when the scene is loaded again.
    view->setSource(QUrl());
    delete view->engine();
    releaseFontCache();
    // One frame drawn unseen takes the deleted items' nodes and pictures out of the scene
    // graph, which otherwise keeps them until it next draws. Drawn after the font cache went,
    // it lets go of the glyphs too and takes the font change in while there is no scene.
    view->grabFramebuffer();
    // The software scene graph's frame is an image of the view's size that QQuickWidget keeps
    // while hidden; its own slots let go of it and make it again.
    const bool frameReleased =
        drawsInSoftware(view) &&
        QMetaObject::invokeMethod(view, "destroyFramebufferObject", Qt::DirectConnection);
    view->quickWindow()->releaseResources();
    QPixmapCache::clear();
    // The scene's many small allocations would otherwise stay with the process all day.
    platform::returnFreedMemory();
    return frameReleased;
}

void restoreFrame(QQuickWidget* view) {
    QMetaObject::invokeMethod(view, "createFramebufferObject", Qt::DirectConnection);
}

}  // namespace z718
