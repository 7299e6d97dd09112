#include "base/render_settings.h"

// The program's start values with useMonitor off. renderSettings is constant-
// initialised, so this runs after its start values and before the entry point.
namespace {
const bool windowed = (renderSettings.useMonitor = false, true);
}
