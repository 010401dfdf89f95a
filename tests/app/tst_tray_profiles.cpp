// The tray menu's profile entries: listed above Quit with the current one checked, and
// choosing one applies that profile.
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include "app/tray_profiles.h"
#include "settings/name_lists.h"
#include "support/scratch_dir.h"
#include "ui/myQQuickView.h"

class TrayProfilesTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheProfilesAndAppliesTheChosenOne() {
        z718::test::ScratchDir scratch;
        z718::namelists::store(2, {"Standard0", "FPS3"});
        z718::test::ScratchDir::write(z718::SettingsStore::profilePath(3),
                                      "[sensor]\ncursorSpeed_Q7=4\n");
        myQQuickView view;
        view.profileList().load(0, false);
        QMenu menu;
        QAction* quit = menu.addAction(QStringLiteral("Quit (&Q)"));
        TrayProfiles profiles(&menu, quit, &view);

        profiles.refresh();
        profiles.refresh();  // the menu opens again: nothing is listed twice
        QStringList shown;
        for (QAction* entry : menu.actions()) {
            shown << (entry->isSeparator() ? QStringLiteral("--")
                                           : entry->text() + (entry->isChecked() ? "*" : ""));
        }
        QCOMPARE(shown, (QStringList{"Standard*", "FPS", "--", "Quit (&Q)"}));

        QSignalSpy applied(&view, &myQQuickView::profileActivated);
        menu.actions().at(1)->trigger();
        QCOMPARE(applied.count(), 1);
        QCOMPARE(view.settings().currentProfileIndex(), 3);
        QCOMPARE(view.getCursorSpeed(), 4u);
    }
};

QTEST_MAIN(TrayProfilesTest)
#include "tst_tray_profiles.moc"
