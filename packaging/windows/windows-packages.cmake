# An NSIS installer that installs for the user who runs it, with no
# administrator rights, into %LOCALAPPDATA%\Programs\Trapezoid Rating, and a
# portable zip of the program and a note on where its files go.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/where-files-go.txt DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME trapezoid-rating)
set(CPACK_PACKAGE_VENDOR "Trapezoid Channel Rating developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Trapezoid Rating")
set(CPACK_PACKAGE_FILE_NAME trapezoid-rating-${PROJECT_VERSION}-win64)
set(CPACK_NSIS_PACKAGE_NAME "Trapezoid Channel Rating")
set(CPACK_NSIS_DISPLAY_NAME "Trapezoid Channel Rating")
set(CPACK_NSIS_COMPRESSOR lzma)
# The installer is made from the project's own script (NSIS.template.in here),
# a per-user one; CPack's own installs for all users.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/windows/trapezoid-rating.ico)
set(CPACK_NSIS_EXECUTABLE makensis)
# The installer is trapezoid-rating-VERSION-win64-setup.exe, the zip
# trapezoid-rating-VERSION-win64.zip.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package-names.cmake)
include(CPack)
