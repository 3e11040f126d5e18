#pragma once
// The files the browser benchmarks work on, made by the harness itself in the
// temporary folder and removed afterwards.

#include <string>
#include <vector>

namespace qm::bench {

// A new, empty folder in the temporary folder (an old one of that name is
// removed first); empty on failure.
std::wstring FreshTempFolder(const std::wstring& name);

// Removes folder and everything in it.
void RemoveTree(const std::wstring& folder);

// Writes a 24-bit bottom-up Windows bitmap of width x height whose pixels
// depend on seed, a row at a time. False on failure.
bool WriteBitmap(const std::wstring& path, int width, int height, int seed);

// Bytes of the pixels of a 24-bit picture of that size, rows padded to 4 bytes.
unsigned long long PixelBytes24(int width, int height);

} // namespace qm::bench
