// The screen's pixels of a window's rectangle as a BMP file.
#include "WindowPicture.h"

#include <cstdio>
#include <memory>
#include <type_traits>

namespace zew::tools {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() { DeleteDC(dc); }
};
struct Selection {
    HDC dc;
    HGDIOBJ old;
    Selection(HDC into, HGDIOBJ object) : dc(into), old(SelectObject(into, object)) {}
    ~Selection() { SelectObject(dc, old); }
};
struct ObjectDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& path) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter> bitmap(
        CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    {
        Selection selected(memory.dc, bitmap.get());
        BitBlt(memory.dc, 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
        GdiFlush();
    }
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(height);
    constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, kHeaders + size, 0, 0, kHeaders};
    info.bmiHeader.biSizeImage = size;
    std::unique_ptr<FILE, FileCloser> out(_wfopen(path.c_str(), L"wb"));
    if (!out) return false;
    return fwrite(&file, sizeof file, 1, out.get()) == 1 &&
           fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 && fwrite(bits, size, 1, out.get()) == 1;
}

}  // namespace zew::tools
