#pragma once

#include <QUrl>

#include "link/hid_api.h"
#include "platform/input_platform.h"
#include "platform/prompts.h"

namespace z718 {

// The parts through which the program reaches the world, handed to the scene-facing objects
// as they are built: main fills it with the real ones, tests with fakes. None is owned.
struct Services {
    HidApi& hid;
    platform::InputHooks& hooks;
    platform::InputInjector& injector;
    platform::PointerSettings& pointer;
    Prompts& prompts;
    // The scene the window loads.
    QUrl scene{QStringLiteral("qrc:modules/qml/main.qml")};
};

}  // namespace z718
