# 32-bit Windows: the shipped add-in (the host is a 32-bit program).
set(TAVIR_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include("${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake")
