#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

namespace snapdeck {

// The part of a picture that a view of "view" pixels shows at 100% (one picture pixel
// on one screen pixel) around "spot", given in shares of the picture's width and height
// (0..1). The part stays inside the picture: near an edge it shifts inwards rather than
// showing what is beyond; a picture smaller than the view is shown whole.
QRect focusCheckCrop(QSize picture, QSize view, QPointF spot);

} // namespace snapdeck
