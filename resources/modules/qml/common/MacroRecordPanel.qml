import QtQuick
import modules.qml

// Recording and the macro's options: the record button, how recorded delays are taken (the
// real time between events, or the default delay) and the loop count.
Column {
    id: panel

    property var lang: []
    // The selected macro's actions (the program's action model): recordings go there, and
    // the loop count field shows its repeat count.
    property var actions: null
    property bool isInputting: false
    property bool useDefaultDelay: false
    // Start of the current record tick count.
    property double tickStart: 0
    readonly property alias defaultDelayField: defaultDelay
    readonly property alias loopCountField: loopCount

    signal recordClicked()
    signal loopCountDone()

    function start() {
        tickStart = Date.now()
        isInputting = true
    }

    function stop() {
        isInputting = false
    }

    // Whole 10 ms ticks since the last recorded event, in milliseconds. Counted from the
    // clock: a ticking timer loses expiries whenever the event loop is busy.
    function recordedDelay() {
        return Math.floor((Date.now() - tickStart) / 10) * 10
    }

    // Appends a reported key (and the delay before it) while recording; `released` as the
    // hooks report it. False when nothing was recorded.
    function record(released, code) {
        const delay = useDefaultDelay ? defaultDelay.text : String(recordedDelay())
        if (!isInputting || !actions.record(released, code, delay))
            return false
        tickStart = Date.now()
        return true
    }

    spacing: 12

    TextButton {
        objectName: "recordButton"
        width: panel.width
        height: 32
        text: panel.lang[panel.isInputting ? 5 : 4] ?? ""
        onClicked: panel.recordClicked()

        Picture {
            x: 10
            y: (parent.height - height) / 2
            width: 16
            height: 16
            source: Style.image("macros", panel.isInputting ? "record_stop.svg" : "record.svg")
        }
    }

    OptionMark {
        objectName: "recordTimeOption"
        checked: !panel.useDefaultDelay
        text: panel.lang[6] ?? ""
        onChosen: panel.useDefaultDelay = false
    }

    Row {
        spacing: 8
        OptionMark {
            objectName: "defaultDelayOption"
            y: (parent.height - height) / 2
            checked: panel.useDefaultDelay
            text: panel.lang[17] ?? ""
            onChosen: panel.useDefaultDelay = true
        }
        NumberField {
            id: defaultDelay
            objectName: "defaultDelayField"
            name: panel.lang[17] ?? ""
            width: 56
            emptyValue: "10"
        }
        Label {
            height: defaultDelay.height
            text: "ms"
        }
    }

    Row {
        spacing: 8
        Label {
            height: loopCount.height
            text: panel.lang[7] ?? ""
        }
        NumberField {
            id: loopCount
            objectName: "loopCountField"
            name: panel.lang[7] ?? ""
            width: 56
            emptyValue: "1"
            onEditingDone: {
                panel.actions.repeat = parseInt(text, 10)
                panel.loopCountDone()
            }
        }
    }

    Connections {
        target: panel.actions
        function onRepeatChanged() {
            loopCount.text = String(panel.actions.repeat)
        }
    }
}
