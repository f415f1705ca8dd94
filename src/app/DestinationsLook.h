#pragma once

#include "session/DestinationsModel.h"

#include <QIcon>

class QModelIndex;
class QStyleOptionViewItem;

namespace vexel {

// How the Destinations table shows what its model says: an icon for each
// mark (green fits, blue by hand, an amber triangle stale, a red square
// does not fit), red words where a sign does not fit or a hand-made image
// is stale, a tinted row where any sign does not fit, and a suggested
// Latin name in grey italics.
namespace DestinationsLook {

QIcon markIcon(DestinationsModel::Mark mark);
// Dresses a cell's style option from its index's roles.
void apply(QStyleOptionViewItem& option, const QModelIndex& index);

} // namespace DestinationsLook

} // namespace vexel
