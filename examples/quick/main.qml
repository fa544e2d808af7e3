// A chart in Qt Quick: a year of sales; the wheel zooms, the keys navigate once the chart has the focus,
// and the box at the top names the point under the pointer.
import QtQuick
import Plotara

Window {
    width: 720
    height: 480
    visible: true
    title: "Sales (Qt Quick)"

    PlotaraItem {
        id: chart
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: shown.top }
        focus: true
        hoverValue: true
        Component.onCompleted: {
            invoke("NewGraph", ["Sales", 0, 13, 0, 100])
            invoke("NewDataSet", ["2026"])
            for (let month = 1; month <= 12; ++month)
                invoke("AddDataPoint", [month, 38 + 3 * month + month % 4])
            invoke("DataLine", [0xC00000, 2, 1])
            invoke("Refresh")
        }
        onViewChanged: (graph) => shown.text = "X from " + get("AxisViewValue1").toFixed(2) + " to "
                                               + get("AxisViewValue2").toFixed(2)
    }

    Rectangle {  // the hover value
        visible: chart.hoverText !== ""
        x: 70; y: 40
        width: value.implicitWidth + 12; height: value.implicitHeight + 8
        color: "#ffffe8"; border.color: "gray"
        Text { id: value; anchors.centerIn: parent; text: chart.hoverText }
    }

    Text {  // the view, after each zoom or pan
        id: shown
        x: 8; anchors.bottom: parent.bottom; height: 24; verticalAlignment: Text.AlignVCenter
        text: "Turn the wheel over the chart to zoom; Home shows everything"
    }
}
