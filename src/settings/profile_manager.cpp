#include "settings/profile_manager.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/settings_file.h"

namespace z718 {
namespace {

// Dialog texts are translated in the view's context.
QString tr(const char* text) {
    return QCoreApplication::translate("myQQuickView", text);
}

QString desktopDir() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString picturesDir() {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

}  // namespace

ProfileManager::ProfileManager(SettingsStore& store, Prompts& prompts, QWidget* dialogParent)
    : store_(store), prompts_(prompts), dialogParent_(dialogParent) {}

bool ProfileManager::importProfile(int profile) {
    const QString chosen =
        prompts_.openFileName(dialogParent_, tr("Open File"), desktopDir(), tr("Profile(*.pf)"));
    if (chosen.isEmpty()) {
        return false;
    }
    if (!isSettingsText(chosen)) {
        // Not imported: a copy would be set aside as damaged at its first read anyway.
        const QStringList& messages = store_.messageStrings();
        prompts_.warning(messages.value(6), messages.value(7) + chosen);
        return false;
    }
    store_.replaceProfile(profile, chosen);
    return true;
}

void ProfileManager::exportProfile(int profile) {
    if (!SettingsStore::isProfileIndex(profile)) {
        return;
    }
    const QString chosen =
        prompts_.saveFileName(dialogParent_, tr("Save File"), desktopDir(), tr("Profile(*.pf)"));
    if (chosen.isEmpty()) {
        return;
    }
    // The export copies the file, so it must hold what the profile holds now.
    store_.flushProfile(profile);
    const QString source = SettingsStore::profilePath(profile);
    // Exporting onto the profile's own file would delete it before copying it.
    if (QFileInfo(chosen) == QFileInfo(source)) {
        return;
    }
    if (QFile::exists(chosen)) {
        QFile::remove(chosen);
    }
    QFile::copy(source, chosen);
}

void ProfileManager::resetToDefault(int profile, const QString& defaultPath) {
    store_.replaceProfile(profile, defaultPath);
}

void ProfileManager::copy(int destprofile, int srcprofile) {
    if (!SettingsStore::isProfileIndex(srcprofile)) {
        return;
    }
    store_.flushProfile(srcprofile);
    store_.replaceProfile(destprofile, store_.profile(srcprofile).path());
}

QString ProfileManager::pickCustomImage() {
    const QString chosen = prompts_.openFileName(dialogParent_, tr("Open File"), picturesDir(),
                                                 tr("Image Files(*.png)"));
    if (chosen.isEmpty()) {
        return {};
    }
    // Only a regular file: opening a FIFO would wait for a writer for good.
    QFile image(chosen);
    if (QFileInfo(chosen).isFile() && image.open(QIODevice::ReadOnly)) {
        return chosen;
    }
    const QStringList& messages = store_.messageStrings();
    prompts_.warning(tr("%1").arg(messages.value(2)), messages.value(3) + chosen);
    return {};
}

}  // namespace z718
