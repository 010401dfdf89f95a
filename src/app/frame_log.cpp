#include "app/frame_log.h"

#include <QElapsedTimer>
#include <QQuickWindow>
#include <atomic>
#include <cstdio>
#include <memory>

namespace z718 {

void logFramesIfAsked(QQuickWindow* window) {
    if (!window || qEnvironmentVariableIntValue("Z718_FRAME_LOG") != 1) {
        return;
    }
    struct Log {
        QElapsedTimer clock;
        std::atomic<int> frames{0};
    };
    auto log = std::make_shared<Log>();
    log->clock.start();
    // Rendering may run on the scene graph's own thread: nothing here needs the GUI thread.
    QObject::connect(
        window, &QQuickWindow::afterRendering, window,
        [log] {
            std::fprintf(stderr, "frame %d %lld\n", log->frames.fetch_add(1) + 1,
                         static_cast<long long>(log->clock.elapsed()));
        },
        Qt::DirectConnection);
}

}  // namespace z718
