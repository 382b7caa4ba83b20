# What `cmake --install` adds besides the targets' own rules, and `cpack -G DEB`.

# The CMake package of the two shared libraries: find_package(Kelvor) gives Kelvor::QV6_UT and
# Kelvor::QV6_EX.
include(CMakePackageConfigHelpers)
set(kelvor_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Kelvor)
install(EXPORT KelvorTargets NAMESPACE Kelvor:: DESTINATION ${kelvor_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KelvorConfig.cmake.in
    ${PROJECT_BINARY_DIR}/KelvorConfig.cmake
    INSTALL_DESTINATION ${kelvor_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KelvorConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KelvorConfig.cmake
              ${PROJECT_BINARY_DIR}/KelvorConfigVersion.cmake
        DESTINATION ${kelvor_cmake_dir})

# The Debian package: one package with the programs, the libraries and their headers; the
# dependencies come from dpkg-shlibdeps.
set(KELVOR_PACKAGE_CONTACT "Kelvor maintainers <kelvor@localhost>" CACHE STRING
    "Maintainer named in the Debian package")
set(CPACK_PACKAGE_NAME kelvor)
set(CPACK_PACKAGE_VENDOR Kelvor)
set(CPACK_PACKAGE_CONTACT "${KELVOR_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor and converter for radio and antenna equipment data files")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvor reads, edits and writes the radio (version 4 and 5) and antenna (NSMA, binary, MSI) \
equipment data files of link-planning programs, and converts them in batches. The package holds \
the desktop program Kelvor, the command-line converter kelvor-cli and the shared libraries \
QV6_UT and QV6_EX with their headers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What a program that links the libraries through find_package(Kelvor) needs besides them.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cmake, qt6-base-dev, nlohmann-json3-dev")
include(CPack)
