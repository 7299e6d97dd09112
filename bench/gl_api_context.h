#pragma once

// A hidden window with a current context, for timing what needs one.
bool openBenchGlContext();
void closeBenchGlContext();
