# The release folder: `cmake --install build/windows --prefix dist` after the
# Windows build lays out what a game team takes: the DLL, the C header, the
# import library and the export list, the docs, the statistics listing, the
# example game, the front page, the change log and the licence notices of
# what the DLL links in.
install(TARGETS QZSteam RUNTIME DESTINATION . ARCHIVE DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/include/QZSteam.h DESTINATION include)
# lib/QZSteam.def: the exported names alone, from which MSVC users make an
# import library of their own (the .lib above is MinGW's). The aliases of the
# DLL's own list (several exports, one function) are no business of a caller.
file(STRINGS ${CMAKE_SOURCE_DIR}/plugin/QZSteam.def export_list)
list(TRANSFORM export_list REPLACE " = .*" "")
list(JOIN export_list "\n" export_list)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/QZSteam.def CONTENT "${export_list}\n" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/plugin/QZSteam.def)
install(FILES ${CMAKE_BINARY_DIR}/QZSteam.def DESTINATION lib)
# The docs; statistics.md and statistics.json are those of the table built in.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION docs FILES_MATCHING PATTERN "*.md" PATTERN statistics.md EXCLUDE)
install(FILES ${QZ_STATISTICS_FOLDER}/statistics.md DESTINATION docs)
install(FILES ${QZ_STATISTICS_FOLDER}/statistics.json DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/examples/README.md ${CMAKE_SOURCE_DIR}/examples/example_game.c
              ${CMAKE_SOURCE_DIR}/examples/steam_sim_account.json DESTINATION examples)
# The folder's front page: what is here, where to start, the shortest integration.
install(FILES ${CMAKE_SOURCE_DIR}/release/README.md ${CMAKE_SOURCE_DIR}/CHANGELOG.md DESTINATION .)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/check-steam-api DESTINATION check)
# The MinGW-w64 runtime, libgcc and libstdc++ are linked into the DLL
# statically: their notices travel with it.
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses RENAME mingw-w64-runtime.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses RENAME gcc-runtime.txt)
# The simulator also carries nlohmann/json (MIT licence).
install(FILES /usr/share/doc/nlohmann-json3-dev/copyright DESTINATION licenses RENAME nlohmann-json.txt)
# One licences page, beside the notices it names.
install(FILES ${CMAKE_SOURCE_DIR}/release/licenses.md DESTINATION licenses RENAME README.md)
