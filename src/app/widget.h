#pragma once

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include "ui/Hid_Thread.h"
#include "ui/services.h"

class Ui_Controler;
class myQQuickView;

// The main object: the frameless window around the scene, the device link, the device poll
// timer and the tray icon.
class Widget : public QWidget, public z718::ConnectionHost {
    Q_OBJECT
public:
    // Reaches the world through the parts of `services`.
    explicit Widget(const z718::Services& services, QWidget* parent = nullptr);
    ~Widget() override;

    // Shows the window normally, or not at all when `hidden` and a tray holds the icon. With no
    // tray a hidden start shows the window minimised, so the taskbar still leads back to it.
    void showAtStart(bool hidden);

    // Shows the window when the mouse is connected and returns true; otherwise says in one line
    // that the mouse is not connected (a tray message, where a tray is) and returns false.
    bool showIfConnected();

    Hid_Thread& hid() { return hid_; }
    myQQuickView* view() const;
    Ui_Controler* controller() const { return controller_; }
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }

    // ConnectionHost
    void startScene() override;
    void setViewEnabled(bool enabled) override;
    void showTrayMessage(const QString& title, const QString& text) override;
    QString appConfigString(const QString& key, const QString& fallback) override;
    void hideWindow() override;

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();

protected:
    void customEvent(QEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void setUpTrayIcon();
    void followProgramInFront();
    void announceRuleSwitch(int profile, const QString& program);
    void restoreWindow();
    bool chinese();

    QTimer pollTimer_;
    Ui_Controler* controller_ = nullptr;
    Hid_Thread hid_;
    QSystemTrayIcon* trayIcon_ = nullptr;
};
