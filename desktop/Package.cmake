# The packages of Tralto. A plain `cmake --install` lays out the portable
# folder and the engine for C++ programs (headers, static library and the
# CMake package Tralto). The Debian packages, made by CPack (`cmake --build
# build --target package`) from the same build, are install components of
# their own that only CPack asks for, laid out for /usr:
#
#   tralto         /usr/bin/Tralmain -> ../lib/tralto/Tralmain, /usr/bin/tralto,
#                  /usr/lib/tralto/ (the program, libGlyphbank.so, and
#                  language -> ../../share/tralto/language), the desktop entry,
#                  icons, metainfo, manual pages compressed, copyright, changelog
#   libtralto-dev  /usr/include/tralto/, /usr/lib/<multiarch>/libtralto_core.a
#                  and its cmake/Tralto/ package, copyright, changelog
#
# The program finds its glyph library and language files beside its own real
# path (symbolic links resolved); below /usr its settings go to each user's
# configuration folder.

set(TRALTO_PROGRAM_PACKAGE tralto)
set(TRALTO_PROGRAM_COMPONENT deb_program)
set(TRALTO_DEVELOPMENT_PACKAGE libtralto-dev)
set(TRALTO_DEVELOPMENT_COMPONENT deb_development)
set(TRALTO_PRIVATE_DIR "lib/${TRALTO_PROGRAM_PACKAGE}")
# Who answers for the packages: their Maintainer field and the changelog's
# signature. The default is a placeholder; whoever publishes the packages
# gives their own name and address when configuring.
set(TRALTO_PACKAGE_MAINTAINER "The Tralto developers <support@tralto.example.org>" CACHE STRING
  "Maintainer of the Debian packages, as \"Name <address>\"")
if(NOT TRALTO_PACKAGE_MAINTAINER MATCHES "^[^<>]*[^<> ] <[^<> @]+@[^<> @]+>$")
  message(FATAL_ERROR "TRALTO_PACKAGE_MAINTAINER is '${TRALTO_PACKAGE_MAINTAINER}': "
    "give it as \"Name <address>\"")
endif()
set(TRALTO_PACKAGE_DIR "${CMAKE_CURRENT_LIST_DIR}/debian")
set(TRALTO_ENGINE_CONFIG "${CMAKE_CURRENT_LIST_DIR}/TraltoConfig.cmake")

if(PROJECT_IS_TOP_LEVEL)
  find_program(TRALTO_GZIP gzip REQUIRED)
endif()

# A copy of FILE compressed the Debian way (maximum compression, no name or
# time stamp in the header, so the package is the same on every build),
# written to OUTPUT at build time.
function(tralto_gzip_for_package file output)
  cmake_path(GET output PARENT_PATH folder)
  cmake_path(GET output STEM LAST_ONLY uncompressed)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${file}" "${folder}/${uncompressed}"
    COMMAND "${TRALTO_GZIP}" -9nf "${folder}/${uncompressed}"
    DEPENDS "${file}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "package_${uncompressed}" target)
  add_custom_target(${target} ALL DEPENDS "${output}")
endfunction()

# A manual page (its section is the file's extension) compressed into the
# program package.
function(tralto_package_man_page page)
  cmake_path(GET page FILENAME name)
  cmake_path(GET page EXTENSION LAST_ONLY section)
  string(SUBSTRING "${section}" 1 -1 section)
  set(compressed "${PROJECT_BINARY_DIR}/package-man/${name}.gz")
  tralto_gzip_for_package("${page}" "${compressed}")
  install(FILES "${compressed}" DESTINATION "share/man/man${section}"
    COMPONENT ${TRALTO_PROGRAM_COMPONENT} EXCLUDE_FROM_ALL)
endfunction()

