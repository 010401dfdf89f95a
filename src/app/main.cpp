#include <QApplication>

#include "app/startup.h"
#include "app/widget.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    z718::SingleInstance instance;
    if (instance.isRunning()) {
        return 1;
    }
    z718::enterExecutableDir();
    const auto virtualMouse = z718::installVirtualMouseIfAsked(app.arguments());

    int exitCode = 0;
    {
        Widget widget;
        widget.showNormal();
        widget.checkDevice();
        exitCode = app.exec();
    }
    z718::setHidBackend(nullptr);
    return exitCode;
}
