// Pictures of windows for the README: the screen's pixels of a window's
// rectangle, written as a BMP file. Under a virtual display without a window
// manager the picture has no title bar.
#pragma once

#include <windows.h>

#include <string>

namespace zew::tools {

// Writes the screen's pixels inside `window`'s rectangle to `path` as an
// uncompressed 24-bit BMP file; whatever covers the window is in the picture.
// Returns whether the whole file was written.
bool SaveWindowPicture(HWND window, const std::wstring& path);

}  // namespace zew::tools
