#include <QApplication>
#include <QIcon>

#include "app/frame_log.h"
#include "app/startup.h"
#include "app/system_input.h"
#include "app/widget.h"
#include "app/working_folder.h"
#include "hooks/global_hooks.h"
#include "ui/myQQuickView.h"

int main(int argc, char* argv[]) {
    z718::chooseSceneGraph();
    QApplication app(argc, argv);
    // Names the per-user data folder and ties the windows to the desktop entry.
    QCoreApplication::setApplicationName(QStringLiteral(Z718_PACKAGE_NAME));
    QGuiApplication::setDesktopFileName(QStringLiteral(Z718_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(Z718_APP_ID)));
    z718::SingleInstance instance;
    if (instance.isRunning()) {
        return 1;
    }
    z718::enterWorkingFolder();
    const auto virtualMouse = z718::installVirtualMouseIfAsked(app.arguments());

    int exitCode = 0;
    {
        Widget widget;
        // The virtual mouse has no input devices of its own: only the window's events then.
        if (!virtualMouse) {
            z718::startSystemWideInput(widget);
        }
        z718::GlobalHooks hooks(widget.view(), widget.hid());
        hooks.install();
        const auto windowFeed = z718::feedHooksFromWindow();
        z718::logFramesIfAsked(widget.view()->quickWindow(), &widget);
        widget.showNormal();
        widget.checkDevice();
        exitCode = app.exec();
        hooks.uninstall();
    }
    // The window controller went with deleteLater after the loop ended; let it go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    z718::setHidBackend(nullptr);
    return exitCode;
}