# A relative symbolic link NAME -> TARGET installed into DESTINATION.
function(tralto_install_link name target destination component)
  set(folder "${PROJECT_BINARY_DIR}/package-links/${destination}")
  file(MAKE_DIRECTORY "${folder}")
  file(CREATE_LINK "${target}" "${folder}/${name}" SYMBOLIC)
  install(FILES "${folder}/${name}" DESTINATION "${destination}"
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

# The copyright file and the changelog that every Debian package carries in
# /usr/share/doc/<package>; the changelog's newest entry is this version.
function(tralto_install_package_documents package component)
  set(folder "${PROJECT_BINARY_DIR}/package-documents")
  if(NOT TARGET package_changelog)
    configure_file("${TRALTO_PACKAGE_DIR}/changelog.in" "${folder}/changelog" @ONLY)
    tralto_gzip_for_package("${folder}/changelog" "${folder}/compressed/changelog.gz")
  endif()
  install(FILES "${TRALTO_PACKAGE_DIR}/copyright" "${folder}/compressed/changelog.gz"
    DESTINATION "share/doc/${package}" COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

# The install rules of the program package; called once every target exists.
function(tralto_add_program_package)
  set(component COMPONENT ${TRALTO_PROGRAM_COMPONENT} EXCLUDE_FROM_ALL)
  install(TARGETS Tralmain RUNTIME DESTINATION "${TRALTO_PRIVATE_DIR}" ${component})
  install(TARGETS Glyphbank LIBRARY DESTINATION "${TRALTO_PRIVATE_DIR}" ${component})
  install(TARGETS tralto RUNTIME DESTINATION bin ${component})
  tralto_install_link(Tralmain "../${TRALTO_PRIVATE_DIR}/Tralmain" bin
    ${TRALTO_PROGRAM_COMPONENT})
  if(TRALTO_LANGUAGE_FILES)
    install(DIRECTORY "${TRALTO_RUNTIME_DIR}/language/"
      DESTINATION "share/${TRALTO_PROGRAM_PACKAGE}/language" ${component}
      FILES_MATCHING PATTERN "Sharedlex.*")
    tralto_install_link(language "../../share/${TRALTO_PROGRAM_PACKAGE}/language"
      "${TRALTO_PRIVATE_DIR}" ${TRALTO_PROGRAM_COMPONENT})
  endif()
  # The command line's manual page as its folder makes it: configured there
  # when it names TRALTO_MANUAL_PAGE, else its source.
  if(DEFINED TRALTO_MANUAL_PAGE)
    tralto_package_man_page("${TRALTO_MANUAL_PAGE}")
  else()
    tralto_package_man_page("${PROJECT_SOURCE_DIR}/cli/tralto.1")
  endif()
  tralto_package_man_page("${TRALTO_WINDOW_MANUAL_PAGE}")
  tralto_install_package_documents(${TRALTO_PROGRAM_PACKAGE} ${TRALTO_PROGRAM_COMPONENT})
endfunction()

# The engine for C++ programs: the public headers under include/tralto (a
# program includes "expression/Parser.h"), the static library in LIBDIR and
# the CMake package in LIBDIR/cmake/Tralto, whose find_package(Tralto) gives
# the target Tralto::core. Further arguments go to every install rule.
function(tralto_install_engine libdir component)
  set(package_dir "${libdir}/cmake/Tralto")
  set(rule COMPONENT ${component} ${ARGN})
  install(TARGETS tralto_core EXPORT ${component}_engine
    ARCHIVE DESTINATION "${libdir}" ${rule}
    FILE_SET HEADERS DESTINATION include/tralto ${rule}
    # The file set names the folder to CMake 3.23 and later; this, to any.
    INCLUDES DESTINATION include/tralto)
  install(EXPORT ${component}_engine NAMESPACE Tralto:: FILE TraltoTargets.cmake
    DESTINATION "${package_dir}" ${rule})
  install(FILES "${TRALTO_ENGINE_CONFIG}"
    "${PROJECT_BINARY_DIR}/TraltoConfigVersion.cmake"
    DESTINATION "${package_dir}" ${rule})
endfunction()

# The default install's engine, in the usual folders, and the development
# package's, with the library in Debian's multiarch folder.
function(tralto_add_engine_packages)
  include(CMakePackageConfigHelpers)
  # Before 1.0 a minor version may change the interface.
  write_basic_package_version_file("${PROJECT_BINARY_DIR}/TraltoConfigVersion.cmake"
    COMPATIBILITY SameMinorVersion)
  tralto_install_engine("${CMAKE_INSTALL_LIBDIR}" Development)
  set(libdir lib)
  if(CMAKE_LIBRARY_ARCHITECTURE)
    set(libdir "lib/${CMAKE_LIBRARY_ARCHITECTURE}")
  endif()
  tralto_install_engine("${libdir}" ${TRALTO_DEVELOPMENT_COMPONENT} EXCLUDE_FROM_ALL)
  # CPack strips programs and shared libraries, not archives: the debug
  # information goes as Debian's packages do it, the symbols stay.
  install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
      --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${libdir}/$<TARGET_FILE_NAME:tralto_core>\"
      COMMAND_ERROR_IS_FATAL ANY)"
    COMPONENT ${TRALTO_DEVELOPMENT_COMPONENT} EXCLUDE_FROM_ALL)
  tralto_install_package_documents(${TRALTO_DEVELOPMENT_PACKAGE} ${TRALTO_DEVELOPMENT_COMPONENT})
endfunction()

function(tralto_configure_cpack)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME ${TRALTO_PROGRAM_PACKAGE})
  set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
  set(CPACK_PACKAGE_CONTACT "${TRALTO_PACKAGE_MAINTAINER}")
  set(CPACK_PACKAGE_HOMEPAGE_URL "https://tralto.example.org/")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL ${TRALTO_PROGRAM_COMPONENT} ${TRALTO_DEVELOPMENT_COMPONENT})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

  set(program DEB_PROGRAM)
  set(CPACK_DEBIAN_${program}_PACKAGE_NAME ${TRALTO_PROGRAM_PACKAGE})
  set(CPACK_DEBIAN_${program}_PACKAGE_SECTION math)
  # The libraries the binaries link come from dpkg-shlibdeps; what Qt loads
  # as plugins it cannot see: a platform plugin to open a window at all, and
  # the SVG plugin for the window icon.
  set(CPACK_DEBIAN_${program}_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
  # Qt's own texts (standard buttons, context menus) in the user's language;
  # without them those stay English.
  set(CPACK_DEBIAN_${program}_PACKAGE_RECOMMENDS qt6-translations-l10n)
  file(READ "${TRALTO_PACKAGE_DIR}/tralto.description" CPACK_DEBIAN_${program}_DESCRIPTION)

  # A static library and headers: nothing to run, so nothing to depend on.
  set(development DEB_DEVELOPMENT)
  set(CPACK_DEBIAN_${development}_PACKAGE_NAME ${TRALTO_DEVELOPMENT_PACKAGE})
  set(CPACK_DEBIAN_${development}_PACKAGE_SECTION libdevel)
  file(READ "${TRALTO_PACKAGE_DIR}/libtralto-dev.description"
    CPACK_DEBIAN_${development}_DESCRIPTION)

  include(CPack)
endfunction()
