import QtQuick

// The gun page is never shown; its start-up reads the gun list and the selected gun, whose
// name the key-matrix panel shows for gun entries.
Item {
    id: page

    property var view: null
    property var gunLang: []
    property var gunNames: []
    property string selectGunName

    visible: false

    function init() {
        gunNames = view.getGunDataKey()
        selectGunName = String(view.getselectGun(0))
    }

    function gunControlFocus() {
    }
}
