# Feeds the include-order check small source trees, good and bad, and fails when it passes a
# bad tree or refuses a good one. Run with -DWORK_DIR=<empty scratch folder>.
set(checker ${CMAKE_CURRENT_LIST_DIR}/CheckIncludeOrder.cmake)
set(failures "")

# check_tree(<name> <expected: "holds" or a text of the failure> <file> <content> ...)
function(check_tree name expected)
    set(root ${WORK_DIR}/${name})
    file(REMOVE_RECURSE ${root})
    set(pairs ${ARGN})
    while(pairs)
        list(POP_FRONT pairs path content)
        file(WRITE ${root}/${path} "${content}\n")
    endwhile()
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root} -P ${checker}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(expected STREQUAL "holds")
        if(NOT result EQUAL 0)
            string(APPEND failures "${name}: a good tree was refused:\n${out}\n")
        endif()
    elseif(result EQUAL 0)
        string(APPEND failures "${name}: a bad tree passed (expected \"${expected}\")\n")
    else()
        string(FIND "${out}" "${expected}" at)
        if(at EQUAL -1)
            string(APPEND failures "${name}: refused, but without \"${expected}\":\n${out}\n")
        endif()
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

check_tree(downward holds
    tools/a.h "#include \"platform/file_system.h\"\n#include <vector>"
    run/b.cpp "#include \"charts/chart_lookup.h\"\n#include \"run/b.h\"\n#include <sys/stat.h>")
check_tree(column_id_exception holds
    charts/a.cpp "#include \"normalization/column_id.h\""
    normalization/column_id.h "#include \"tools/line_split.h\"")
check_tree(upward "tools/a.cpp: tools/ may not include run/"
    tools/a.cpp "#include \"run/program.h\"")
check_tree(relative_path "tools/a.cpp: ../run/program.h names a header by a relative path"
    tools/a.cpp "#include \"../run/program.h\"")
check_tree(climbing_inside "tools/a.cpp: tools/../run/program.h names a header by a relative"
    tools/a.cpp "#include \"tools/../run/program.h\"")
check_tree(indented "tools/a.cpp: tools/ may not include run/"
    tools/a.cpp "#include <string>\n    #include \"run/program.h\"")
check_tree(spaced "tools/a.cpp: tools/ may not include run/"
    tools/a.cpp "#  include \"run/program.h\"")
check_tree(angle_brackets "tools/a.cpp: tools/ may not include run/"
    tools/a.cpp "#include <run/program.h>")
check_tree(angle_brackets_same_level "tools/a.cpp: <tools/errors.h> is the library's own header"
    tools/a.cpp "#include <tools/errors.h>")
check_tree(column_id_reaches_up "the column ID parser may include tools/ alone, not reporting/"
    normalization/column_id.h "#include \"reporting/reporter.h\"")
check_tree(unknown_folder "gadgets/a.cpp: folder gadgets has no place in the include order"
    gadgets/a.cpp "#include \"tools/errors.h\"")
check_tree(header_file "platform/a.h: platform/ may not include files/"
    platform/a.h "#pragma once\n#include \"files/paths.h\"")

if(failures)
    message(FATAL_ERROR "The include-order check is wrong:\n${failures}")
endif()
message(STATUS "The include-order check refuses every bad tree and passes the good ones")
