# Shared part of the MinGW-w64 toolchains. The -posix compilers carry the
# POSIX thread model that std::thread and std::mutex need.
set(CMAKE_C_COMPILER ${ZEW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEW_MINGW_TRIPLE}-windres)
set(ZEW_WIDL ${ZEW_MINGW_TRIPLE}-widl)
set(CMAKE_FIND_ROOT_PATH /usr/${ZEW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
