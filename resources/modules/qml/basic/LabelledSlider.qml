import QtQuick
import modules.qml

// A step slider with its name above and the two end labels under its ends.
Column {
    id: row

    property alias name: caption.text
    property alias sliderName: slider.objectName
    property alias value: slider.value
    property alias knobPressed: slider.knobPressed
    property string lowText
    property string highText

    signal stepChosen(int step)

    spacing: 4

    Label {
        id: caption
        height: 18
    }

    StepSlider {
        id: slider
        name: caption.text
        onStepChosen: function(step) { row.stepChosen(step) }
    }

    Item {
        width: slider.width
        height: 14

        Label {
            height: parent.height
            text: row.lowText
            font.pixelSize: Style.fontMinSize
            color: Style.fontDimColor
        }
        Label {
            anchors.right: parent.right
            height: parent.height
            text: row.highText
            font.pixelSize: Style.fontMinSize
            color: Style.fontDimColor
        }
    }
}
