#pragma once

#include <QMetaType>

namespace gearbay {

// A tool's state as the pages report it to each other.
enum ToolCurrentState {
    StateNone = 0,
    StateRequested = 1,
    StateDownloading = 2,
    StateDownloaded = 3,
    StateCancelled = 4,
    StateDeleted = 5,
};

} // namespace gearbay

Q_DECLARE_METATYPE(gearbay::ToolCurrentState)
