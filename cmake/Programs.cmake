# The programs for Windows: each with its own icon, common-controls manifest and version record,
# copied into the one program folder image <build>/image beside the data files.
#
# tvx_program(NAME VERSION x.y DESCRIPTION text ICON cleaner|fixtool [CONSOLE] SOURCES file...) makes
# the program NAME.exe, a GUI program unless CONSOLE is given; the caller links it against its
# libraries.
enable_language(RC)
find_program(TVX_PYTHON python3 REQUIRED)

set(TVX_IMAGE_DIR ${CMAKE_BINARY_DIR}/image)
set(TVX_PROGRAM_TEMPLATES ${CMAKE_CURRENT_LIST_DIR}/program)

function(tvx_program name)
    cmake_parse_arguments(PROGRAM "CONSOLE" "VERSION;DESCRIPTION;ICON" "SOURCES" ${ARGN})
    set(TVX_PROGRAM ${name})
    set(TVX_VERSION ${PROGRAM_VERSION})
    string(REPLACE "." "," TVX_VERSION_COMMAS ${PROGRAM_VERSION})
    set(TVX_DESCRIPTION ${PROGRAM_DESCRIPTION})
    set(TVX_ICON ${CMAKE_CURRENT_BINARY_DIR}/${name}.ico)
    add_custom_command(OUTPUT ${TVX_ICON}
        COMMAND ${TVX_PYTHON} ${TVX_PROGRAM_TEMPLATES}/make_icon.py ${TVX_ICON} ${PROGRAM_ICON}
        DEPENDS ${TVX_PROGRAM_TEMPLATES}/make_icon.py
        COMMENT "Drawing the icon of ${name}")
    set(TVX_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
    configure_file(${TVX_PROGRAM_TEMPLATES}/Program.manifest.in ${TVX_MANIFEST} @ONLY)
    configure_file(${TVX_PROGRAM_TEMPLATES}/Program.rc.in
        ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc @ONLY)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}.rc PROPERTIES
        OBJECT_DEPENDS "${TVX_ICON};${TVX_MANIFEST}")
    set(subsystem WIN32)
    if(PROGRAM_CONSOLE)
        set(subsystem "")
    endif()
    add_executable(${name} ${subsystem} ${PROGRAM_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
    target_compile_definitions(${name} PRIVATE WINVER=0x0501 _WIN32_WINNT=0x0501
        WIN32_LEAN_AND_MEAN)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    add_custom_command(TARGET ${name} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TVX_IMAGE_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${name}> ${TVX_IMAGE_DIR}/)
endfunction()
