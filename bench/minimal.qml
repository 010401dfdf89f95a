import QtQuick

Rectangle {
    width: 1000
    height: 640
    color: "#1b1d22"
}
