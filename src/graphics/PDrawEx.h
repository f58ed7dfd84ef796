// The row-conversion library: eight converters from 32-bit rows (blue, green, red, alpha bytes) to
// the texture formats. Built into the program, so it always counts as loaded.
#pragma once

#include <string>

namespace marblix {

using TRowConverter = void (*)(const void* source, void* destination, int count);

bool LoadExtensionLibrary();
bool ExtensionLoaded();
void SetExtensionLibraryName(const std::string& name);
const std::string& ExtensionLibraryName();

void pdrawLine24to24(const void* source, void* destination, int count);  // X8R8G8B8
void pdrawLine24to16(const void* source, void* destination, int count);  // R5G6B5
void pdrawLine24to15(const void* source, void* destination, int count);  // X1R5G5B5
void pdrawLine24to12(const void* source, void* destination, int count);  // X4R4G4B4
void pdrawLine24to8(const void* source, void* destination, int count);   // R3G3B2
void pdrawLine32to15(const void* source, void* destination, int count);  // A1R5G5B5
void pdrawLine32to12(const void* source, void* destination, int count);  // A4R4G4B4
void pdrawLine32to8(const void* source, void* destination, int count);   // A8R3G3B2

// The converter writing a texture format (nullptr for A8R8G8B8, a plain copy, and for formats
// the images refuse); BytesPerTexel is 0 for refused formats.
TRowConverter RowConverterFor(int format);
int BytesPerTexel(int format);

}  // namespace marblix
