# The installed library and its package: libplotara (shared, with a soname, and static) made of the
# objects of every layer, the public headers, a CMake package giving Plotara::plotara (shared) and
# Plotara::plotara_static, plotara.pc, the plotara command and its man page.
include(CMakePackageConfigHelpers)

get_property(layers GLOBAL PROPERTY PLOTARA_LAYERS)
set(objects "")
foreach(layer IN LISTS layers)
  list(APPEND objects $<TARGET_OBJECTS:${layer}>)
endforeach()
set(public_include $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

add_library(plotara_shared SHARED ${objects})
set_target_properties(plotara_shared PROPERTIES OUTPUT_NAME plotara EXPORT_NAME plotara
                      VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
target_link_libraries(plotara_shared PRIVATE PkgConfig::PLOTARA_DRAWING PkgConfig::PLOTARA_DATABASES date::date-tz)
target_include_directories(plotara_shared INTERFACE ${public_include})
target_compile_features(plotara_shared INTERFACE cxx_std_20)

add_library(plotara_static STATIC ${objects})
set_target_properties(plotara_static PROPERTIES OUTPUT_NAME plotara EXPORT_NAME plotara_static)
# The libraries it draws with: in the build tree the project's own pkg-config target; installed, a target
# in Plotara's namespace that PlotaraConfig.cmake makes (no generic PkgConfig:: name that a user's project
# may already have for something else), and the time-zone library by its own package's name. The same
# for the database clients (SQLite, libpq).
target_link_libraries(plotara_static INTERFACE $<BUILD_INTERFACE:$<LINK_ONLY:PkgConfig::PLOTARA_DRAWING>>
                                               $<INSTALL_INTERFACE:$<LINK_ONLY:Plotara::drawing>>
                                               $<BUILD_INTERFACE:$<LINK_ONLY:PkgConfig::PLOTARA_DATABASES>>
                                               $<INSTALL_INTERFACE:$<LINK_ONLY:Plotara::databases>>
                                               $<LINK_ONLY:date::date-tz>)
target_include_directories(plotara_static INTERFACE ${public_include})
target_compile_features(plotara_static INTERFACE cxx_std_20)

# The same names for a project that adds Plotara as a subdirectory as for one that finds it installed.
add_library(Plotara::plotara ALIAS plotara_shared)
add_library(Plotara::plotara_static ALIAS plotara_static)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Plotara)
install(TARGETS plotara_shared plotara_static EXPORT PlotaraTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/plotara DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h" PATTERN "qt" EXCLUDE)  # the Qt hosts' headers come with them
install(EXPORT PlotaraTargets NAMESPACE Plotara:: DESTINATION ${config_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PlotaraConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/PlotaraConfig.cmake INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/PlotaraConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/PlotaraConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/PlotaraConfigVersion.cmake
        DESTINATION ${config_dir})

# plotara.pc finds its prefix from where it lies, so an installed tree can be moved.
file(RELATIVE_PATH PLOTARA_PC_TO_PREFIX /p/${CMAKE_INSTALL_LIBDIR}/pkgconfig /p)
configure_file(${CMAKE_CURRENT_LIST_DIR}/plotara.pc.in ${CMAKE_CURRENT_BINARY_DIR}/plotara.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/plotara.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS plotara_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/hosts/cli/plotara.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(${CMAKE_CURRENT_LIST_DIR}/PackageQt.cmake)
