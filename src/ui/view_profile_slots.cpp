// The view's profile activation: one operation applies a profile, whoever asks.
#include "device/profile_activation.h"
#include "platform/focus_source.h"
#include "ui/Hid_Thread.h"
#include "ui/myQQuickView.h"

namespace {

z718::ProfileActivation activation(myQQuickView* view) {
    return z718::ProfileActivation(view->settings(), view->pointer(),
                                   view->hid() ? &view->hid()->commands() : nullptr);
}

}  // namespace

void myQQuickView::activateProfile(int profile, bool applyPointer) {
    activation(this).activate(profile, applyPointer ? z718::ProfileActivation::Pointer::Apply
                                                    : z718::ProfileActivation::Pointer::Keep);
    emit profileActivated(settings().currentProfileIndex());
}

bool myQQuickView::uploadMacro(int button, const QString& name) {
    return activation(this).uploadMacro(button, name);
}

void myQQuickView::reloadMacro(const QString& name) {
    activation(this).uploadToButtons(name);
}

QStringList myQQuickView::programChoices(int profile) {
    return rules_.choices(z718::platform::focusSource().programsWithWindows(), profile);
}

bool myQQuickView::canFollowPrograms() {
    return z718::platform::focusSource().available();
}
