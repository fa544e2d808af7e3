# The Qt hosts installed like Qt libraries, where Qt 6 is found: libplotara_qt (shared with a soname, and
# static) with its headers in include/plotara/qt, the targets Plotara::plotara_qt and
# Plotara::plotara_qt_static of find_package(Plotara COMPONENTS Qt), and plotara-qt.pc; where Qt Quick is
# found, libplotara_quick (PlotaraItem) as Plotara::plotara_quick of find_package(Plotara COMPONENTS Quick).
if(TARGET plotara_qt)
  install(TARGETS plotara_qt plotara_qt_static EXPORT PlotaraQtTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/include/plotara/qt/PlotaraWidget.h
                ${PROJECT_SOURCE_DIR}/include/plotara/qt/PlColorsDialog.h
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plotara/qt)
  install(EXPORT PlotaraQtTargets NAMESPACE Plotara:: DESTINATION ${config_dir})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/plotara-qt.pc.in ${CMAKE_CURRENT_BINARY_DIR}/plotara-qt.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/plotara-qt.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
if(TARGET plotara_quick)
  install(TARGETS plotara_quick EXPORT PlotaraQuickTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/include/plotara/qt/PlotaraItem.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plotara/qt)
  install(EXPORT PlotaraQuickTargets NAMESPACE Plotara:: DESTINATION ${config_dir})
endif()
