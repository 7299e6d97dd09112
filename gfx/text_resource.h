#pragma once

// Copies TEXTFILE resource resourceId up to its '~' marker into destination
// and NUL-terminates it there.
void loadTextResource(int resourceId, char* destination, int capacity);

// The copy itself, over any bytes: stops at the first '~', at the end of the
// bytes and at capacity - 1, so a missing marker never overruns either side.
// Null bytes give the empty text; a capacity below 1 writes nothing.
void copyTextUpToMarker(const unsigned char* bytes, unsigned long size, char* destination, int capacity);
