import QtQuick
import modules.qml

// A vertically scrolling column of rows of rowHeight, every row built at once (so rows can be
// found and read while out of view), with a scroll mark at the right once the rows overflow.
// Each row places itself at index * rowHeight: that holds at once, where a Column would only
// move its rows at the next frame. Arrows move the keyboard focus along the rows.
Item {
    id: list

    property alias model: rows.model
    property alias delegate: rows.delegate
    readonly property int count: rows.count
    property int rowHeight: 22

    function itemAt(index) {
        return rows.itemAt(index)
    }

    // Scrolls just enough to show `row` whole.
    function show(row) {
        if (!row)
            return
        const top = row.mapToItem(flickable.contentItem, 0, 0).y
        if (top < flickable.contentY)
            flickable.contentY = top
        else if (top + rowHeight > flickable.contentY + flickable.height)
            flickable.contentY = top + rowHeight - flickable.height
    }

    Keys.onUpPressed: show(FocusChain.step(list, false))
    Keys.onDownPressed: show(FocusChain.step(list, true))

    function scrollToEnd() {
        flickable.contentY = Math.max(0, flickable.contentHeight - flickable.height)
    }

    Flickable {
        id: flickable
        anchors.fill: parent
        clip: true
        contentWidth: width
        contentHeight: rows.count * list.rowHeight
        boundsBehavior: Flickable.StopAtBounds

        Repeater {
            id: rows
        }
    }

    Rectangle {
        visible: flickable.contentHeight > flickable.height
        x: list.width - width
        y: flickable.visibleArea.yPosition * list.height
        width: 4
        height: Math.max(10, flickable.visibleArea.heightRatio * list.height)
        radius: 2
        color: Style.accentColor
    }
}
