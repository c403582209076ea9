# Generates the program's skins at configure time.
#
#   kelvane_generate_skins(<output-dir>)
#
# Reads resources/skins/palettes.tsv and resources/skins/skin.qss.in and writes
# <output-dir>/N.skn (N = 1..48), the template with every @NAME@ token replaced
# by the matching palette column. A .skn file is only rewritten when its content
# changes, so reconfiguring is cheap and does not touch timestamps needlessly.
# <output-dir>/skin.txt (the selected skin, "1" CR LF) is created only when it
# does not exist yet, so the user's choice survives rebuilds.

set(KELVANE_SKIN_COUNT 48)

function(kelvane_generate_skins OUTPUT_DIR)
    set(skins_src "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources/skins")
    cmake_path(ABSOLUTE_PATH skins_src NORMALIZE)
    set(palette_file "${skins_src}/palettes.tsv")
    set(template_file "${skins_src}/skin.qss.in")

    if(DEFINED CMAKE_CURRENT_BINARY_DIR AND NOT "${CMAKE_CURRENT_BINARY_DIR}" STREQUAL "")
        set(base_dir "${CMAKE_CURRENT_BINARY_DIR}")
    else()
        set(base_dir "${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    cmake_path(ABSOLUTE_PATH OUTPUT_DIR BASE_DIRECTORY "${base_dir}" NORMALIZE)

    foreach(src IN ITEMS "${palette_file}" "${template_file}")
        if(NOT EXISTS "${src}")
            message(FATAL_ERROR "kelvane_generate_skins: missing skin source file ${src}")
        endif()
    endforeach()

    # Edits to either source re-run configure (not available in script mode).
    if(NOT CMAKE_SCRIPT_MODE_FILE)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
            "${palette_file}" "${template_file}")
    endif()

    file(READ "${template_file}" template)
    # The template's leading comment describes the template itself; drop it.
    string(REGEX MATCH "^[ \t\r\n]*/\\*" opening "${template}")
    if(opening)
        string(FIND "${template}" "*/" comment_end)
        if(comment_end GREATER 0)
            math(EXPR comment_end "${comment_end} + 2")
            string(SUBSTRING "${template}" ${comment_end} -1 template)
            string(REGEX REPLACE "^[\r\n]+" "" template "${template}")
        endif()
    endif()

    # file(STRINGS) yields one list item per line; none of the lines contain ';'.
    file(STRINGS "${palette_file}" palette_lines ENCODING UTF-8)

    set(names "")
    set(rows "")
    set(line_no 0)
    foreach(line IN LISTS palette_lines)
        math(EXPR line_no "${line_no} + 1")
        string(REPLACE "\r" "" line "${line}")
        if(line STREQUAL "")
            continue()
        endif()
        if(line MATCHES "^#")
            if(NOT names STREQUAL "")
                continue()  # later comment lines
            endif()
            string(REPLACE "\t" ";" header "${line}")
            list(LENGTH header header_len)
            if(header_len LESS 3)
                message(FATAL_ERROR
                    "kelvane_generate_skins: ${palette_file}:${line_no}: header must be "
                    "'#number<TAB>name<TAB>PLACEHOLDER...'")
            endif()
            list(SUBLIST header 2 -1 names)
            foreach(name IN LISTS names)
                if(NOT name MATCHES "^[A-Z][A-Z0-9_]*$")
                    message(FATAL_ERROR
                        "kelvane_generate_skins: ${palette_file}:${line_no}: "
                        "bad placeholder name '${name}' in header")
                endif()
            endforeach()
            continue()
        endif()
        if(names STREQUAL "")
            message(FATAL_ERROR
                "kelvane_generate_skins: ${palette_file}:${line_no}: data row before the header line")
        endif()
        string(REPLACE "\t" ";" fields "${line}")
        list(LENGTH fields field_count)
        if(NOT field_count EQUAL header_len)
            message(FATAL_ERROR
                "kelvane_generate_skins: ${palette_file}:${line_no}: row has ${field_count} "
                "columns, expected ${header_len} (number, name and one colour per placeholder)")
        endif()
        list(APPEND rows "${line_no}")
        set(row_${line_no} "${fields}")
    endforeach()

    list(LENGTH rows row_count)
    if(NOT row_count EQUAL KELVANE_SKIN_COUNT)
        message(FATAL_ERROR
            "kelvane_generate_skins: ${palette_file} has ${row_count} palette rows, "
            "expected exactly ${KELVANE_SKIN_COUNT}")
    endif()

    file(MAKE_DIRECTORY "${OUTPUT_DIR}")

    set(expected 0)
    foreach(line_no IN LISTS rows)
        math(EXPR expected "${expected} + 1")
        set(fields "${row_${line_no}}")
        list(GET fields 0 number)
        list(GET fields 1 skin_name)
        if(NOT number STREQUAL "${expected}")
            message(FATAL_ERROR
                "kelvane_generate_skins: ${palette_file}:${line_no}: skin number '${number}', "
                "expected ${expected} (rows must be numbered 1..${KELVANE_SKIN_COUNT} in order)")
        endif()
        list(SUBLIST fields 2 -1 colours)

        set(content "${template}")
        foreach(name colour IN ZIP_LISTS names colours)
            if(NOT colour MATCHES "^#[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$")
                message(FATAL_ERROR
                    "kelvane_generate_skins: ${palette_file}:${line_no}: ${name} = '${colour}' "
                    "is not a #rrggbb colour")
            endif()
            string(REPLACE "@${name}@" "${colour}" content "${content}")
        endforeach()

        string(REGEX MATCH "@[A-Za-z0-9_]+@" leftover "${content}")
        if(leftover)
            message(FATAL_ERROR
                "kelvane_generate_skins: ${template_file} uses ${leftover}, "
                "which has no column in ${palette_file}")
        endif()

        string(PREPEND content "/* Kelvane skin ${number}: ${skin_name} */\n\n")
        set(out "${OUTPUT_DIR}/${number}.skn")
        set(old "")
        if(EXISTS "${out}")
            file(READ "${out}" old)
        endif()
        if(NOT old STREQUAL content)
            file(WRITE "${out}" "${content}")
        endif()
    endforeach()

    if(NOT EXISTS "${OUTPUT_DIR}/skin.txt")
        file(WRITE "${OUTPUT_DIR}/skin.txt" "1\r\n")
    endif()
endfunction()
