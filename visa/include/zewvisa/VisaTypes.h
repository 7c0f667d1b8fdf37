// Types, status codes and attributes of the VISA instrument I/O library, and
// the functions the stand-in VISA32.DLL exports. Values are those of the
// published VISA standard.
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define ZV_FUNC __stdcall
#else
#define ZV_FUNC
#endif

typedef uint32_t ViUInt32;
typedef int32_t ViInt32;
typedef uint16_t ViUInt16;
typedef int16_t ViInt16;
typedef unsigned char ViUInt8;
typedef char ViChar;
typedef unsigned char ViByte;
typedef ViUInt16 ViBoolean;
typedef double ViReal64;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViUInt32 ViAttr;
typedef ViUInt32 ViAccessMode;
typedef ViUInt32 ViJobId;
typedef ViUInt32 ViVersion;
typedef ViUInt16 ViEventType;
#if defined(_WIN64) || defined(__x86_64__)
typedef uint64_t ViAttrState;
#else
typedef ViUInt32 ViAttrState;
#endif
typedef ViSession* ViPSession;
typedef ViUInt32* ViPUInt32;
typedef ViUInt16* ViPUInt16;
typedef ViJobId* ViPJobId;
typedef ViByte* ViBuf;
typedef ViByte* ViPBuf;
typedef const ViByte* ViConstBuf;
typedef const ViChar* ViConstRsrc;
typedef ViChar* ViRsrc;
typedef ViChar* ViString;

#define VI_NULL 0
#define VI_TRUE ((ViBoolean)1)
#define VI_FALSE ((ViBoolean)0)
#define VI_TMO_IMMEDIATE 0UL
#define VI_TMO_INFINITE 0xFFFFFFFFUL

// Completion codes.
#define VI_SUCCESS ((ViStatus)0)
#define VI_SUCCESS_TERM_CHAR ((ViStatus)0x3FFF0005L)
#define VI_SUCCESS_MAX_CNT ((ViStatus)0x3FFF0006L)
#define VI_SUCCESS_SYNC ((ViStatus)0x3FFF009BL)

// Error codes.
#define VI_ERROR_SYSTEM_ERROR ((ViStatus)0xBFFF0000L)
#define VI_ERROR_INV_OBJECT ((ViStatus)0xBFFF000EL)
#define VI_ERROR_RSRC_NFOUND ((ViStatus)0xBFFF0011L)
#define VI_ERROR_INV_RSRC_NAME ((ViStatus)0xBFFF0012L)
#define VI_ERROR_INV_ACC_MODE ((ViStatus)0xBFFF0013L)
#define VI_ERROR_TMO ((ViStatus)0xBFFF0015L)
#define VI_ERROR_NSUP_ATTR ((ViStatus)0xBFFF001DL)
#define VI_ERROR_NSUP_ATTR_STATE ((ViStatus)0xBFFF001EL)
#define VI_ERROR_ATTR_READONLY ((ViStatus)0xBFFF001FL)
#define VI_ERROR_INV_SETUP ((ViStatus)0xBFFF003AL)
#define VI_ERROR_IO ((ViStatus)0xBFFF003EL)
#define VI_ERROR_INV_MASK ((ViStatus)0xBFFF003DL)
#define VI_ERROR_NSUP_OPER ((ViStatus)0xBFFF0067L)
#define VI_ERROR_USER_BUF ((ViStatus)0xBFFF0071L)
#define VI_ERROR_INV_PARAMETER ((ViStatus)0xBFFF0078L)
#define VI_ERROR_INV_PROT ((ViStatus)0xBFFF0079L)
#define VI_ERROR_INV_MODE ((ViStatus)0xBFFF0091L)
#define VI_ERROR_CONN_LOST ((ViStatus)0xBFFF00A6L)

