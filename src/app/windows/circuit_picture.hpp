#pragma once
// The circuit picture of the fin and tube editor: the shipped picture of the coil's rows and
// tubes per circuit when there is one, else a drawing of the coil's circuiting — the tubes in
// their rows, each circuit's path from its inlet to its outlet, the tubes left unlinked and the
// direction of the air.

#include <QImage>
#include <QString>

namespace qdx {
class TFinAndTube;
struct TCircuitLayout;
}  // namespace qdx

namespace qdx::app {

// The height the picture is shown at, pixels.
inline constexpr int kCircuitPictureHeight = 220;

// "CoilCirc/Images/<rows>r<tubes per circuit>t.png" in the shipped data folder.
QString CircuitPicturePath(const TFinAndTube& geometry);
// The drawing of a layout, kCircuitPictureHeight high; staggered: every other row sits half a
// pitch lower.
QImage DrawCircuitPicture(const TCircuitLayout& layout, bool staggered);
// What the drawing shows, for the text beside it: "4 rows, 14 tubes high, 8 tubes per
// circuit, Same side conns.".
QString CircuitCaption(const TFinAndTube& geometry);

}  // namespace qdx::app
