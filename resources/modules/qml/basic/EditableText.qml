import QtQuick
import modules.qml

// A label that turns into an input field with its text selected. Enter, or finishEdit() (a
// press elsewhere), ends the edit and reports the new text; Escape gives it up.
Item {
    id: editable

    property string text
    property alias validator: input.validator
    readonly property bool editing: input.visible

    signal committed(string newText)

    // Edits `initialText`, or the shown text when none is given.
    function startEdit(initialText) {
        input.text = initialText ?? text
        input.visible = true
        input.forceActiveFocus()
        input.selectAll()
    }

    function finishEdit() {
        if (!editing)
            return
        input.visible = false
        committed(input.text)
    }

    function cancelEdit() {
        input.visible = false
    }

    Label {
        anchors.fill: parent
        visible: !input.visible
        text: editable.text
        elide: Text.ElideRight
    }

    Rectangle {
        anchors.fill: parent
        visible: input.visible
        color: "#1a1a1a"
        border.color: Style.accentColor
    }

    TextInput {
        id: input
        anchors.fill: parent
        leftPadding: 2
        verticalAlignment: TextInput.AlignVCenter
        visible: false
        font.family: Style.fontFamily
        font.pixelSize: Style.fontNormalSize
        color: Style.fontColor
        selectionColor: Style.accentColor
        selectByMouse: true
        clip: true
        Keys.onReturnPressed: editable.finishEdit()
        Keys.onEnterPressed: editable.finishEdit()
        Keys.onEscapePressed: editable.cancelEdit()
    }
}
