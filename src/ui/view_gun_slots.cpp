// The view's gun-data slots: thin forwards to the gun store.
#include "macro/gun_store.h"
#include "ui/myQQuickView.h"

void myQQuickView::saveGundata(QVariantList src6) {
    z718::GunStore(settings()).add(src6);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6) {
    z718::GunStore(settings()).modify(modifyType.toInt(), src6);
}

QVariantList myQQuickView::getGunData(QVariant name) {
    return z718::GunStore(settings()).values(name.toString());
}

QStringList myQQuickView::getGunDataKey() {
    return z718::GunStore(settings()).names();
}

QVariant myQQuickView::getselectGun(QVariant index) {
    return z718::GunStore(settings()).selectedGun(index.toInt());
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData) {
    z718::GunStore(settings()).selectGun(index.toInt(), xyData);
}

QVariant myQQuickView::getXYSensitive(QVariant index) {
    return z718::GunStore(settings()).xySensitivity(index.toInt());
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData) {
    z718::GunStore(settings()).setXYSensitivity(index.toInt(), xyData);
}
