#pragma once

#include "platform/portable/portable_input.h"
#include "support/scripted_prompts.h"
#include "ui/services.h"

namespace z718::test {

inline const QUrl kProbeScene{QStringLiteral("qrc:/probe/probe_scene.qml")};

// Stand-ins for every part the program reaches the world through: input through the portable
// stand-in, pointer settings in memory, prompts answered from the test's queues. The device is
// the test's own.
struct Fakes {
    platform::PortableInput input;
    platform::PortablePointerSettings pointer;
    ScriptedPrompts prompts;

    Services services(HidApi& hid, const QUrl& scene = kProbeScene) {
        return {hid, input, input, pointer, prompts, scene};
    }
};

}  // namespace z718::test
