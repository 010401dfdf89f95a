pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Shapes
import modules.qml
import "mouseButtons.js" as MouseButtons

// The mouse from the top or the side, 125 pixels right of the window's centre, with the
// selected button highlighted. Each button has a hot spot on the view that shows it.
Item {
    id: picture

    property var mainLang: []
    // What a screen reader calls each button's hot spot (the key rows' names).
    property var buttonNames: []
    property int selectKey: -1
    property bool sideView: false

    // Per button (key-matrix row): its view, hot spot and outline.
    readonly property var buttons: MouseButtons.buttons

    signal enterBtn(int row)
    signal leaveBtn(int row)
    signal clickBtn(int row)

    // A button that only the other view shows brings that view up.
    onSelectKeyChanged: {
        if (selectKey >= 0 && selectKey < buttons.length)
            sideView = buttons[selectKey].side
    }

    Item {
        id: mouse
        x: picture.width / 2 + 125 - width / 2
        y: (picture.height - height) / 2
        width: 300
        height: 440

        MouseTopView {
            visible: !picture.sideView
        }
        MouseSideView {
            visible: picture.sideView
        }

        Repeater {
            model: picture.buttons

            Shape {
                id: highlight
                required property int index
                required property var modelData
                objectName: "buttonHighlight" + index
                anchors.fill: parent
                antialiasing: true
                visible: picture.selectKey === highlight.index
                         && highlight.modelData.side === picture.sideView

                SvgPath {
                    outline: highlight.modelData.outline
                    fillColor: "#8c0095de"
                    strokeColor: Style.accentColor
                    strokeWidth: 2
                }
            }
        }

        // Later spots lie above earlier ones: the wheel and the small buttons over the keys.
        Repeater {
            model: picture.buttons

            MouseArea {
                id: spot
                required property int index
                required property var modelData
                objectName: "buttonSpot" + index
                x: modelData.spot[0]
                y: modelData.spot[1]
                width: modelData.spot[2]
                height: modelData.spot[3]
                z: index === 0 || index === 1 ? 0 : 1
                visible: modelData.side === picture.sideView
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                Accessible.role: Accessible.Button
                Accessible.name: picture.buttonNames[spot.index] ?? ""
                onEntered: picture.enterBtn(spot.index)
                onExited: picture.leaveBtn(spot.index)
                onClicked: picture.clickBtn(spot.index)
            }
        }
    }

    Row {
        anchors.horizontalCenter: mouse.horizontalCenter
        y: mouse.y + mouse.height + 16
        spacing: 24

        OptionMark {
            objectName: "frontViewChoice"
            text: picture.mainLang[17] ?? ""
            checked: !picture.sideView
            onChosen: picture.sideView = false
        }
        OptionMark {
            objectName: "sideViewChoice"
            text: picture.mainLang[18] ?? ""
            checked: picture.sideView
            onChosen: picture.sideView = true
        }
    }
}
