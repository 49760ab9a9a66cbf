# Configures a copy of the source tree with one name misspelt, and expects the configuration
# to fail with an error that names it: a build that takes a wrong name in silence loses what
# the name stood for without a word.
#
#   cmake -DSOURCE=<tree> -DWORK=<folder> -DGENERATOR=<generator> [-DTOOLCHAIN=<file>]
#         -DFILE=<file> -DFROM=<text> -DTO=<text> [-DRENAME=ON] -DNAMED=<text>
#         -P MisspeltName.cmake
#
# FROM becomes TO in FILE; with RENAME, FILE is renamed to TO instead. FILE, TO and TOOLCHAIN
# are relative to the tree. NAMED is what an error of the configuration must say.
cmake_minimum_required(VERSION 3.25)

set(copy ${WORK}/source)
file(REMOVE_RECURSE ${WORK})
# The tree without its builds and what no configuration reads.
file(COPY ${SOURCE}/ DESTINATION ${copy}
     REGEX "/(\\.git|build(-[^/]*)?|docs|editors|corpus)$" EXCLUDE)

if(RENAME)
    if(NOT EXISTS ${copy}/${FILE})
        message(FATAL_ERROR "no ${FILE} to rename")
    endif()
    file(RENAME ${copy}/${FILE} ${copy}/${TO})
else()
    file(READ ${copy}/${FILE} text)
    string(FIND "${text}" "${FROM}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${FILE} holds no \"${FROM}\" to misspell")
    endif()
    string(REPLACE "${FROM}" "${TO}" text "${text}")
    file(WRITE ${copy}/${FILE} "${text}")
endif()

set(configure ${CMAKE_COMMAND} -S ${copy} -B ${WORK}/build -G ${GENERATOR})
if(TOOLCHAIN)
    list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${copy}/${TOOLCHAIN})
endif()
execute_process(COMMAND ${configure} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
file(REMOVE_RECURSE ${WORK})
if(status EQUAL 0)
    message(FATAL_ERROR "the configuration went through with ${TO} for ${FROM} in ${FILE}")
endif()
# CMake wraps the lines of its messages.
string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
string(FIND "${errors}" "${NAMED}" named)
if(named EQUAL -1)
    message(FATAL_ERROR "the configuration failed without naming \"${NAMED}\":\n${errors}")
endif()
