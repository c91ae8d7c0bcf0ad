# Copies every file under SRC to DST unless a file of that name is already there, so that a
# user's config.ini and language files survive a rebuild.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(rel IN LISTS files)
    if(NOT EXISTS ${DST}/${rel})
        get_filename_component(dir ${DST}/${rel} DIRECTORY)
        file(MAKE_DIRECTORY ${dir})
        file(COPY_FILE ${SRC}/${rel} ${DST}/${rel})
    endif()
endforeach()
