#pragma once

// The built-in 64 x 64 RGBA picture, column by column (x = 0 first).
extern const unsigned char windowIconColumns[64 * 64 * 4];

// Turns column-ordered RGBA into rows, top row first.
void transposeIconColumns(const unsigned char* columns, unsigned char* rows);
