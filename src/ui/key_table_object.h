#pragma once

#include <QObject>
#include <QString>

// The pages' key table as the scene sees it (the shell hands it to the pages as `keyTable`).
class KeyTableObject : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    Q_INVOKABLE int keyCode(const QString& name) const;
    Q_INVOKABLE QString keyName(int code) const;
    Q_INVOKABLE QString mouseName(int code) const;
    Q_INVOKABLE QString codeName(int code) const;
};
