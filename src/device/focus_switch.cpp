#include "device/focus_switch.h"

namespace z718 {

FocusSwitch::FocusSwitch(platform::FocusSource& source, const AppRules& rules,
                         const SettingsStore& settings, Apply apply, QObject* parent)
    : QObject(parent), rules_(rules), settings_(settings), apply_(std::move(apply)) {
    byHand_ = settings_.currentProfileIndex();
    connect(&source, &platform::FocusSource::programInFront, this, &FocusSwitch::programInFront);
}

void FocusSwitch::profileApplied(int profile) {
    if (!applying_) {
        byHand_ = profile;
        byRule_ = false;
    }
}

void FocusSwitch::programInFront(const QString& program) {
    const int wanted = rules_.profileFor(program);
    const int current = settings_.currentProfileIndex();
    if (wanted >= 0) {
        if (!byRule_) {
            byHand_ = current;
            byRule_ = true;
        }
        if (wanted != current) {
            apply(wanted);
            emit switchedByRule(wanted, program);
        }
    } else if (byRule_) {
        byRule_ = false;
        if (byHand_ != current) {
            apply(byHand_);
        }
    }
}

void FocusSwitch::apply(int profile) {
    applying_ = true;
    apply_(profile);
    applying_ = false;
}

}  // namespace z718
