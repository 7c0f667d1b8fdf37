// The owners of the Windows handles the driver and the VISA library hold.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "UniqueAny.h"

namespace zew::handles {

namespace detail {
inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }
// A recording metafile DC that was never finished: its recording is thrown away.
inline void DiscardMetafileDc(HDC dc) { DeleteMetaFile(CloseMetaFile(dc)); }
}  // namespace detail

using UniqueHandle = UniqueAny<HANDLE, &CloseHandle>;
using UniqueHkey = UniqueAny<HKEY, &RegCloseKey>;
using UniqueModule = UniqueAny<HMODULE, &FreeLibrary>;
using UniqueBrush = UniqueAny<HBRUSH, &DeleteObject>;
using UniqueFont = UniqueAny<HFONT, &DeleteObject>;
using UniqueScreenDc = UniqueAny<HDC, &detail::ReleaseScreenDc>;
using UniqueMetafileDc = UniqueAny<HDC, &detail::DiscardMetafileDc>;
using UniqueMetafile = UniqueAny<HMETAFILE, &DeleteMetaFile>;
using UniqueGlobal = UniqueAny<HGLOBAL, &GlobalFree>;
using UniqueSocket = UniqueAny<SOCKET, &closesocket, INVALID_SOCKET>;

}  // namespace zew::handles
