/* What the GUID file that widl writes needs from the Windows headers, for the
   registry-row generator built for the build machine. */
#pragma once
#include <stdint.h>

typedef struct {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;

#ifdef __cplusplus
#define EXTERN_C extern "C"
#else
#define EXTERN_C extern
#endif
#define DECLSPEC_SELECTANY
