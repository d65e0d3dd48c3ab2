# What `cmake --install` puts where a host's build finds it: the package and
# the two runtime libraries it links (versioned sonames), the virtual printer
# beside them (the package looks for the driver library in its own folder),
# ecfhost, the public headers, a pkg-config file and a CMake package.
include(CMakePackageConfigHelpers)

set_target_properties(tov00300 tovrtl tovhost PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})

install(TARGETS tov00300 tovrtl tovhost EXPORT tov00300Targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS DarumaFrameWork LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(TARGET sign_bema)
  install(TARGETS sign_bema LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
if(TARGET ecfhost)
  install(TARGETS ecfhost RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/tov00300 DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT tov00300Targets NAMESPACE tov00300::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tov00300)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/tov00300Config.cmake.in
  ${CMAKE_BINARY_DIR}/tov00300Config.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tov00300)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/tov00300ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/tov00300Config.cmake ${CMAKE_BINARY_DIR}/tov00300ConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tov00300)

configure_file(${CMAKE_SOURCE_DIR}/cmake/tov00300.pc.in ${CMAKE_BINARY_DIR}/tov00300.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/tov00300.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
