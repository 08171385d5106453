# Run by CPack once it has made the packages: writes SHA256SUMS beside them, in the form that
# `sha256sum -c SHA256SUMS` checks, and prints the sizes it measures, which the README quotes.
function(print_size what bytes)
    math(EXPR kib "(${bytes} + 1023) / 1024")
    message(STATUS "${what}: ${kib} KiB")
endfunction()

set(sums "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    get_filename_component(name ${package} NAME)
    file(SHA256 ${package} sum)
    string(APPEND sums "${sum}  ${name}\n")
    file(SIZE ${package} bytes)
    print_size(${name} ${bytes})
    if(name MATCHES "\\.deb$")
        execute_process(COMMAND dpkg-deb -f ${package} Installed-Size OUTPUT_VARIABLE installed
                        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        message(STATUS "  installed size: ${installed} KiB (its files and folders)")
        execute_process(COMMAND dpkg-deb -c ${package} OUTPUT_VARIABLE listing
                        COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL "(^|\n)-[^ ]+ +[^ ]+ +[0-9]+" files "${listing}")
        set(total 0)
        foreach(file IN LISTS files)
            string(REGEX MATCH "[0-9]+$" bytes "${file}")
            math(EXPR total "${total} + ${bytes}")
        endforeach()
        print_size("  its files" ${total})
    endif()
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}")

file(GLOB_RECURSE programs ${CPACK_TOPLEVEL_DIRECTORY}/quicktock
     ${CPACK_TOPLEVEL_DIRECTORY}/Quicktock.exe)
foreach(program IN LISTS programs)
    file(SIZE ${program} bytes)
    print_size("  the program, stripped" ${bytes})
endforeach()
