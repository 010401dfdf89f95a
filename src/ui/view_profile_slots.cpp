// The view's profile activation: one operation applies a profile, whoever asks.
#include "device/profile_activation.h"
#include "ui/Hid_Thread.h"
#include "ui/myQQuickView.h"

namespace {

z718::ProfileActivation activation(myQQuickView* view) {
    return z718::ProfileActivation(view->settings(), z718::platform::pointerSettings(),
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
