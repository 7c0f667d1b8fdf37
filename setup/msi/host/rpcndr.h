/* Empty: see rpc.h beside it. */
#pragma once
