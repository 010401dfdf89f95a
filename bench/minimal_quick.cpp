// The anchor of the window figures: a minimal Qt Quick window of the program's size, with the
// program's choice of scene graph and the same frame log (Z718_FRAME_LOG=1).
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickView>
#include <atomic>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
    QGuiApplication app(argc, argv);
    QQuickView view;
    QElapsedTimer clock;
    clock.start();
    std::atomic<int> frames{0};
    if (qEnvironmentVariableIntValue("Z718_FRAME_LOG") == 1) {
        QObject::connect(
            &view, &QQuickWindow::afterRendering, &view,
            [&] {
                std::fprintf(stderr, "frame %d %lld\n", frames.fetch_add(1) + 1,
                             static_cast<long long>(clock.elapsed()));
            },
            Qt::DirectConnection);
    }
    view.setSource(QUrl(QStringLiteral("qrc:/minimal.qml")));
    view.show();
    return app.exec();
}
