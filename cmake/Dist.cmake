# The packages of a Windows build: build/<preset>/dist/ gets the NSIS
# installer Tolvane-<version>-<arch>-setup.exe and the zip
# Tolvane-<version>-<arch>.zip, made from the same staged folder
# (dist/Tolvane/): the program and our display-text library without their
# debugging information, the default Tolvane.ini, the icons and the readme.
# The 32-bit packages are the ones that ship (`make dist`); the 64-bit ones
# exist so that the installer can be tried under 64-bit-only Wine.
find_program(MAKENSIS makensis REQUIRED)
find_program(ZIP zip REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TOLVANE_PACKAGE_ARCH win32)
  set(nsis_arch x86)
else()
  set(TOLVANE_PACKAGE_ARCH win64)
  set(nsis_arch amd64)
endif()

set(dist_dir ${CMAKE_BINARY_DIR}/dist)
set(stage ${dist_dir}/Tolvane)
set(package_name Tolvane-${PROJECT_VERSION}-${TOLVANE_PACKAGE_ARCH})
set(TOLVANE_INSTALLER ${dist_dir}/${package_name}-setup.exe)
set(TOLVANE_ZIP ${dist_dir}/${package_name}.zip)
set(TOLVANE_STAGE ${stage})

configure_file(${PROJECT_SOURCE_DIR}/installer/README.txt.in ${dist_dir}/README.txt @ONLY NEWLINE_STYLE CRLF)
set(shipped_data
  ${PROJECT_SOURCE_DIR}/resources/Tolvane.ini
  ${PROJECT_SOURCE_DIR}/resources/tolvane_active.ico
  ${PROJECT_SOURCE_DIR}/resources/tolvane_no_any.ico
  ${PROJECT_SOURCE_DIR}/resources/tolvane_no_handset.ico
  ${PROJECT_SOURCE_DIR}/resources/tolvane_no_skype.ico
  ${dist_dir}/README.txt)

add_custom_command(
  OUTPUT ${TOLVANE_INSTALLER} ${TOLVANE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${TOLVANE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stage}/Tolvane.exe $<TARGET_FILE:Tolvane>
  COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stage}/QorFontProcessLib.dll $<TARGET_FILE:QorFontProcessLib>
  COMMAND ${CMAKE_COMMAND} -E copy ${shipped_data} ${stage}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DARCH=${nsis_arch} -DSTAGE=${stage}
          -DOUTFILE=${TOLVANE_INSTALLER} ${PROJECT_SOURCE_DIR}/installer/Tolvane.nsi
  COMMAND ${ZIP} -q -X -r ${TOLVANE_ZIP} Tolvane
  WORKING_DIRECTORY ${dist_dir}
  DEPENDS Tolvane QorFontProcessLib ${shipped_data} ${PROJECT_SOURCE_DIR}/installer/Tolvane.nsi
  COMMENT "Packaging ${package_name}"
  VERBATIM)
add_custom_target(dist ALL DEPENDS ${TOLVANE_INSTALLER} ${TOLVANE_ZIP})
