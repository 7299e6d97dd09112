#include "base/render_settings.h"

// The program's start values with forceConfig on: every command line asks for
// the settings. renderSettings is constant-initialised, so this runs after its
// start values and before the entry point.
namespace {
const bool forced = (renderSettings.forceConfig = true, true);
}
