#pragma once

// Copies TEXTFILE resource resourceId up to its '~' marker into destination
// and NUL-terminates it there.
void loadTextResource(int resourceId, char* destination, int capacity);
