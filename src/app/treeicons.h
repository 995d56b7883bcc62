#pragma once
// The pictures of the tree entries and the tree's tool buttons, by the image
// keys the tree uses ("cb", "ob", "page", "column", "stop", "cut", "copy",
// "paste", "delete"): the desktop's icon theme where it has one, otherwise a
// picture of our own.

#include <QIcon>
#include <QString>

namespace qwk {

QIcon treeIcon(const QString &imageKey);

} // namespace qwk
