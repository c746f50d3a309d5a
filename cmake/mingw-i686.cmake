# The 32-bit Windows build.
set(CMAKE_SYSTEM_PROCESSOR i686)
# SSE2 arithmetic keeps results bit-identical to the native build; x87 would round differently.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
