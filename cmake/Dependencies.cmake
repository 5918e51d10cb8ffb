# Third-party code, built from the sources the set-up script fetched or Debian installed.

# TinyXML from Debian's patched source package, built the way Debian builds it (with STL).
set(TINYXML_DIR ${DEPS_DIR}/tinyxml)
if(NOT EXISTS ${TINYXML_DIR}/tinyxml.h)
    message(FATAL_ERROR "TinyXML source missing in ${TINYXML_DIR}: run scripts/setup.sh")
endif()
add_library(tinyxml STATIC
    ${TINYXML_DIR}/tinyxml.cpp ${TINYXML_DIR}/tinystr.cpp
    ${TINYXML_DIR}/tinyxmlerror.cpp ${TINYXML_DIR}/tinyxmlparser.cpp)
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
target_include_directories(tinyxml SYSTEM PUBLIC ${TINYXML_DIR})
target_compile_options(tinyxml PRIVATE -w)

# GoogleTest / GoogleMock from Debian's source, cross-compiled with the project.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
