import QtQuick
import modules.qml

// A label that turns into an input field with its text selected. Enter, or finishEdit() (a
// press elsewhere), ends the edit and reports the new text; Escape gives it up. A text the
// receiver refuses (refuse()) keeps the field open with the reason in one line below it;
// ending the edit again with that same text gives it up.
Item {
    id: editable

    property string text
    property alias validator: input.validator
    readonly property bool editing: input.visible
    // Why the text in the field was refused; empty while nothing is.
    property string note
    property string refusedText

    signal committed(string newText)

    // Edits `initialText`, or the shown text when none is given.
    function startEdit(initialText) {
        note = ""
        input.text = initialText ?? text
        input.visible = true
        input.forceActiveFocus()
        input.selectAll()
    }

    function finishEdit() {
        if (!editing)
            return
        input.visible = false
        const given = input.text
        const refusedAgain = note !== "" && given === refusedText
        note = ""
        if (!refusedAgain)
            committed(given)
    }

    function cancelEdit() {
        input.visible = false
        note = ""
    }

    // Opens the field again on the refused text, saying why.
    function refuse(reason: string) {
        refusedText = input.text
        note = reason
        input.visible = true
        input.forceActiveFocus()
        input.selectAll()
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
        // Light on dark, unlike the blue of a selected row behind the field.
        selectionColor: Style.fontColor
        selectedTextColor: "#1a1a1a"
        selectByMouse: true
        clip: true
        Keys.onReturnPressed: editable.finishEdit()
        Keys.onEnterPressed: editable.finishEdit()
        Keys.onEscapePressed: editable.cancelEdit()
    }

    Rectangle {
        objectName: "editNote"
        // Under the field; a longer note reaches out to the left, under what precedes it.
        x: Math.min(0, editable.width - width)
        y: editable.height
        width: Math.max(editable.width, noteText.implicitWidth + 8)
        height: noteText.implicitHeight + 4
        visible: input.visible && editable.note !== ""
        color: "#3a1a1a"
        border.color: "#d04040"

        Label {
            id: noteText
            x: 4
            y: 2
            text: editable.note
            font.pixelSize: Style.fontMinSize
        }
    }
}
