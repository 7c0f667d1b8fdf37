// The VISA check: whether a VISA library is installed where the driver looks
// for one.
#pragma once

namespace zew::setup {

// Whether a VISA library the driver of this architecture loads (VISA32.DLL;
// on 64-bit also visa64.dll) is in the system folder, where VISA is
// installed; a file of that name beside Setup.exe or in the current folder does
// not count. The file is mapped as data, so none of its code runs, and
// unmapped again at once.
bool VisaLibraryPresent();

}  // namespace zew::setup
