# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on the staged tree before it packs: mkdir leaves directories as the umask says
# (0700 under umask 077), the package wants 0755 for every one.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
set(directories "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
foreach(path IN LISTS staged)
    if(IS_DIRECTORY "${path}" AND NOT IS_SYMLINK "${path}")
        list(APPEND directories "${path}")
    endif()
endforeach()
file(CHMOD ${directories} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                      GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
