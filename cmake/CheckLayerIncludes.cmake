# Each target may include its own headers and those of the targets it links: its direct links,
# and what they link publicly. A header of any other target of the tree is a fault, and so is a
# header of the tree that no target lists: every target sees the whole tree as its include folder
# (the "layer/File.h" style), so without this check nothing would notice either.
#
# quicktock_check_layer_includes() runs at the end of the configuration. It writes down which
# target owns which header and which targets each may include from, and adds a step that every
# target of the tree waits for: this file run as a script, which reads the sources' includes
# again whenever one changes and fails the build on a fault.

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_policy(VERSION 3.25)
    include(${LAYERS})  # quicktock_targets; sources_, reachable_ of each; owner_ of each header
    set(faults)
    foreach(target IN LISTS quicktock_targets)
        foreach(source IN LISTS sources_${target})
            file(STRINGS ${ROOT}/${source} includes REGEX "^#include \"")
            foreach(line IN LISTS includes)
                string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
                set(owners "${owner_${header}}")  # a header may be listed by several targets
                set(foreign "${owners}")
                list(REMOVE_ITEM foreign ${reachable_${target}})
                if(owners AND foreign STREQUAL owners)
                    list(APPEND faults "${source} (${target}) includes ${header} of ${owners}")
                elseif(NOT owners AND EXISTS ${ROOT}/${header})
                    list(APPEND faults "${source} (${target}) includes ${header}, which no target lists")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(faults)
        list(JOIN faults "\n  " text)
        message(FATAL_ERROR "Includes that the build does not declare:\n  ${text}")
    endif()
    file(TOUCH ${STAMP})
    return()
endif()

function(_quicktock_targets_in directory out)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${subdirectory} ours)  # not GoogleTest's sources
        if(ours)
            _quicktock_targets_in(${subdirectory} more)
            list(APPEND targets ${more})
        endif()
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The project targets whose headers a target may include: itself, its direct links, and what
# those link publicly, transitively. A private link of a library is no part of its interface.
function(_quicktock_reachable target projectTargets out)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(pending ${target} INTERFACE_LINK_LIBRARIES)
    else()
        get_target_property(pending ${target} LINK_LIBRARIES)
    endif()
    set(reached ${target})
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST projectTargets AND NOT current IN_LIST reached)
            list(APPEND reached ${current})
            get_target_property(public ${current} INTERFACE_LINK_LIBRARIES)
            if(public)
                list(APPEND pending ${public})
            endif()
        endif()
    endwhile()
    set(${out} ${reached} PARENT_SCOPE)
endfunction()

function(quicktock_check_layer_includes)
    _quicktock_targets_in(${PROJECT_SOURCE_DIR} projectTargets)
    set(checked)
    set(layers "set(quicktock_targets \"${projectTargets}\")\n")
    foreach(target IN LISTS projectTargets)
        _quicktock_reachable(${target} "${projectTargets}" reachable)
        string(APPEND layers "set(reachable_${target} \"${reachable}\")\n")
        get_target_property(sources ${target} SOURCES)
        get_target_property(folder ${target} SOURCE_DIR)
        set(scanned)
        foreach(source IN LISTS sources)
            if(NOT source MATCHES "\\.(h|cpp)$" OR source MATCHES "^\\$<")
                continue()
            endif()
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder} NORMALIZE)
            # A header generated into the build folder is included by its place there.
            cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${source} generated)
            if(generated)
                cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${PROJECT_BINARY_DIR})
            else()
                list(APPEND checked ${source})
                cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
                list(APPEND scanned ${source})
            endif()
            if(source MATCHES "\\.h$")
                string(APPEND layers "list(APPEND \"owner_${source}\" ${target})\n")
            endif()
        endforeach()
        string(APPEND layers "set(sources_${target} \"${scanned}\")\n")
    endforeach()

    set(data ${PROJECT_BINARY_DIR}/quicktock_layers.cmake)
    file(CONFIGURE OUTPUT ${data} CONTENT "${layers}" @ONLY)
    set(stamp ${PROJECT_BINARY_DIR}/quicktock_layers.checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -D LAYERS=${data} -D ROOT=${PROJECT_SOURCE_DIR} -D STAMP=${stamp}
                -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        DEPENDS ${data} ${checked} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        COMMENT "Checking that each target includes only the layers it links"
        VERBATIM)
    add_custom_target(quicktock_layer_includes ALL DEPENDS ${stamp})
    foreach(target IN LISTS projectTargets)
        get_target_property(type ${target} TYPE)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            add_dependencies(${target} quicktock_layer_includes)
        endif()
    endforeach()
endfunction()
