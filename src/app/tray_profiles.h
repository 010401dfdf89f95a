#pragma once

#include <QObject>

class QAction;
class QMenu;
class myQQuickView;

// The tray menu's profiles: one checkable entry per profile of the profile page, above
// `before`, the current profile checked. Choosing one applies it, pointer settings included.
class TrayProfiles : public QObject {
    Q_OBJECT
public:
    TrayProfiles(QMenu* menu, QAction* before, myQQuickView* view);

    // Lists the profiles as they are now; the menu calls it each time it opens.
    void refresh();

private:
    QMenu* menu_;
    QAction* before_;
    myQQuickView* view_;
    QList<QAction*> entries_;
};
