# What `cmake --install` puts where a host's build finds it: the package and
# the two runtime libraries it links (versioned sonames), the virtual printer
# and the signer beside them (the package looks for both in its own folder),
# ecfhost, ead-verify and tov-new-till, the public headers (the signer's
# too), a pkg-config file, a CMake package, the Python package, the
# package's public key, the README and the examples (till scripts, the C
# host).
include(CMakePackageConfigHelpers)

set_target_properties(tov00300 tovrtl tovhost PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})

install(TARGETS tov00300 tovrtl tovhost EXPORT tov00300Targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS DarumaFrameWork LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
foreach(program ecfhost ead-verify tov-new-till)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tov00300 DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(TOV_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tov00300)
if(TARGET sign_bema)
  install(TARGETS sign_bema LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/signer/sign_bema.h
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tov00300)
  install(FILES ${PROJECT_SOURCE_DIR}/signer/ead-public-key.pem
                ${PROJECT_SOURCE_DIR}/signer/ead-public-key.txt DESTINATION ${TOV_SHARE_DIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
file(GLOB TOV_EXAMPLE_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.json)
install(FILES ${TOV_EXAMPLE_SCRIPTS} ${PROJECT_SOURCE_DIR}/examples/Brindal.cds
              ${PROJECT_SOURCE_DIR}/tests/c_host/sale.c
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The Python package, beside the libraries: it finds libtov00300 through the
# relative path written here. PYTHONPATH=<prefix>/${TOV_PYTHON_INSTALL_DIR}.
set(TOV_PYTHON_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/python3/site-packages
    CACHE STRING "Where cmake --install puts the Python package (relative to the prefix)")
file(RELATIVE_PATH TOV_PYTHON_TO_LIBRARY /prefix/${TOV_PYTHON_INSTALL_DIR}/tov00300
     /prefix/${CMAKE_INSTALL_LIBDIR}/libtov00300.so.${PROJECT_VERSION_MAJOR})
file(WRITE ${PROJECT_BINARY_DIR}/python/_install.py
     "# Written by cmake --install: the library, relative to this folder.\n"
     "LIBRARY = \"${TOV_PYTHON_TO_LIBRARY}\"\n")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/python/tov00300 DESTINATION ${TOV_PYTHON_INSTALL_DIR}
        PATTERN __pycache__ EXCLUDE)
install(FILES ${PROJECT_BINARY_DIR}/python/_install.py
        DESTINATION ${TOV_PYTHON_INSTALL_DIR}/tov00300)

install(EXPORT tov00300Targets NAMESPACE tov00300::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tov00300)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/tov00300Config.cmake.in
  ${PROJECT_BINARY_DIR}/tov00300Config.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tov00300)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tov00300ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tov00300Config.cmake
              ${PROJECT_BINARY_DIR}/tov00300ConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tov00300)

configure_file(${PROJECT_SOURCE_DIR}/cmake/tov00300.pc.in ${PROJECT_BINARY_DIR}/tov00300.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tov00300.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
