#include "ui/scene_source.h"

namespace z718 {

namespace {

QUrl& chosenSource() {
    static QUrl source;
    return source;
}

}  // namespace

QUrl sceneSource() {
    const QUrl& chosen = chosenSource();
    return chosen.isEmpty() ? QUrl(QStringLiteral("qrc:modules/qml/main.qml")) : chosen;
}

void setSceneSource(const QUrl& url) {
    chosenSource() = url;
}

}  // namespace z718
