# Puts the shipped data files next to the executable without losing the user's own. The program
# keeps its lists in its own folder and its editors save them there (city_db.txt, dst_types.txt,
# dict.txt), so a plain copy on every build would throw away the places a user added. A file is
# replaced only while it is still the copy shipped last time (kept in .shipped/); a file the user
# changed stays as it is, and the build says that a newer shipped one is waiting in resources/.
# Usage: cmake -DSOURCE=<resources folder> -DTARGET=<program folder> -P copy_resources.cmake
file(GLOB names RELATIVE "${SOURCE}" "${SOURCE}/*")
file(MAKE_DIRECTORY "${TARGET}/.shipped")
foreach(name IN LISTS names)
    set(shipped "${SOURCE}/${name}")
    set(target "${TARGET}/${name}")
    set(record "${TARGET}/.shipped/${name}")
    if(IS_DIRECTORY "${shipped}")
        continue()
    endif()
    file(SHA256 "${shipped}" new)
    set(last "")
    if(EXISTS "${record}")
        file(SHA256 "${record}" last)
    endif()
    if(EXISTS "${target}")
        file(SHA256 "${target}" now)
        if(NOT now STREQUAL new AND now STREQUAL last)
            file(COPY_FILE "${shipped}" "${target}")
        elseif(NOT now STREQUAL new)
            message(STATUS "${target} holds changes of your own and is kept; to take the shipped "
                           "${name} instead, copy ${shipped} over it")
            continue()
        endif()
    else()
        file(COPY_FILE "${shipped}" "${target}")
    endif()
    # The target is now the shipped file: remember it as the copy shipped last.
    if(NOT last STREQUAL new)
        file(COPY_FILE "${shipped}" "${record}")
    endif()
endforeach()
