# Fails when velmora.qhp names a page that is not in the help folder, when a
# contents or index entry points to an anchor the page does not have, or when
# a page of the folder is missing from the file list (it would be left out of
# velmora.qch). Run with: cmake -DQHP=<velmora.qhp> -P check_pages.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT QHP OR NOT EXISTS "${QHP}")
    message(FATAL_ERROR "Help project not found: '${QHP}'")
endif()
get_filename_component(dir "${QHP}" DIRECTORY)
file(READ "${QHP}" project)

set(errors "")

# The file list.
string(REGEX MATCHALL "<file>[^<]*</file>" file_tags "${project}")
set(listed "")
foreach(tag IN LISTS file_tags)
    string(REGEX REPLACE "^<file>[ \t\r\n]*([^< \t\r\n]*)[ \t\r\n]*</file>$" "\\1" name "${tag}")
    list(APPEND listed "${name}")
    if(NOT EXISTS "${dir}/${name}")
        string(APPEND errors "  file '${name}' is listed but missing\n")
    endif()
endforeach()
if(NOT listed)
    string(APPEND errors "  the project lists no files\n")
endif()

# Contents and index references, with their anchors.
string(REGEX MATCHALL "ref=\"[^\"]*\"" refs "${project}")
list(REMOVE_DUPLICATES refs)
foreach(attr IN LISTS refs)
    string(REGEX REPLACE "^ref=\"([^\"]*)\"$" "\\1" target "${attr}")
    set(anchor "")
    string(FIND "${target}" "#" hash)
    if(hash EQUAL -1)
        set(page "${target}")
    else()
        string(SUBSTRING "${target}" 0 ${hash} page)
        math(EXPR after "${hash} + 1")
        string(SUBSTRING "${target}" ${after} -1 anchor)
    endif()
    if(NOT EXISTS "${dir}/${page}")
        string(APPEND errors "  page '${page}' is referred to but missing\n")
        continue()
    endif()
    if(NOT page IN_LIST listed)
        string(APPEND errors "  page '${page}' is referred to but not in the file list\n")
    endif()
    if(anchor)
        file(READ "${dir}/${page}" html)
        string(FIND "${html}" "id=\"${anchor}\"" at)
        if(at EQUAL -1)
            string(APPEND errors "  page '${page}' has no anchor '${anchor}'\n")
        endif()
    endif()
endforeach()

# Pages and pictures of the folder that the file list leaves out.
file(GLOB present RELATIVE "${dir}" "${dir}/*.html" "${dir}/*.css" "${dir}/*.png")
foreach(name IN LISTS present)
    if(NOT name IN_LIST listed)
        string(APPEND errors "  '${name}' is in the help folder but not in the file list\n")
    endif()
endforeach()

if(errors)
    message(FATAL_ERROR "The help project ${QHP} does not match its folder:\n${errors}")
endif()
