#pragma once

#include <QString>

namespace vellum {

// The directory searched for the skin and style plugins: "plugins" beside the executable.
QString GetTargetPath();

} // namespace vellum
