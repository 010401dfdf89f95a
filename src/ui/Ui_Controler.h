#pragma once

#include <QObject>
#include <QPointer>

class myQQuickView;
class QWidget;
namespace z718 {
struct Services;
}

// Builds the frameless window around the scene and gives the scene ("ui_Ctl") the window
// operations a frameless window needs.
class Ui_Controler : public QObject {
    Q_OBJECT
public:
    explicit Ui_Controler(QObject* parent = nullptr);

    // Sets up the main window and creates the view inside it, with the scene and the parts of
    // `services`; the scene sees hid as "hid".
    void setupWindow(QWidget* window, QObject* hid, const z718::Services& services);
    myQQuickView* view() const { return view_; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    bool compositorMoves();

    QPointer<QWidget> window_;
    myQQuickView* view_ = nullptr;
};
