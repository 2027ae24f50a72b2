#pragma once
// Returning freed heap memory to the system.

// The start builds and drops large tables (settings, listing, indices); the allocator keeps their pages
// unless told otherwise, and they would count as resident for the whole session.
void ReleaseFreedMemory();
