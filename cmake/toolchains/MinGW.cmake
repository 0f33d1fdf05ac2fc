# Shared part of the MinGW-w64 cross toolchains; the per-target files set
# TAVIR_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR before including it.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix compiler variants come with std::thread and std::mutex
# (winpthreads); the plain ones do not, so prefer them where installed.
find_program(TAVIR_MINGW_CC NAMES ${TAVIR_MINGW_TRIPLE}-gcc-posix ${TAVIR_MINGW_TRIPLE}-gcc REQUIRED)
find_program(TAVIR_MINGW_CXX NAMES ${TAVIR_MINGW_TRIPLE}-g++-posix ${TAVIR_MINGW_TRIPLE}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${TAVIR_MINGW_CC})
set(CMAKE_CXX_COMPILER ${TAVIR_MINGW_CXX})
find_program(CMAKE_RC_COMPILER NAMES ${TAVIR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVIR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
