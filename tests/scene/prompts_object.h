#pragma once

#include <QObject>
#include <QVariantList>

#include "support/scripted_prompts.h"
#include "ui/prompts.h"

// "prompts": the program's file dialogs and message boxes, answered from queues while the
// runner lives. See README.md beside this file.
class PromptsObject : public QObject {
    Q_OBJECT
public:
    explicit PromptsObject(QObject* parent = nullptr);
    ~PromptsObject() override;

    Q_INVOKABLE void answerFile(const QString& path);
    Q_INVOKABLE void answerQuestion(bool yes);
    Q_INVOKABLE QVariantList asked() const;
    Q_INVOKABLE void clearAsked();

private:
    z718::ScriptedPrompts scripted_;
};
