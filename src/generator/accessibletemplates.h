#pragma once
// The fixed text of the accessible menu script's runtime, as a template for
// TextEmitter (see runtimetemplates.h for the placeholders).

#include <QStringView>

namespace qwk::runtime {

extern const QStringView kAccessibleRuntime;

} // namespace qwk::runtime
