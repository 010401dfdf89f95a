pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Shapes
import modules.qml

// The mouse from the top or the side, 125 pixels right of the window's centre, with the
// selected button highlighted. Each button has a hot spot on the view that shows it.
Item {
    id: picture

    property var mainLang: []
    // What a screen reader calls each button's hot spot (the key rows' names).
    property var buttonNames: []
    property int selectKey: -1
    property bool sideView: false

    // Per button (key-matrix row): the view that shows it, its hot spot [x, y, width, height]
    // and the outline of its highlight, in the drawing's 300 x 440 coordinates.
    readonly property var buttons: [
        { side: false, spot: [40, 24, 107, 172],
          outline: "M147,24 C84,28 41,76 40,152 L40,196 L147,196 Z" },
        { side: false, spot: [153, 24, 107, 172],
          outline: "M153,24 C216,28 259,76 260,152 L260,196 L153,196 Z" },
        { side: false, spot: [138, 58, 24, 54],
          outline: "M150 58A12 12 0 0 1 162 70V100A12 12 0 0 1 150 112A12 12 0 0 1 138 100V70A12 12 0 0 1 150 58Z" },
        { side: true, spot: [66, 148, 22, 52],
          outline: "M75 148H79A9 9 0 0 1 88 157V191A9 9 0 0 1 79 200H75A9 9 0 0 1 66 191V157A9 9 0 0 1 75 148Z" },
        { side: true, spot: [66, 206, 22, 52],
          outline: "M75 206H79A9 9 0 0 1 88 215V249A9 9 0 0 1 79 258H75A9 9 0 0 1 66 249V215A9 9 0 0 1 75 206Z" },
        { side: false, spot: [141, 166, 18, 14],
          outline: "M145 166H155A4 4 0 0 1 159 170V176A4 4 0 0 1 155 180H145A4 4 0 0 1 141 176V170A4 4 0 0 1 145 166Z" },
        { side: false, spot: [141, 122, 18, 14],
          outline: "M145 122H155A4 4 0 0 1 159 126V132A4 4 0 0 1 155 136H145A4 4 0 0 1 141 132V126A4 4 0 0 1 145 122Z" },
        { side: false, spot: [141, 142, 18, 14],
          outline: "M145 142H155A4 4 0 0 1 159 146V152A4 4 0 0 1 155 156H145A4 4 0 0 1 141 152V146A4 4 0 0 1 145 142Z" }
    ]

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
