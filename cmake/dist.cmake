# The release folder: `cmake --install build/windows --prefix dist` after the
# Windows build lays out what a game team takes: the DLL, the C header, the
# import library, the docs, the statistics listing, the change log and the
# licence notices of what the DLL links in.
install(TARGETS QZSteam RUNTIME DESTINATION . ARCHIVE DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/include/QZSteam.h DESTINATION include)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION docs FILES_MATCHING PATTERN "*.md")
install(FILES ${CMAKE_SOURCE_DIR}/data/statistics.json DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/CHANGELOG.md DESTINATION .)
# The MinGW-w64 runtime, libgcc and libstdc++ are linked into the DLL
# statically: their notices travel with it.
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses RENAME mingw-w64-runtime.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses RENAME gcc-runtime.txt)
install(FILES ${CMAKE_SOURCE_DIR}/docs/licenses.md DESTINATION licenses RENAME README.md)
