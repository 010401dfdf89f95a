import QtQuick
import QtQuick.Shapes

// One outline in SVG path syntax, stroked and filled as an SVG picture would: flat ends, mitred
// corners, nothing filled or stroked unless asked.
ShapePath {
    property alias outline: svg.path

    fillColor: "transparent"
    strokeColor: "transparent"
    capStyle: ShapePath.FlatCap
    joinStyle: ShapePath.MiterJoin

    PathSvg {
        id: svg
    }
}
