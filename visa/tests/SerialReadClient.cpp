// For the serial port test: opens the resource named on the command line
// through VISA with a 10 s time-out, prints "open", waits for a line on its
// standard input (the test hangs the port up meanwhile), reads once and prints
//   read status=<status in hex> ms=<milliseconds the read took>
#include <windows.h>

#include <cstdio>

#include <zewvisa/VisaTypes.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zew-serial-read-client RESOURCE\n");
        return 2;
    }
    ViSession rm = 0, vi = 0;
    if (viOpenDefaultRM(&rm) < VI_SUCCESS || viOpen(rm, argv[1], 0, 10000, &vi) < VI_SUCCESS) {
        std::printf("no session\n");
        return 1;
    }
    viSetAttribute(vi, VI_ATTR_TMO_VALUE, 10000);
    std::printf("open\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin)) return 1;
    ViByte buffer[256];
    ViUInt32 count = 0;
    const ULONGLONG started = GetTickCount64();
    const ViStatus status = viRead(vi, buffer, sizeof buffer, &count);
    std::printf("read status=%08lX ms=%llu\n", static_cast<unsigned long>(status),
                static_cast<unsigned long long>(GetTickCount64() - started));
    viClose(rm);
    return 0;
}
