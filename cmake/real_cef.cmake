# Builds the program against a CEF 99 (branch 4844) binary distribution in
# CEF_ROOT, with the distribution's own CMake helpers and its
# libcef_dll_wrapper. The engine's libraries and resources go into
# lib/lumenos-repair, where the executable's RPATH finds them.

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()
# The distribution has libcef.so for these two build types only.
if(NOT CMAKE_BUILD_TYPE MATCHES "^(Debug|Release)$")
  message(FATAL_ERROR
    "CMAKE_BUILD_TYPE is '${CMAKE_BUILD_TYPE}': a build against a CEF "
    "distribution (CEF_ROOT) takes Debug or Release only, the two builds of "
    "libcef.so that a distribution ships.")
endif()

list(APPEND CMAKE_MODULE_PATH "${CEF_ROOT}/cmake")
find_package(CEF REQUIRED)

add_subdirectory(${CEF_LIBCEF_DLL_WRAPPER_PATH} libcef_dll_wrapper)

# The program is built with exceptions: the embedded store reports a missing
# file with one, caught before it can reach the engine. Only the wrapper
# gets CEF's own compiler flags.
add_library(cef_engine INTERFACE)
target_include_directories(cef_engine INTERFACE "${CEF_INCLUDE_PATH}")
target_link_libraries(cef_engine INTERFACE
  libcef_dll_wrapper "${CEF_BINARY_DIR}/libcef.so" ${CEF_STANDARD_LIBS})

set(LUMENOS_ENGINE_DIR "${CMAKE_BINARY_DIR}/lib/lumenos-repair")
add_custom_target(cef_engine_files ALL
  COMMENT "Copying the engine's libraries and resources")
COPY_FILES(cef_engine_files "${CEF_BINARY_FILES}" "${CEF_BINARY_DIR}"
           "${LUMENOS_ENGINE_DIR}")
COPY_FILES(cef_engine_files "${CEF_RESOURCE_FILES}" "${CEF_RESOURCE_DIR}"
           "${LUMENOS_ENGINE_DIR}")

install(DIRECTORY "${LUMENOS_ENGINE_DIR}/" DESTINATION lib/lumenos-repair
        USE_SOURCE_PERMISSIONS)
