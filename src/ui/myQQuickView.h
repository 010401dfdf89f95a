#pragma once

#include <QQuickWidget>
#include <QVariant>

#include "settings/settings_store.h"

class Hid_Thread;

// The scene's host ("ui_View"). Its slots are the scene's way into the program; each one
// forwards to the plain class that owns the behaviour.
class myQQuickView : public QQuickWidget {
    Q_OBJECT
public:
    explicit myQQuickView(QWidget* parent = nullptr);
    ~myQQuickView() override;

    void setHid(Hid_Thread* hid) { hid_ = hid; }
    Hid_Thread* hid() const { return hid_; }
    bool audioEnabled() const { return audioEnabled_; }
    z718::SettingsStore& settings() { return settings_; }

    // Calls a function of the scene's root object; false when there is no such function.
    bool callScene(const char* function, Qt::ConnectionType type,
                   const QList<QVariant>& arguments = {});

public slots:
    // --- scene start-up and window ---
    void initUI();
    void runUI();
    void setEnableAudio(bool isEnable);
    void clearHidBusy();

    // --- configuration, profiles, name lists, languages ---

    // --- device-settings bridge ---

    // --- key assignments ---

    // --- macros ---

    // --- gun data ---

    // --- pointer settings ---

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    z718::SettingsStore settings_;
    bool audioEnabled_ = true;
    Hid_Thread* hid_ = nullptr;
};
