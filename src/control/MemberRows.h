// The functions that add each subsystem's rows to the member table.
#pragma once

#include "plotara/Automation.h"

namespace plotara {

void AddShellMembers(MemberTable& t);     // Version, GraphIndex, SuppressRaisingEvents, Reset
void AddGraphMembers(MemberTable& t);     // graphs, axes, selection, name lists, drawing
void AddDataMembers(MemberTable& t);      // data sets, points, functions, texts
void AddStyleMembers(MemberTable& t);     // the style methods
void AddPickerMembers(MemberTable& t);    // GetGradient, GetColor
void AddPropertyMembers(MemberTable& t);  // the properties of graphs, axes, legend, page and data sets

}  // namespace plotara