// Attributes.
#define VI_ATTR_RSRC_NAME 0xBFFF0002UL
#define VI_ATTR_RSRC_IMPL_VERSION 0x3FFF0003UL
#define VI_ATTR_RSRC_SPEC_VERSION 0x3FFF0170UL
#define VI_ATTR_RSRC_MANF_NAME 0xBFFF0174UL
#define VI_ATTR_RSRC_MANF_ID 0x3FFF0175UL
#define VI_ATTR_INTF_TYPE 0x3FFF0171UL
#define VI_ATTR_INTF_NUM 0x3FFF0176UL
#define VI_ATTR_SEND_END_EN 0x3FFF0016UL
#define VI_ATTR_TERMCHAR 0x3FFF0018UL
#define VI_ATTR_TMO_VALUE 0x3FFF001AUL
#define VI_ATTR_GPIB_READDR_EN 0x3FFF001BUL
#define VI_ATTR_IO_PROT 0x3FFF001CUL
#define VI_ATTR_ASRL_BAUD 0x3FFF0021UL
#define VI_ATTR_ASRL_DATA_BITS 0x3FFF0022UL
#define VI_ATTR_ASRL_PARITY 0x3FFF0023UL
#define VI_ATTR_ASRL_STOP_BITS 0x3FFF0024UL
#define VI_ATTR_ASRL_FLOW_CNTRL 0x3FFF0025UL
#define VI_ATTR_TERMCHAR_EN 0x3FFF0038UL
#define VI_ATTR_GPIB_PRIMARY_ADDR 0x3FFF0172UL
#define VI_ATTR_GPIB_SECONDARY_ADDR 0x3FFF0173UL
#define VI_ATTR_TCPIP_ADDR 0xBFFF0195UL
#define VI_ATTR_TCPIP_PORT 0x3FFF0197UL

// Interface types.
#define VI_INTF_GPIB 1
#define VI_INTF_VXI 2
#define VI_INTF_ASRL 4
#define VI_INTF_TCPIP 6

#define VI_PROT_NORMAL 1
#define VI_PROT_4882_STRS 4
#define VI_ASRL_STOP_ONE 10
#define VI_ASRL_STOP_ONE5 15
#define VI_ASRL_STOP_TWO 20
#define VI_ASRL_PAR_NONE 0
#define VI_ASRL_PAR_SPACE 4
#define VI_ASRL_FLOW_NONE 0
#define VI_ASRL_FLOW_XON_XOFF 1
#define VI_NO_SEC_ADDR 0xFFFF

#define VI_READ_BUF 1
#define VI_WRITE_BUF 2
#define VI_READ_BUF_DISCARD 4
#define VI_WRITE_BUF_DISCARD 8
#define VI_IO_IN_BUF 16
#define VI_IO_OUT_BUF 32
#define VI_IO_IN_BUF_DISCARD 64
#define VI_IO_OUT_BUF_DISCARD 128

#define VI_TRIG_PROT_DEFAULT 0

#ifdef __cplusplus
extern "C" {
#endif

ViStatus ZV_FUNC viOpenDefaultRM(ViPSession vi);
ViStatus ZV_FUNC viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout, ViPSession vi);
ViStatus ZV_FUNC viClose(ViObject vi);
ViStatus ZV_FUNC viGetAttribute(ViObject vi, ViAttr attribute, void* value);
ViStatus ZV_FUNC viSetAttribute(ViObject vi, ViAttr attribute, ViAttrState value);
ViStatus ZV_FUNC viRead(ViSession vi, ViPBuf buf, ViUInt32 count, ViPUInt32 retCount);
ViStatus ZV_FUNC viReadAsync(ViSession vi, ViPBuf buf, ViUInt32 count, ViPJobId jobId);
ViStatus ZV_FUNC viWrite(ViSession vi, ViConstBuf buf, ViUInt32 count, ViPUInt32 retCount);
ViStatus ZV_FUNC viWriteAsync(ViSession vi, ViConstBuf buf, ViUInt32 count, ViPJobId jobId);
ViStatus ZV_FUNC viAssertTrigger(ViSession vi, ViUInt16 protocol);
ViStatus ZV_FUNC viReadSTB(ViSession vi, ViPUInt16 status);
ViStatus ZV_FUNC viClear(ViSession vi);
ViStatus ZV_FUNC viSetBuf(ViSession vi, ViUInt16 mask, ViUInt32 size);
ViStatus ZV_FUNC viFlush(ViSession vi, ViUInt16 mask);
ViStatus ZV_FUNC viGpibControlREN(ViSession vi, ViUInt16 mode);

#ifdef __cplusplus
}
#endif
