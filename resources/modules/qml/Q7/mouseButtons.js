.pragma library
// The mouse's buttons in the drawing's 300 x 440 coordinates, by key-matrix row: the view that
// shows each, its hot spot [x, y, width, height] and its outline in SVG path syntax. The views
// draw the buttons with these outlines, and a selected button's highlight is the same outline.

const buttons = [
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
