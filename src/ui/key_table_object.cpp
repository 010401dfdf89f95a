#include "ui/key_table_object.h"

#include "i18n/ui_key_table.h"

int KeyTableObject::keyCode(const QString& name) const {
    return z718::ui_keys::code(name);
}

QString KeyTableObject::keyName(int code) const {
    return z718::ui_keys::keyName(code);
}

QString KeyTableObject::mouseName(int code) const {
    return z718::ui_keys::mouseName(code);
}

QString KeyTableObject::codeName(int code) const {
    return z718::ui_keys::codeName(code);
}
