// The view's configuration, name-list and profile slots: thin forwards to the settings classes.
#include "settings/app_config.h"
#include "settings/default_profile.h"
#include "settings/name_lists.h"
#include "settings/profile_manager.h"
#include "ui/myQQuickView.h"

QVariant myQQuickView::getLang() {
    return z718::appconfig::language(settings_.appConfig());
}

QVariant myQQuickView::getProfile() {
    return z718::appconfig::profileNumber(settings_.appConfig());
}

void myQQuickView::setProfile(QVariant profileNo) {
    z718::appconfig::setProfileNumber(settings_.appConfig(), profileNo);
}

QVariantList myQQuickView::loadApConfig() {
    return z718::appconfig::generic(settings_.appConfig());
}

void myQQuickView::saveApConfig(QVariantList apConfigs) {
    z718::appconfig::setGeneric(settings_.appConfig(), apConfigs);
}

QVariantList myQQuickView::loadDeviceApConfig() {
    return z718::appconfig::deviceEntries(settings_.appConfig());
}

void myQQuickView::resetApconfig() {
    settings_.replaceAppConfig(z718::kAppConfigFactoryPath);
}

bool myQQuickView::getIsSkinShow() {
    return z718::appconfig::hasSkinChoice();
}

QVariantList myQQuickView::loadDefaultProfile(uchar uiPageId) {
    return z718::defaultProfilePage(uiPageId);
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList) {
    z718::namelists::store(type.toInt(), nameList);
    return true;
}

QVariantList myQQuickView::getNameList(QVariant type) {
    return z718::namelists::read(type.toInt());
}

bool myQQuickView::loadProfile(int profile) {
    return z718::ProfileManager(settings_, prompts_, this).importProfile(profile);
}

void myQQuickView::saveProfile(int profile) {
    z718::ProfileManager(settings_, prompts_, this).exportProfile(profile);
}

void myQQuickView::resetProfile(int profile) {
    z718::ProfileManager(settings_, prompts_, this).resetToDefault(profile);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile) {
    z718::ProfileManager(settings_, prompts_, this).copy(destprofile, srcprofile);
}

QString myQQuickView::getCustomFilePath() {
    return z718::ProfileManager(settings_, prompts_, this).pickCustomImage();
}
