# An NSIS installer that installs for the user who runs it, with no
# administrator rights, into %LOCALAPPDATA%\Programs\Trapezoid Rating and
# puts that folder on the user's PATH for the command line, and a portable zip
# of both programs and a note on where their files go.
# The note with Windows' CR LF line ends, as Notepad and every Windows editor expect.
configure_file(${CMAKE_CURRENT_LIST_DIR}/where-files-go.txt ${CMAKE_CURRENT_BINARY_DIR}/where-files-go.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/where-files-go.txt DESTINATION .)

# The installer's helper for the user's PATH, carried inside the installer
# and the uninstaller, never installed.
add_library(rating_user_path STATIC ${CMAKE_CURRENT_LIST_DIR}/user_path.cpp ${CMAKE_CURRENT_LIST_DIR}/user_path.h)
target_include_directories(rating_user_path PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(rating_user_path PRIVATE rating_warnings)
add_executable(user-path ${CMAKE_CURRENT_LIST_DIR}/user_path_main.cpp)
target_link_libraries(user-path PRIVATE rating_user_path rating_warnings)
target_link_options(user-path PRIVATE -municode -s)
set_target_properties(user-path PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set(CPACK_RATING_USER_PATH_TOOL ${CMAKE_CURRENT_BINARY_DIR}/user-path.exe)
# The name of the mutex a running copy holds, by which the installer and the
# uninstaller find it.
set(CPACK_RATING_RUNNING_MUTEX "${RATING_RUNNING_MUTEX}")

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
