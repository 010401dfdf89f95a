#pragma once

#include <QUrl>

#include "ui/scene_source.h"

namespace z718::test {

// Makes every window built from now on load the probe scene instead of the program's own.
inline void useProbeScene() {
    setSceneSource(QUrl(QStringLiteral("qrc:/probe/probe_scene.qml")));
}

}  // namespace z718::test
