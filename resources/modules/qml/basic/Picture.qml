import QtQuick

// An image drawn at the size it is shown; vector images stay sharp at any screen density.
// It holds its pixels only while it shows: a closed page's pictures, the buttons' highlights
// but the one shown, and everything while the window waits in the tray take no memory.
Item {
    id: picture

    property url source

    implicitWidth: image.implicitWidth
    implicitHeight: image.implicitHeight

    Image {
        id: image
        anchors.fill: parent
        sourceSize.width: picture.width
        sourceSize.height: picture.height
        // Unshared, so that a picture let go is freed at once rather than kept in the cache.
        cache: false
        source: picture.visible && picture.Window.visibility !== Window.Hidden ? picture.source
                                                                                : ""
    }
}
