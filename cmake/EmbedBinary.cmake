# Turns a compiled resource file into C++ source that hands its bytes to win32sim at start-up.
# Usage: cmake -DINPUT=<file.res> -DOUTPUT=<file.cpp> -P EmbedBinary.cmake

if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT)
  message(FATAL_ERROR "EmbedBinary.cmake needs -DINPUT=<binary> and -DOUTPUT=<source>")
endif()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "EmbedBinary.cmake: ${INPUT} is empty")
endif()

# Sixteen bytes per line keeps the generated file readable; CMake's regex has no {n} counts.
string(REPEAT "[0-9a-f]" 32 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n    " hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
get_filename_component(input_name "${INPUT}" NAME)

file(WRITE "${OUTPUT}.tmp" "\
// Generated from ${input_name} by EmbedBinary.cmake; edit the resource script, not this file.
#include <cstddef>

void SimRegisterResources(const void* pData, std::size_t nSize);

namespace {

static const unsigned char kData[] = {
    ${bytes}
};

// Registers during static initialisation, so the resources exist before any window does.
struct CResourceRegistrar {
    CResourceRegistrar() { SimRegisterResources(kData, sizeof kData); }
};

const CResourceRegistrar g_registrar;

}  // namespace
")
# Only a changed file is replaced, so an unchanged .res does not recompile its users.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
