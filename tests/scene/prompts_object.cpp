#include "prompts_object.h"

#include <QVariantMap>

PromptsObject::PromptsObject(QObject* parent) : QObject(parent) {
    z718::installPrompts(&scripted_);
}

PromptsObject::~PromptsObject() {
    z718::installPrompts(nullptr);
}

void PromptsObject::answerFile(const QString& path) {
    scripted_.fileNames.push_back(path);
}

void PromptsObject::answerQuestion(bool yes) {
    scripted_.answers.push_back(yes);
}

QVariantList PromptsObject::asked() const {
    QVariantList list;
    for (const auto& entry : scripted_.asked) {
        list.append(
            QVariantMap{{"kind", entry.kind}, {"caption", entry.caption}, {"text", entry.text}});
    }
    return list;
}

void PromptsObject::clearAsked() {
    scripted_.asked.clear();
}
