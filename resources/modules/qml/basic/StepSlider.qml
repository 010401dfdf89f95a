import QtQuick
import modules.qml

// An eleven-step slider on a 250-pixel track, step n at x = 25 n. A click reports the step
// under the pointer at once; a dragged knob follows the pointer and reports on release. The
// owner sets `value` from the report. Steps above 10 show at 10.
Item {
    id: slider

    property int value: 0
    property int dragStep: 0
    readonly property int shownStep: knobArea.pressed ? dragStep : value
    readonly property int steps: 10
    readonly property int stepWidth: 25
    readonly property bool knobPressed: knobArea.pressed
    // What a screen reader calls it.
    property alias name: keyFocus.name

    signal stepChosen(int step)

    width: steps * stepWidth
    height: 16

    function stepBy(delta: int) {
        stepChosen(Math.max(0, Math.min(steps, Math.min(value, steps) + delta)))
    }

    function stepAt(x: real): int {
        return Math.max(0, Math.min(slider.steps, Math.floor(x / slider.stepWidth)))
    }

    Picture {
        anchors.verticalCenter: parent.verticalCenter
        x: -8
        width: slider.width + 16
        height: 8
        source: Style.image("mouseRate", "slider_track.svg")
    }

    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        height: 4
        radius: 2
        width: knob.x + knob.width / 2
        color: Style.accentColor
    }

    MouseArea {
        id: trackArea
        anchors.fill: parent
        anchors.leftMargin: -8
        anchors.rightMargin: -8
        onClicked: function(mouse) {
            slider.stepChosen(slider.stepAt(mouse.x - 8))
        }
    }

    Picture {
        id: knob
        objectName: slider.objectName + "Knob"
        width: 16
        height: 16
        anchors.verticalCenter: parent.verticalCenter
        x: Math.min(Math.max(slider.shownStep, 0), slider.steps) * slider.stepWidth - width / 2
        source: Style.image("mouseRate", knobArea.pressed ? "slider_knob_pressed.svg"
                                                          : "slider_knob.svg")

        MouseArea {
            id: knobArea
            anchors.fill: parent
            anchors.margins: -4
            preventStealing: true
            onPressed: slider.dragStep = Math.min(slider.value, slider.steps)
            onPositionChanged: function(mouse) {
                slider.dragStep = slider.stepAt(knobArea.mapToItem(slider, mouse.x, mouse.y).x)
            }
            onReleased: slider.stepChosen(slider.dragStep)
        }
    }

    // An arrow key moves one step and reports it at once, as a click on the track does.
    KeyFocus {
        id: keyFocus
        role: Accessible.Slider
        Accessible.description: String(Math.min(slider.value, slider.steps))
        Keys.onLeftPressed: slider.stepBy(-1)
        Keys.onDownPressed: slider.stepBy(-1)
        Keys.onRightPressed: slider.stepBy(1)
        Keys.onUpPressed: slider.stepBy(1)
    }
}
