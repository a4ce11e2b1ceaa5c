# Run by `cmake --install` (and CPack): writes the two class registries of
# the installed tree by running the installed vatroreg on the installed
# library, then makes the library's path relative to each registry's folder.
#   <libdir>/velmora/registry.ini   the program's own, found from its folder
#   <sysconfdir>/xdg/vatro/registry.ini   the machine's, for every host
# Expects VELMORA_PRIVATE_DIR and VELMORA_BINDIR (relative to the prefix).

set(root "$ENV{DESTDIR}")
set(prefix "${CMAKE_INSTALL_PREFIX}")
if(prefix STREQUAL "/usr")
    set(xdg /etc/xdg)
else()
    set(xdg "${prefix}/etc/xdg")
endif()
set(library "${root}${prefix}/${VELMORA_PRIVATE_DIR}/libVatroOCX.so")
file(REAL_PATH "${library}" library_real)

foreach(registry "${prefix}/${VELMORA_PRIVATE_DIR}/registry.ini" "${xdg}/vatro/registry.ini")
    set(file "${root}${registry}")
    message(STATUS "Installing: ${file}")
    file(REMOVE "${file}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "VATRO_REGISTRY=${file}"
                "${root}${prefix}/${VELMORA_BINDIR}/vatroreg" "${library}"
        RESULT_VARIABLE failed OUTPUT_QUIET)
    if(failed)
        message(FATAL_ERROR "vatroreg could not write ${file}")
    endif()
    get_filename_component(folder "${registry}" DIRECTORY)
    file(RELATIVE_PATH relative "${folder}" "${prefix}/${VELMORA_PRIVATE_DIR}/libVatroOCX.so")
    file(READ "${file}" text)
    string(REPLACE "=${library_real}" "=${relative}" text "${text}")
    file(WRITE "${file}" "${text}")
    file(CHMOD "${file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(REMOVE "${file}.lock")
endforeach()
