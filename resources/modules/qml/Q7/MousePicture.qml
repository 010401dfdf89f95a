pragma ComponentBehavior: Bound
import QtQuick
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

    // Per button (key-matrix row): the view that shows it, its highlight image and its hot
    // spot [x, y, width, height] in the picture's 300 x 440 coordinates.
    readonly property var buttons: [
        { side: false, image: "top_key0.svg", spot: [40, 24, 107, 172] },
        { side: false, image: "top_key1.svg", spot: [153, 24, 107, 172] },
        { side: false, image: "top_key2.svg", spot: [138, 58, 24, 54] },
        { side: true, image: "side_key3.svg", spot: [66, 148, 22, 52] },
        { side: true, image: "side_key4.svg", spot: [66, 206, 22, 52] },
        { side: false, image: "top_key5.svg", spot: [141, 166, 18, 14] },
        { side: false, image: "top_key6.svg", spot: [141, 122, 18, 14] },
        { side: false, image: "top_key7.svg", spot: [141, 142, 18, 14] }
    ]

    signal enterBtn(int row)
    signal leaveBtn(int row)
    signal clickBtn(int row)

    // A button that only the other view shows brings that view up.
    onSelectKeyChanged: {
        if (selectKey >= 0 && selectKey < buttons.length)
            sideView = buttons[selectKey].side
    }

    Picture {
        id: mouse
        x: picture.width / 2 + 125 - width / 2
        y: (picture.height - height) / 2
        width: 300
        height: 440
        source: Style.image("mouse", picture.sideView ? "mouse_side.svg" : "mouse_top.svg")

        Repeater {
            model: picture.buttons

            Picture {
                id: highlight
                required property int index
                required property var modelData
                objectName: "buttonHighlight" + index
                anchors.fill: parent
                visible: picture.selectKey === highlight.index
                         && highlight.modelData.side === picture.sideView
                source: Style.image("mouse", highlight.modelData.image)
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
