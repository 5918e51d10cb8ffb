# Compiler and linker settings shared by every target of the project.
add_library(project_options INTERFACE)
target_compile_definitions(project_options INTERFACE
    UNICODE _UNICODE NOMINMAX STRICT _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_compile_options(project_options INTERFACE -Wall -Wextra)
# One self-contained executable: no MinGW runtime DLLs to ship beside it.
target_link_options(project_options INTERFACE -static -static-libgcc -static-libstdc++)
target_include_directories(project_options INTERFACE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)

set(WINDOWS_LIBS gdiplus msimg32 comctl32 ole32 oleaut32 uuid shell32 shlwapi advapi32 gdi32 user32)
