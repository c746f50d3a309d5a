# velastro_add_resources(<target> <rc-file>): gives <target> the program's compiled resources.
# Windows links the script's resources; elsewhere win32sim receives the same bytes at start-up.
#
# Include this file from the top-level CMakeLists.txt: enable_language(RC) only works at file
# scope of the directory that is common to every target using it.
#
# The resources go into an OBJECT library <target>_resources whose objects are linked straight
# into executables: a static archive would drop them, because nothing refers to their symbols.
# For a STATIC library <target> they are passed on to every executable that links it.

include_guard(GLOBAL)

set(VELASTRO_EMBED_BINARY_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/EmbedBinary.cmake")

# Resource inputs made at configure time: the manifest names the build's processor architecture,
# the version header carries the project version.
set(VELASTRO_GENERATED_RES_DIR "${CMAKE_BINARY_DIR}/generated/res")
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VELASTRO_MANIFEST_ARCH amd64)
else()
  set(VELASTRO_MANIFEST_ARCH x86)
endif()
configure_file("${PROJECT_SOURCE_DIR}/res/velastro.manifest.in"
               "${VELASTRO_GENERATED_RES_DIR}/velastro.manifest" @ONLY)

# The version records spell the project version as four numbers (1,2,0,0) and as text without
# trailing ".0" parts, down to major.minor ("1.2").
set(version_parts)
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number "${PROJECT_VERSION_${part}}")
  if(number STREQUAL "")
    set(number 0)
  endif()
  list(APPEND version_parts ${number})
endforeach()
list(JOIN version_parts "," VELASTRO_VERSION_NUMBERS)
list(JOIN version_parts "." VELASTRO_VERSION_TEXT)
while(VELASTRO_VERSION_TEXT MATCHES "^[0-9]+\\.[0-9]+(\\.[0-9]+)*\\.0$")
  string(REGEX REPLACE "\\.0$" "" VELASTRO_VERSION_TEXT "${VELASTRO_VERSION_TEXT}")
endwhile()
configure_file("${PROJECT_SOURCE_DIR}/res/velastro_version.h.in"
               "${VELASTRO_GENERATED_RES_DIR}/velastro_version.h" @ONLY)

if(WIN32)
  enable_language(RC)
else()
  find_program(VELASTRO_WINDRES NAMES i686-w64-mingw32-windres x86_64-w64-mingw32-windres windres
               DOC "windres that compiles the resource script for win32sim")
endif()

# Everything the script pulls in, so that editing any of it rebuilds the resources.
function(_velastro_resource_inputs rc_path out_var)
  get_filename_component(rc_dir "${rc_path}" DIRECTORY)
  file(GLOB inputs CONFIGURE_DEPENDS
       "${rc_dir}/*.h" "${rc_dir}/*.bmp" "${rc_dir}/*.ico" "${VELASTRO_GENERATED_RES_DIR}/*")
  set(${out_var} "${rc_path};${inputs}" PARENT_SCOPE)
endfunction()

function(_velastro_windows_resources target rc_path inputs)
  get_filename_component(rc_dir "${rc_path}" DIRECTORY)
  add_library(${target} OBJECT "${rc_path}")
  set_property(TARGET ${target} PROPERTY INCLUDE_DIRECTORIES "${rc_dir}" "${VELASTRO_GENERATED_RES_DIR}")
  set_property(SOURCE "${rc_path}" APPEND PROPERTY OBJECT_DEPENDS ${inputs})
endfunction()

function(_velastro_embedded_resources target rc_path inputs)
  if(NOT VELASTRO_WINDRES)
    message(FATAL_ERROR "velastro_add_resources: no windres found (install binutils-mingw-w64-i686)")
  endif()
  get_filename_component(rc_dir "${rc_path}" DIRECTORY)
  get_filename_component(rc_name "${rc_path}" NAME_WE)
  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  set(res_file "${out_dir}/${rc_name}.res")
  set(cpp_file "${out_dir}/${rc_name}_res.cpp")
  add_custom_command(
    OUTPUT "${res_file}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${out_dir}"
    COMMAND "${VELASTRO_WINDRES}" --input-format=rc -O res -I "${rc_dir}"
            -I "${VELASTRO_GENERATED_RES_DIR}" -i "${rc_path}"
            -o "${res_file}"
    DEPENDS ${inputs}
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)
  add_custom_command(
    OUTPUT "${cpp_file}"
    COMMAND "${CMAKE_COMMAND}" -DINPUT=${res_file} -DOUTPUT=${cpp_file}
            -P "${VELASTRO_EMBED_BINARY_SCRIPT}"
    DEPENDS "${res_file}" "${VELASTRO_EMBED_BINARY_SCRIPT}"
    COMMENT "Embedding ${rc_name}.res"
    VERBATIM)
  add_library(${target} OBJECT "${cpp_file}")
endfunction()

function(velastro_add_resources target rc_file)
  get_filename_component(rc_path "${rc_file}" ABSOLUTE)
  if(NOT EXISTS "${rc_path}")
    message(FATAL_ERROR "velastro_add_resources: ${rc_path} does not exist")
  endif()
  _velastro_resource_inputs("${rc_path}" inputs)
  set(resources ${target}_resources)
  if(WIN32)
    _velastro_windows_resources(${resources} "${rc_path}" "${inputs}")
  else()
    _velastro_embedded_resources(${resources} "${rc_path}" "${inputs}")
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "INTERFACE_LIBRARY")
    target_sources(${target} INTERFACE $<TARGET_OBJECTS:${resources}>)
    add_dependencies(${target} ${resources})
  else()
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${resources}>)
  endif()
endfunction()
