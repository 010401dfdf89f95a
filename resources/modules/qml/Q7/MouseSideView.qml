import QtQuick
import QtQuick.Shapes
import modules.qml
import "mouseButtons.js" as MouseButtons

// The mouse from the left side, 300 x 440, drawn by the scene like the top view.
Shape {
    width: 300
    height: 440
    antialiasing: true

    // The shell, the seam behind the main keys and the blue line along the side.
    SvgPath {
        outline: "M160,22 C206,24 236,66 246,140 C256,216 258,316 236,386 C224,418 196,426 160,424 L96,418 C74,414 64,392 62,350 C58,270 60,170 72,104 C82,50 112,20 160,22 Z"
        strokeColor: "#4a4e56"
        strokeWidth: 2
        fillGradient: LinearGradient {
            x1: 60
            y1: 21
            x2: 252
            y2: 424
            GradientStop { position: 0; color: "#34373d" }
            GradientStop { position: 1; color: "#15161a" }
        }
    }
    SvgPath {
        outline: "M72 104 C120 112 200 112 246 140"
        strokeColor: "#111214"
        strokeWidth: 2
    }
    SvgPath {
        outline: "M64 300 C110 296 190 300 252 290"
        strokeColor: "#b30095de"
        strokeWidth: 2
    }

    // The shadow under the grip.
    SvgPath {
        outline: "M62 340 C90 352 200 352 246 330 L236 386 C224 418 196 426 160 424 L96 418 C74 414 64 392 62 350 Z"
        fillColor: "#cc101114"
    }

    // The forward and back buttons.
    SvgPath {
        outline: MouseButtons.buttons[3].outline
        strokeColor: "#111214"
        strokeWidth: 2
        fillGradient: LinearGradient {
            y1: 148
            y2: 200
            GradientStop { position: 0; color: "#3b3e45" }
            GradientStop { position: 1; color: "#24262b" }
        }
    }
    SvgPath {
        outline: MouseButtons.buttons[4].outline
        strokeColor: "#111214"
        strokeWidth: 2
        fillGradient: LinearGradient {
            y1: 206
            y2: 258
            GradientStop { position: 0; color: "#3b3e45" }
            GradientStop { position: 1; color: "#24262b" }
        }
    }
}
