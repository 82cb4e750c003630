// TGridLook: how the grid draws its lines, header, gutter, footer and
// selection. The grid takes it whole (TLapGrid::SetLook) and repaints only
// the parts a changed field shows up in.
#pragma once

#include "grid/lap_types.h"

struct TGridLook {
    TColor AlternateColor = sys_color::Window; // every second row
    TColor GridColor = sys_color::BtnFace;     // the lines between cells
    bool ShowGrid = true;
    TPenStyle GridStyle = psSolid;
    TColor HeaderColor = sys_color::BtnFace; // header, gutter and footer cells
    TColor HeaderLightColor = sys_color::BtnHighlight;
    TColor HeaderDarkColor = sys_color::BtnShadow;
    TColor SelectionColor = 0xCAFFFFu;
    TColor BoxColor = RGB(0, 0, 0); // the frame around the selection
    bool Flat = true;               // header cells without a raised edge
    TFont HeaderFont;
    TFont FooterFont;
    TFont GutterFont;

    bool operator==(const TGridLook&) const = default;
};
