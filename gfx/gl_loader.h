#pragma once

// The GL library's handle, held only while initGlApi fills the table.
void openGlLibrary();
void closeGlLibrary();

// Some Windows drivers answer an unknown name with 1, 2, 3 or -1 instead of
// null; such a value would be called as a function address.
bool isUsableGlAddress(const void* address);

// Linux's glXGetProcAddressARB answers every name with a stub, so there this
// nulls the entries above the current context's version or of extensions it
// does not advertise. The Windows table keeps what its lookups gave.
void dropEntriesTheContextLacks();
