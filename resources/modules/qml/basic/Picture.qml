import QtQuick

// An image drawn at the size it is shown; vector images stay sharp at any screen density.
Image {
    sourceSize.width: width
    sourceSize.height: height
}
