#pragma once

#include <QObject>
#include <QVariantList>
#include <QVariantMap>

#include "platform/input_backend.h"
#include "platform/portable/portable_input.h"
#include "support/scripted_prompts.h"

// "virtualInput": the system's input and pointer settings; the in-process stand-in, or on
// Windows the system's own (see README.md beside this file). What differs between the two is
// defined in scene_input.cpp and win32/scene_input_win.cpp.
class VirtualInputObject : public QObject {
    Q_OBJECT
public:
    explicit VirtualInputObject(z718::platform::InputBackend& input, QObject* parent = nullptr)
        : QObject(parent), input_(input) {}
    ~VirtualInputObject() override;

    // Call after the program's hooks have been installed: on Windows the witness of what
    // reaches the system must come before them in the hook chain.
    void programHooksInstalled();

    Q_INVOKABLE bool feedKey(int vk, int scanCode, bool up, int time = 0);
    Q_INVOKABLE bool feedMouse(int message, int x, int y, int mouseData = 0, int time = 0);
    Q_INVOKABLE QVariantList delivered() const;
    Q_INVOKABLE void clearDelivered();

    Q_INVOKABLE int mouseSpeed() const;
    Q_INVOKABLE int wheelScrollLines() const;
    Q_INVOKABLE void resetPointerSettings();

private:
    z718::platform::InputBackend& input_;
};

// The rows of delivered(), from either platform's record of what reached the system.
QVariantList describeDelivered(const std::vector<z718::platform::PortableInput::Delivered>& events);

// "prompts": the program's file dialogs and message boxes, answered from a queue while the
// runner lives. See README.md beside this file.
class PromptsObject : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void answerFile(const QString& path) { scripted_.fileNames.push_back(path); }
    z718::ScriptedPrompts& scripted() { return scripted_; }

private:
    z718::ScriptedPrompts scripted_;
};
