#pragma once

#include <QObject>
#include <functional>

#include "platform/focus_source.h"
#include "settings/app_rules.h"
#include "settings/settings_store.h"

namespace z718 {

// Applies the profile of the program in front, as the program rules say. When a program
// without a rule comes to the front after a rule's switch, the profile last chosen by hand
// comes back. Any profile applied elsewhere (the profile page, the tray) counts as chosen by
// hand, and stays until a program with a rule comes to the front.
class FocusSwitch : public QObject {
    Q_OBJECT
public:
    using Apply = std::function<void(int profile)>;

    FocusSwitch(platform::FocusSource& source, const AppRules& rules, const SettingsStore& settings,
                Apply apply, QObject* parent = nullptr);

    // Told of every profile applied, this one's own included.
    void profileApplied(int profile);

signals:
    // A rule of `program` made `profile` current.
    void switchedByRule(int profile, const QString& program);

private:
    void programInFront(const QString& program);
    void apply(int profile);

    const AppRules& rules_;
    const SettingsStore& settings_;
    Apply apply_;
    int byHand_ = 0;
    bool byRule_ = false;
    bool applying_ = false;
};

}  // namespace z718
