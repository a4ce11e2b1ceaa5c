# Fails when a source file includes a project header that belongs to a higher
# layer than its own. Called with LAYERS (lowest first), one variable per
# layer holding its source list (paths relative to ROOT), and STAMP, the file
# written when every include points down.

set(rank 0)
foreach(layer IN LISTS LAYERS)
    foreach(file IN LISTS ${layer})
        set(rank_of_${file} ${rank})
        set(layer_of_${file} ${layer})
    endforeach()
    math(EXPR rank "${rank} + 1")
endforeach()

set(errors "")
foreach(layer IN LISTS LAYERS)
    foreach(file IN LISTS ${layer})
        file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
            if(NOT DEFINED rank_of_${header})
                continue() # generated or outside the layers (moc, version.h)
            endif()
            if(rank_of_${header} GREATER rank_of_${file})
                string(APPEND errors "  ${file} (${layer}) includes ${header} (${layer_of_${header}})\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(errors)
    message(FATAL_ERROR "Includes must point down the layers:\n${errors}")
endif()
file(WRITE "${STAMP}" "")
