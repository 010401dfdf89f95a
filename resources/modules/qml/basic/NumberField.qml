import QtQuick
import modules.qml

// A whole-number field kept within [minimum, maximum]. When it loses focus an emptied field takes
// emptyValue, a number out of range its nearest bound, and editingDone() follows.
Rectangle {
    id: field

    property alias text: input.text
    property int minimum: 0
    property int maximum: 65535
    property string emptyValue: "0"
    readonly property bool editing: input.activeFocus
    // What a screen reader calls it: the label beside it.
    property string name

    signal editingDone()

    function dropFocus() {
        input.focus = false
    }

    function normalise() {
        const value = parseInt(input.text, 10)
        if (isNaN(value))
            input.text = emptyValue
        else if (value > maximum || value < minimum)
            input.text = String(Math.min(maximum, Math.max(minimum, value)))
    }

    implicitWidth: 60
    implicitHeight: 22
    color: Style.panelColor
    border.color: input.activeFocus ? Style.accentColor : Style.lineColor

    TextInput {
        id: input
        anchors.fill: parent
        leftPadding: 5
        rightPadding: 5
        verticalAlignment: TextInput.AlignVCenter
        font.family: Style.fontFamily
        font.pixelSize: Style.fontNormalSize
        color: Style.fontColor
        selectionColor: Style.accentColor
        selectByMouse: true
        clip: true
        activeFocusOnTab: true
        Accessible.role: Accessible.EditableText
        Accessible.name: field.name
        text: field.emptyValue
        validator: IntValidator {
            bottom: field.minimum
            top: field.maximum
        }
        Keys.onReturnPressed: focus = false
        Keys.onEnterPressed: focus = false
        onActiveFocusChanged: {
            if (!activeFocus) {
                field.normalise()
                field.editingDone()
            }
        }
    }

    FocusMark {
        visible: input.activeFocus
    }
}
