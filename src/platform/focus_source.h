#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace z718::platform {

// Which program owns the window in front, and which programs have a window, for profiles
// that follow the program in use. A program is named by its program file ("firefox-esr",
// "notepad.exe"); where the system gives no file, by the name its window claims.
class FocusSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False where the system does not tell which window is in front (a Wayland session):
    // nothing is ever reported then.
    virtual bool available() const = 0;
    // The programs with a window now, each once, sorted.
    virtual QStringList programsWithWindows() const = 0;

signals:
    // A window came to the front (perhaps another of the same program); "" when its program
    // cannot be told or no window is in front.
    void programInFront(const QString& program);
};

// The source the program uses: the one handed to useFocusSource, else the system's own.
FocusSource& focusSource();
// Tests hand in their own; null goes back to the system's.
void useFocusSource(FocusSource* source);

// Reports what it is told: the stand-in for tests.
class FakeFocusSource : public FocusSource {
    Q_OBJECT
public:
    using FocusSource::FocusSource;

    bool available() const override { return available_; }
    QStringList programsWithWindows() const override { return programs_; }

    Q_INVOKABLE void setAvailable(bool available) { available_ = available; }
    Q_INVOKABLE void setPrograms(const QStringList& programs) { programs_ = programs; }
    Q_INVOKABLE void bringToFront(const QString& program) { emit programInFront(program); }

private:
    bool available_ = true;
    QStringList programs_;
};

}  // namespace z718::platform
