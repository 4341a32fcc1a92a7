# Install rules, the CMake package for consumers (find_package(setupsupport CONFIG)) and the
# release archive (cpack -G ZIP).
include(CMakePackageConfigHelpers)

install(TARGETS postinstall preuninstall RUNTIME DESTINATION bin)
install(TARGETS setupsupport EXPORT setupsupportTargets ARCHIVE DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/support/setupsupport.h DESTINATION include)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
              ${PROJECT_SOURCE_DIR}/docs/integration-guide.md
        DESTINATION doc)

set(package_dir lib/cmake/setupsupport)
install(EXPORT setupsupportTargets NAMESPACE setupsupport:: DESTINATION ${package_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/setupsupportConfig.cmake.in
    ${PROJECT_BINARY_DIR}/setupsupportConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/setupsupportConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/setupsupportConfig.cmake
              ${PROJECT_BINARY_DIR}/setupsupportConfigVersion.cmake
        DESTINATION ${package_dir})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME setupsupport)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
else()
    set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
