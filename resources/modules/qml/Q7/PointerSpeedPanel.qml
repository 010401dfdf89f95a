import QtQuick
import modules.qml

// Cursor speed and double-click speed as two eleven-step sliders. Reads the values when
// loaded; a chosen step is reported at once (index 0 cursor speed, 1 double-click speed).
CollapsiblePanel {
    id: panel

    property var view: null
    property var mainLang: []
    property int mouseRateValue: 5
    property int doubleRateValue: 5
    property bool isNeedSave: false
    readonly property bool knobPressed: cursorSpeed.knobPressed || doubleClick.knobPressed

    signal mouseRateChange(int index, int mouseRateValue)
    signal clickMouseRate()

    title: mainLang[10] ?? ""
    openHeight: 168

    function init() {
        mouseRateValue = view.getCursorSpeed()
        doubleRateValue = view.getDoubleClickSpeed()
    }

    Column {
        x: 18
        y: 10
        spacing: 12

        LabelledSlider {
            id: cursorSpeed
            sliderName: "cursorSpeedSlider"
            name: panel.mainLang[10] ?? ""
            lowText: panel.mainLang[13] ?? ""
            highText: panel.mainLang[14] ?? ""
            value: panel.mouseRateValue
            onStepChosen: function(step) {
                panel.mouseRateValue = step
                panel.clickMouseRate()
                panel.mouseRateChange(0, step)
            }
        }

        LabelledSlider {
            id: doubleClick
            sliderName: "doubleClickSlider"
            name: panel.mainLang[11] ?? ""
            lowText: panel.mainLang[13] ?? ""
            highText: panel.mainLang[14] ?? ""
            value: panel.doubleRateValue
            onStepChosen: function(step) {
                panel.doubleRateValue = step
                panel.clickMouseRate()
                panel.mouseRateChange(1, step)
            }
        }
    }
}
