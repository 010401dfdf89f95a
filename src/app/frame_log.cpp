#include "app/frame_log.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QQuickWindow>
#include <QWidget>
#include <atomic>
#include <cstdio>
#include <memory>

namespace z718 {

namespace {

struct Log {
    QElapsedTimer clock;
    std::atomic<int> frames{0};
};

class ShowLogger : public QObject {
public:
    ShowLogger(std::shared_ptr<Log> log, QObject* parent) : QObject(parent), log_(std::move(log)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            std::fprintf(stderr, "shown %lld\n", static_cast<long long>(log_->clock.elapsed()));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::shared_ptr<Log> log_;
};

}  // namespace

void logFramesIfAsked(QQuickWindow* window, QWidget* view) {
    if (!window || !view || qEnvironmentVariableIntValue("Z718_FRAME_LOG") != 1) {
        return;
    }
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
    view->installEventFilter(new ShowLogger(log, view));
}

}  // namespace z718
