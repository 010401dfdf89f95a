import QtQuick
import modules.qml

// The double-click speed as a picture per step (the shell keeps this panel hidden).
CollapsiblePanel {
    id: panel

    property var view: null
    property var mainLang: []
    property int doubleRateValue: 5
    property bool isNeedSave: false

    signal doubleRateChange(int doubleRateValue)
    signal clickDoubleRate()

    title: mainLang[11] ?? ""
    openHeight: 118

    function init() {
        doubleRateValue = view.getDoubleClickSpeed()
    }

    Picture {
        anchors.centerIn: parent
        width: 250
        height: 80
        source: Style.image("mouseRate", "double_" + Math.min(Math.max(panel.doubleRateValue, 0), 10)
                            + ".svg")
    }
}
