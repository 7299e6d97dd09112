#pragma once

// The bytes of one embedded resource, as FindResourceA, LoadResource,
// SizeofResource and LockResource give them. bytes is null when the resource
// does not exist. The bytes stay valid for the life of the process.
// On Linux a BITMAP is the whole .bmp file; on Windows the system strips the
// file header, so bitmap bytes are only for the platform's own decoder.
struct ResourceData {
    const unsigned char* bytes;
    unsigned long size;
};

// type is "TEXTFILE" or "BITMAP"; only the low 16 bits of id count.
ResourceData findResourceData(const char* type, int id);
