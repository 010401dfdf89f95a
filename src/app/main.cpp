#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/command_line.h"
#include "app/frame_log.h"
#ifndef Q_OS_WIN
#include "app/instance_channel.h"
#endif
#include "app/startup.h"
#include "app/system_input.h"
#include "app/widget.h"
#include "app/working_folder.h"
#include "hooks/global_hooks.h"
#include "platform/input_backend.h"
#include "settings/app_config.h"
#include "ui/myQQuickView.h"
#include "ui/prompts.h"

namespace {

// Before the application object, which would need a display: --help works on a text console.
QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Starting the program again brings the running copy's window back: on a desktop without a tray
// nothing else would after its window was closed. An autostart (--hidden) leaves it alone.
// Windows always has its notification area, so there a second start only ends, as it always did.
void showRunningCopy() {
#ifndef Q_OS_WIN
    if (z718::InstanceChannel::askRunningCopy() == z718::InstanceChannel::Answer::NotConnected) {
        std::fputs("z718: already running; its window shows once the mouse is connected\n", stderr);
    }
#endif
}

}  // namespace

#ifdef Z718_LOADED_PROGRAM
// The starter (starter.cpp) loads the program as a library and calls this by name.
extern "C" int z718_main(int argc, char* argv[]) {
#else
int main(int argc, char* argv[]) {
#endif
    const z718::CommandLine commandLine =
        z718::readCommandLine(argumentsOf(argc, argv), QStringLiteral(Z718_VERSION));
    if (!commandLine.run) {
        std::fputs(qPrintable(commandLine.text), commandLine.toStandardError ? stderr : stdout);
        return commandLine.exitCode;
    }
    z718::chooseSceneGraph();
    QApplication app(argc, argv);
    // Names the per-user data folder and ties the windows to the desktop entry.
    QCoreApplication::setApplicationName(QStringLiteral(Z718_PACKAGE_NAME));
    QGuiApplication::setDesktopFileName(QStringLiteral(Z718_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(Z718_APP_ID)));
    z718::SingleInstance instance;
    if (instance.isRunning()) {
        if (!commandLine.options.hidden) {
            showRunningCopy();
        }
        return 1;
    }
    if (!z718::enterWorkingFolder()) {
        return 1;
    }
    // The real parts, or the virtual mouse in place of the device; they outlive the window.
    const auto virtualMouse = z718::virtualMouseIfAsked(commandLine.options.virtualMouse);
    const auto hidapi = virtualMouse ? nullptr : z718::systemHid();
    z718::platform::InputBackend input;
    z718::WidgetPrompts prompts;
    const z718::Services services{virtualMouse ? *virtualMouse : *hidapi, input.hooks(),
                                  input.injector(), input.pointer(), prompts};

    int exitCode = 0;
    {
        Widget widget(services);
#ifndef Q_OS_WIN
        // A Chinese desktop starts in the scene's Chinese texts; Windows keeps the shipped one.
        z718::appconfig::chooseFirstLanguage(widget.view()->settings().appConfig(),
                                             QLocale::system());
        // A second start asks this copy to show its window (showRunningCopy).
        const z718::InstanceChannel channel([&widget] {
            return widget.showIfConnected() ? z718::InstanceChannel::Answer::Shown
                                            : z718::InstanceChannel::Answer::NotConnected;
        });
#endif
        // The virtual mouse has no input devices of its own: only the window's events then.
        if (!virtualMouse) {
            z718::startSystemWideInput(widget, input);
        }
        z718::GlobalHooks hooks(widget.view(), widget.hid(), services.hooks);
        hooks.install();
        const auto windowFeed = z718::feedHooksFromWindow(input.window());
        z718::logFramesIfAsked(widget.view()->quickWindow(), widget.view());
        widget.showAtStart(commandLine.options.hidden);
        widget.checkDevice();
        exitCode = app.exec();
        hooks.uninstall();
    }
    // The window controller went with deleteLater after the loop ended; let it go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
