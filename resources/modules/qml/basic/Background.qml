import QtQuick
import QtQuick.Shapes
import modules.qml

// The window's backdrop, drawn by the scene graph each frame: a picture of it would hold the
// whole window's pixels again (2.5 MiB) for as long as the window shows.
Item {
    width: 1000
    height: 640

    Rectangle {
        anchors.fill: parent
        radius: 10
        border.color: "#2c2e33"
        gradient: Gradient {
            GradientStop { position: 0; color: "#1c1d21" }
            GradientStop { position: 1; color: "#101113" }
        }
    }

    Shape {
        anchors.fill: parent
        antialiasing: true

        // The blue glow behind the mouse, fading out within the window's edges.
        ShapePath {
            strokeColor: "transparent"
            fillGradient: RadialGradient {
                centerX: 625
                centerY: 330
                centerRadius: 330
                focalX: 625
                focalY: 330
                GradientStop { position: 0; color: "#380095de" }
                GradientStop { position: 0.55; color: "#0f0095de" }
                GradientStop { position: 1; color: "#000095de" }
            }
            startX: 295
            startY: 1
            PathLine { x: 955; y: 1 }
            PathLine { x: 955; y: 639 }
            PathLine { x: 295; y: 639 }
        }

        // The rules under the title and above the bottom menu.
        ShapePath {
            strokeColor: "#14ffffff"
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap
            startX: 24
            startY: 46
            PathLine { x: 976; y: 46 }
        }
        ShapePath {
            strokeColor: "#0fffffff"
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap
            startX: 24
            startY: 578
            PathLine { x: 976; y: 578 }
        }
        ShapePath {
            strokeColor: "#0095de"
            strokeWidth: 2
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap
            startX: 24
            startY: 46
            PathLine { x: 180; y: 46 }
        }

        // The corner marks framing the mouse.
        ShapePath {
            strokeColor: "#590095de"
            strokeWidth: 1.5
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap
            joinStyle: ShapePath.MiterJoin
            startX: 430
            startY: 120
            PathLine { x: 416; y: 120 }
            PathLine { x: 416; y: 134 }
            PathMove { x: 820; y: 120 }
            PathLine { x: 834; y: 120 }
            PathLine { x: 834; y: 134 }
            PathMove { x: 430; y: 540 }
            PathLine { x: 416; y: 540 }
            PathLine { x: 416; y: 526 }
            PathMove { x: 820; y: 540 }
            PathLine { x: 834; y: 540 }
            PathLine { x: 834; y: 526 }
        }
    }

    Text {
        x: 24
        anchors.baseline: parent.top
        anchors.baselineOffset: 32
        text: "KESTRAN SOLUX"
        color: "#ffffff"
        font.family: "DejaVu Sans"
        font.pixelSize: 15
        font.bold: true
    }

    Text {
        x: 176
        anchors.baseline: parent.top
        anchors.baselineOffset: 32
        text: "MOUSE Z718"
        color: Style.accentColor
        font.family: "DejaVu Sans"
        font.pixelSize: 15
    }
}
