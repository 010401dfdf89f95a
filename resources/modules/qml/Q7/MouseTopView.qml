import QtQuick
import QtQuick.Shapes
import modules.qml
import "mouseButtons.js" as MouseButtons

// The mouse from the top, 300 x 440, drawn by the scene: a picture of it would hold its pixels
// for as long as the window shows.
Shape {
    width: 300
    height: 440
    antialiasing: true

    // The shell.
    SvgPath {
        outline: "M150,22 C222,22 262,74 262,152 L262,300 C262,384 214,424 150,424 C86,424 38,384 38,300 L38,152 C38,74 78,22 150,22 Z"
        strokeColor: "#4a4e56"
        strokeWidth: 2
        fillGradient: LinearGradient {
            x1: 38
            y1: 22
            x2: 262
            y2: 424
            GradientStop { position: 0; color: "#34373d" }
            GradientStop { position: 1; color: "#15161a" }
        }
    }

    // The two main keys and the seam under them.
    SvgPath {
        outline: MouseButtons.buttons[0].outline
        strokeColor: "#111214"
        strokeWidth: 2
        fillGradient: keyGradient
    }
    SvgPath {
        outline: MouseButtons.buttons[1].outline
        strokeColor: "#111214"
        strokeWidth: 2
        fillGradient: keyGradient
    }
    SvgPath {
        outline: "M40 196 C90 206 210 206 260 196"
        strokeColor: "#111214"
        strokeWidth: 2
    }

    // The wheel and its ridges.
    SvgPath {
        outline: MouseButtons.buttons[2].outline
        fillColor: "#101114"
        strokeColor: "#4a4e56"
        strokeWidth: 2
    }
    SvgPath {
        outline: "M142 66h16M142 73h16M142 80h16M142 87h16M142 94h16M142 101h16"
        strokeColor: "#5a5f68"
        strokeWidth: 2
    }

    // The DPI buttons and the one under them, with their + and - marks.
    SvgPath {
        outline: MouseButtons.buttons[6].outline + MouseButtons.buttons[7].outline
                 + MouseButtons.buttons[5].outline
        fillColor: "#2b2e34"
        strokeColor: "#111214"
        strokeWidth: 1.5
    }
    SvgPath {
        outline: "M141 129h18M150 125v8M144 149h12"
        strokeColor: "#99ffffff"
        strokeWidth: 1.5
    }

    // The glowing logo and the blue lines along the sides.
    SvgPath {
        outline: "M104 330A46 46 0 0 1 196 330A46 46 0 0 1 104 330Z"
        fillGradient: RadialGradient {
            centerX: 150
            centerY: 330
            centerRadius: 46
            focalX: 150
            focalY: 330
            GradientStop { position: 0; color: "#500095de" }
            GradientStop { position: 1; color: "#000095de" }
        }
    }
    SvgPath {
        outline: "M134 318h32l-32 26h32"
        strokeColor: Style.accentColor
        strokeWidth: 4
        capStyle: ShapePath.RoundCap
        joinStyle: ShapePath.RoundJoin
    }
    SvgPath {
        outline: "M40 240 C44 300 60 360 96 398M260 240 C256 300 240 360 204 398"
        strokeColor: "#b30095de"
        strokeWidth: 2
    }

    LinearGradient {
        id: keyGradient
        y1: 24
        y2: 196
        GradientStop { position: 0; color: "#3b3e45" }
        GradientStop { position: 1; color: "#24262b" }
    }
}
