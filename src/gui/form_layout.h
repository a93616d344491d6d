#pragma once

#include "twips.h"

namespace bladetrace {

// What the layout of the main window depends on, in twips.
struct FormMetrics {
    float W = 0; // client width
    float H = 0; // client height, status bar included
    float statusBarHeight = 0;
    float tabHeaderHeight = 0; // header of tab 1
    float picGroup2Width = 3255;
    float btnCopyHeight = 375;
};

// Where Form_Resize puts the controls it moves. The grid and the three charts share one
// rectangle; btnCopy keeps its left edge and width, only its top moves.
struct FormLayout {
    TwipsRect TabStrip1;
    TwipsRect grdTop;
    float btnCopyTop = 0;
    TwipsRect picGroup2;
};

// The layout of Form_Resize. A client area too small for the fixed parts gives zero sizes
// rather than negative ones.
FormLayout formResizeLayout(const FormMetrics& m);

// Where theTimer puts chkUnits: just inside status panel 3, centred on the status bar.
// All values in the window's twips; panel3Left is relative to the status bar.
struct UnitsCheckPlace {
    float left = 0;
    float top = 0;
};
UnitsCheckPlace unitsCheckPlace(const TwipsRect& statusBar, float panel3Left, float chkUnitsHeight);

} // namespace bladetrace
