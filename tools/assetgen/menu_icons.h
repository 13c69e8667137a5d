// One-colour pictograms of the interface buttons. Each draws with the
// current source in a 24 x 24 unit box centred on the origin, y down;
// paintIcon (menu_style.h) scales and colours them.
#pragma once

#include <cairo.h>

namespace assetgen {

// Build panel: where the next piece goes.
void iconCurveLeft(cairo_t* cr);
void iconStraight(cairo_t* cr);
void iconCurveRight(cairo_t* cr);
void iconSteeper(cairo_t* cr);
void iconShallower(cairo_t* cr);
void iconBankLeft(cairo_t* cr);
void iconBankRight(cairo_t* cr);
void iconChain(cairo_t* cr);
void iconTrash(cairo_t* cr);

// Commands and navigation.
void iconPlay(cairo_t* cr);
void iconHammer(cairo_t* cr);
void iconExit(cairo_t* cr);
void iconWreckingBall(cairo_t* cr);
void iconSave(cairo_t* cr);
void iconLoad(cairo_t* cr);
void iconClose(cairo_t* cr);
void iconMenu(cairo_t* cr);
void iconPrevious(cairo_t* cr);
void iconNext(cairo_t* cr);
void iconScrollUp(cairo_t* cr);
void iconScrollDown(cairo_t* cr);
void iconCheck(cairo_t* cr);

// Files and folders.
void iconFolder(cairo_t* cr);
void iconNewFolder(cairo_t* cr);
void iconFolderUp(cairo_t* cr);

// Badges of the boxes and ride results.
void iconQuestion(cairo_t* cr);
void iconGauge(cairo_t* cr);
void iconCrash(cairo_t* cr);

} // namespace assetgen
