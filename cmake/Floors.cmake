# Floors: each library of the source tree sees only the folders of src/ it is declared to use.
#
# tvx_floor(TARGET FOLDER [USES FOLDER...]) gives TARGET an include root of its own,
# <build>/floors/TARGET, holding links to src/FOLDER and to every folder it uses (directly or
# through the folders it uses), and links TARGET against their libraries. An #include of any other
# folder then fails to compile: a lower floor cannot reach up into a higher one. A folder below
# another (ui/headless) sees its parent's headers as well.

set(TVX_FLOORS_DIR ${CMAKE_BINARY_DIR}/floors)

function(tvx_floor target folder)
    cmake_parse_arguments(FLOOR "" "" "USES" ${ARGN})
    set(visible ${folder})
    foreach(used ${FLOOR_USES})
        get_property(below GLOBAL PROPERTY TVX_FLOOR_VISIBLE_${used})
        list(APPEND visible ${used} ${below})
    endforeach()
    list(REMOVE_DUPLICATES visible)
    set_property(GLOBAL PROPERTY TVX_FLOOR_VISIBLE_${folder} ${visible})
    set_property(GLOBAL PROPERTY TVX_FLOOR_TARGET_${folder} ${target})

    set(root ${TVX_FLOORS_DIR}/${target})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root})
    foreach(name ${visible})
        string(REGEX REPLACE "/.*" "" top ${name})
        if(NOT top STREQUAL name)
            if(top IN_LIST visible)
                continue() # the link of its parent folder shows it already
            endif()
            get_filename_component(parent ${root}/${name} DIRECTORY)
            file(MAKE_DIRECTORY ${parent})
        endif()
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
    foreach(used ${FLOOR_USES})
        get_property(usedTarget GLOBAL PROPERTY TVX_FLOOR_TARGET_${used})
        target_link_libraries(${target} PUBLIC ${usedTarget})
    endforeach()
endfunction()

# tvx_floor_library(FOLDER [USES FOLDER...]): the library tvx_FOLDER of every src/FOLDER/*.cpp, on
# its floor.
function(tvx_floor_library folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
    add_library(tvx_${folder} STATIC ${sources})
    tvx_floor(tvx_${folder} ${folder} ${ARGN})
endfunction()
