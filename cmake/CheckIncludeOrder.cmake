# Checks that every folder of the library includes only folders below it (or itself).
# The one planned exception: charts may include normalization/column_id.h, which itself
# includes tools/ alone. Every include directive counts, however it is indented or spaced and
# whichever brackets it uses; the library's headers are named from src/ with quotes.
set(levels platform 0 tools 1 reporting 2 files 3 setup 4 projects 4 equation 4 fielddata 5
           charts 5 normalization 6 zeroload 7 output 8 run 9 ui 10 plots 10 app 11
           gui 12)
function(level_of folder out)
    list(FIND levels "${folder}" index)
    math(EXPR parity "${index} % 2")
    if(index EQUAL -1 OR parity EQUAL 1)
        set(${out} -1 PARENT_SCOPE)
    else()
        math(EXPR next "${index} + 1")
        list(GET levels ${next} value)
        set(${out} ${value} PARENT_SCOPE)
    endif()
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.hpp
     ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.cc)
set(failures "")
foreach(file ${files})
    string(REGEX MATCH "^[^/]+" folder "${file}")
    level_of("${folder}" own)
    if(own EQUAL -1)
        string(APPEND failures "${file}: folder ${folder} has no place in the include order\n")
        continue()
    endif()
    set(column_id_parser FALSE)
    if(file STREQUAL "normalization/column_id.h" OR file STREQUAL "normalization/column_id.cpp")
        set(column_id_parser TRUE)
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} directives REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${directives})
        string(REGEX MATCH "[<\"]([^>\"]*)[>\"]" _ "${line}")
        set(included "${CMAKE_MATCH_1}")
        # A path that climbs or starts at "." hides the folder it reaches.
        if(included MATCHES "(^|/)\\.\\.?/")
            string(APPEND failures
                   "${file}: ${included} names a header by a relative path; name it from src/\n")
            continue()
        endif()
        if(NOT included MATCHES "^([^/]+)/(.+)$")
            continue()  # a header of the same folder, or of the standard library
        endif()
        set(target_folder "${CMAKE_MATCH_1}")
        set(target_file "${CMAKE_MATCH_2}")
        level_of("${target_folder}" theirs)
        if(theirs EQUAL -1)
            continue()  # not a folder of the library
        endif()
        if(line MATCHES "<")
            string(APPEND failures
                   "${file}: <${included}> is the library's own header; include it with quotes\n")
        endif()
        if(column_id_parser)
            if(NOT target_folder MATCHES "^(tools|platform)$" AND NOT included STREQUAL
                                                                   "normalization/column_id.h")
                string(APPEND failures "${file}: the column ID parser may include tools/ alone, "
                                       "not ${target_folder}/\n")
            endif()
            continue()
        endif()
        if(folder STREQUAL "charts" AND included STREQUAL "normalization/column_id.h")
            continue()
        endif()
        if(NOT target_folder STREQUAL folder AND NOT theirs LESS own)
            string(APPEND failures "${file}: ${folder}/ may not include ${target_folder}/\n")
        endif()
    endforeach()
endforeach()
if(failures)
    # Printed as it is (an error message would be re-wrapped), then the check fails.
    message("${failures}")
    message(FATAL_ERROR "Include order broken")
endif()
message(STATUS "Include order holds for ${SOURCE_DIR}")
